#include "framework/ImageCodecs.h"

#include <csetjmp>
#include <cstring>
#include <cstdio>  // jpeglib.h needs FILE
#include <new>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace {

[[noreturn]] void Invalid() { throw BmpError(BmpError::Invalid, "Invalid bitmap image"); }

bool SizeAcceptable(std::uint64_t w, std::uint64_t h) {
  return w > 0 && h > 0 && w * h <= BmpMaxPixels;
}

// ---- PNG ------------------------------------------------------------------------------
// The low-level reader, so that pixel values come through unchanged: no
// gamma conversion (the simplified API would treat 16-bit pictures as
// linear light and brighten them).
struct PngSource {
  const std::uint8_t* Data;
  std::size_t Size;
  std::size_t Pos;
};

void PngRead(png_structp png, png_bytep out, png_size_t n) {
  auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
  if (n > src->Size - src->Pos) png_error(png, "the data ends early");
  std::memcpy(out, src->Data + src->Pos, n);
  src->Pos += n;
}

// libpng's own handlers print to stderr; ours only jump back.
void PngFail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void PngWarn(png_structp, png_const_charp) {}

enum class DecodeResult { Ok, Damaged, TooLarge, NoMemory };

// Asks libpng for blue, green, red (and alpha) at 8 bits whatever the
// picture holds; true when alpha is wanted.
bool RequestBgr(png_structp png, png_infop info) {
  const int type = png_get_color_type(png, info);
  const int depth = png_get_bit_depth(png, info);
  const bool trns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (type == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (trns) png_set_tRNS_to_alpha(png);
  if (depth == 16) png_set_scale_16(png);
  if (!(type & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_interlace_handling(png);
  return (type & PNG_COLOR_MASK_ALPHA) || trns;
}

// Everything with a destructor lives in the caller, so that libpng's jump
// skips no destructors.
DecodeResult DecodePngInto(const std::uint8_t* data, std::size_t size, BmpImage& out,
                           std::vector<png_bytep>& rows) {
  if (size < 8 || png_sig_cmp(data, 0, 8)) return DecodeResult::Damaged;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngFail, PngWarn);
  if (!png) return DecodeResult::NoMemory;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return DecodeResult::NoMemory;
  }
  PngSource source{data, size, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return DecodeResult::Damaged;
  }
  png_set_read_fn(png, &source, PngRead);
  png_read_info(png, info);
  const png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
  if (!SizeAcceptable(w, h)) {
    png_destroy_read_struct(&png, &info, nullptr);
    return DecodeResult::TooLarge;
  }
  const bool alpha = RequestBgr(png, info);
  png_read_update_info(png, info);
  out.Width = static_cast<int>(w);
  out.Height = static_cast<int>(h);
  out.BitCount = alpha ? 32 : 24;
  if (png_get_rowbytes(png, info) > out.Stride()) {
    png_destroy_read_struct(&png, &info, nullptr);
    return DecodeResult::Damaged;
  }
  try {
    out.Bits.assign(out.Stride() * out.Height, 0);
    rows.resize(h);
  } catch (const std::bad_alloc&) {
    png_destroy_read_struct(&png, &info, nullptr);
    return DecodeResult::NoMemory;
  }
  // DIB rows go from the bottom up.
  for (png_uint_32 y = 0; y < h; ++y) rows[y] = out.Bits.data() + out.Stride() * (h - 1 - y);
  png_read_image(png, rows.data());
  // The chunks after the pixels are not read: a missing end chunk loses nothing.
  png_destroy_read_struct(&png, &info, nullptr);
  return DecodeResult::Ok;
}

// ---- JPEG -----------------------------------------------------------------------------
// libjpeg reports fatal errors through error_exit, which must not return; it
// jumps back into DecodeJpegInto. Exceptions must not cross the C library.
struct JpegError {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
};

void JpegErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegError*>(info->err)->Jump, 1);
}

void JpegQuiet(j_common_ptr, int) {}  // warnings about damaged data are not shown

void CmykToBgr(const std::uint8_t* cmyk, std::uint8_t* bgr, int width, bool inverted) {
  for (int x = 0; x < width; ++x) {
    int c = cmyk[4 * x], m = cmyk[4 * x + 1], y = cmyk[4 * x + 2], k = cmyk[4 * x + 3];
    // Adobe's writers store CMYK inverted; others store it as ink amounts.
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    bgr[3 * x] = static_cast<std::uint8_t>(y * k / 255);
    bgr[3 * x + 1] = static_cast<std::uint8_t>(m * k / 255);
    bgr[3 * x + 2] = static_cast<std::uint8_t>(c * k / 255);
  }
}

// Everything with a destructor lives in the caller or before the setjmp, so
// that the jump skips no destructors.
DecodeResult DecodeJpegInto(const std::uint8_t* data, std::size_t size, BmpImage& out,
                          std::vector<std::uint8_t>& cmykRow) {
  jpeg_decompress_struct info{};
  JpegError error{};
  info.err = jpeg_std_error(&error.Manager);
  error.Manager.error_exit = JpegErrorExit;
  error.Manager.emit_message = JpegQuiet;
  if (setjmp(error.Jump)) {
    jpeg_destroy_decompress(&info);
    return DecodeResult::Damaged;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  jpeg_calc_output_dimensions(&info);
  if (!SizeAcceptable(info.output_width, info.output_height)) {
    jpeg_destroy_decompress(&info);
    return DecodeResult::TooLarge;
  }
  out.Width = static_cast<int>(info.output_width);
  out.Height = static_cast<int>(info.output_height);
  out.BitCount = 24;
  try {
    out.Bits.assign(out.Stride() * out.Height, 0);
    if (cmyk) cmykRow.assign(static_cast<std::size_t>(out.Width) * 4, 0);
  } catch (const std::bad_alloc&) {
    jpeg_destroy_decompress(&info);
    return DecodeResult::NoMemory;
  }
  jpeg_start_decompress(&info);
  while (info.output_scanline < info.output_height) {
    // DIB rows go from the bottom up.
    std::uint8_t* row = out.Bits.data() + out.Stride() * (out.Height - 1 - info.output_scanline);
    JSAMPROW target = cmyk ? cmykRow.data() : row;
    if (jpeg_read_scanlines(&info, &target, 1) != 1) break;
    if (cmyk) CmykToBgr(cmykRow.data(), row, out.Width, info.saw_Adobe_marker);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return DecodeResult::Ok;
}

}  // namespace

BmpImage DecodePng(const std::uint8_t* data, std::size_t size) {
  if (!data || size == 0) Invalid();
  BmpImage out;
  std::vector<png_bytep> rows;
  switch (DecodePngInto(data, size, out, rows)) {
    case DecodeResult::Ok: return out;
    case DecodeResult::NoMemory: throw std::bad_alloc();
    default: Invalid();
  }
}

BmpImage DecodeJpeg(const std::uint8_t* data, std::size_t size) {
  if (!data || size == 0) Invalid();
  BmpImage out;
  std::vector<std::uint8_t> cmykRow;
  switch (DecodeJpegInto(data, size, out, cmykRow)) {
    case DecodeResult::Ok: return out;
    case DecodeResult::NoMemory: throw std::bad_alloc();
    default: Invalid();
  }
}
