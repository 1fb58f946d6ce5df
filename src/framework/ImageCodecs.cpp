#include "framework/ImageCodecs.h"

#include <csetjmp>
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
// The simplified API does the colour work: palettes expanded, grey to colour,
// 16 bits to 8, tRNS to alpha.
class PngReader {
 public:
  PngReader() { FImage.version = PNG_IMAGE_VERSION; }
  PngReader(const PngReader&) = delete;
  PngReader& operator=(const PngReader&) = delete;
  ~PngReader() { png_image_free(&FImage); }
  png_image& Image() { return FImage; }

 private:
  png_image FImage{};
};

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

enum class JpegResult { Ok, Damaged, TooLarge, NoMemory };

// Everything with a destructor lives in the caller or before the setjmp, so
// that the jump skips no destructors.
JpegResult DecodeJpegInto(const std::uint8_t* data, std::size_t size, BmpImage& out,
                          std::vector<std::uint8_t>& cmykRow) {
  jpeg_decompress_struct info{};
  JpegError error{};
  info.err = jpeg_std_error(&error.Manager);
  error.Manager.error_exit = JpegErrorExit;
  error.Manager.emit_message = JpegQuiet;
  if (setjmp(error.Jump)) {
    jpeg_destroy_decompress(&info);
    return JpegResult::Damaged;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  jpeg_calc_output_dimensions(&info);
  if (!SizeAcceptable(info.output_width, info.output_height)) {
    jpeg_destroy_decompress(&info);
    return JpegResult::TooLarge;
  }
  out.Width = static_cast<int>(info.output_width);
  out.Height = static_cast<int>(info.output_height);
  out.BitCount = 24;
  try {
    out.Bits.assign(out.Stride() * out.Height, 0);
    if (cmyk) cmykRow.assign(static_cast<std::size_t>(out.Width) * 4, 0);
  } catch (const std::bad_alloc&) {
    jpeg_destroy_decompress(&info);
    return JpegResult::NoMemory;
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
  return JpegResult::Ok;
}

}  // namespace

BmpImage DecodePng(const std::uint8_t* data, std::size_t size) {
  if (!data || size == 0) Invalid();
  PngReader reader;
  png_image& image = reader.Image();
  if (!png_image_begin_read_from_memory(&image, data, size)) Invalid();
  if (!SizeAcceptable(image.width, image.height)) Invalid();
  const bool alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  image.format = alpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
  BmpImage out;
  out.Width = static_cast<int>(image.width);
  out.Height = static_cast<int>(image.height);
  out.BitCount = alpha ? 32 : 24;
  out.Bits.assign(out.Stride() * out.Height, 0);
  // A negative stride asks libpng for the bottom row first, as a DIB has it.
  const png_int_32 stride = -static_cast<png_int_32>(out.Stride());
  if (!png_image_finish_read(&image, nullptr, out.Bits.data(), stride, nullptr)) Invalid();
  return out;
}

BmpImage DecodeJpeg(const std::uint8_t* data, std::size_t size) {
  if (!data || size == 0) Invalid();
  BmpImage out;
  std::vector<std::uint8_t> cmykRow;
  switch (DecodeJpegInto(data, size, out, cmykRow)) {
    case JpegResult::Ok: return out;
    case JpegResult::NoMemory: throw std::bad_alloc();
    default: Invalid();
  }
}
