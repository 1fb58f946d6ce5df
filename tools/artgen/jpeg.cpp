// JPEG through the host's libjpeg-turbo: the intro picture is written with
// it, and the self-check reads it back.
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>

#include <csetjmp>
#include <cstdlib>
#include <stdexcept>

#include "decoders.h"
#include "encoders.h"

namespace art {
namespace {

// libjpeg's error_exit must not return: it jumps back to the call that
// failed. Nothing with a destructor lives between the setjmp and the jump.
struct JpegError {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
};

void JumpBack(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegError*>(info->err)->Jump, 1); }
void Quiet(j_common_ptr, int) {}

void SetUp(JpegError& error) {
  jpeg_std_error(&error.Manager);
  error.Manager.error_exit = JumpBack;
  error.Manager.emit_message = Quiet;
}

// Compresses rows of RGB into a buffer that libjpeg allocates; false on error.
bool Compress(const Bytes& rgb, int width, int height, int quality, unsigned char** buffer,
              unsigned long* size) {
  jpeg_compress_struct cinfo{};
  JpegError error;
  SetUp(error);
  cinfo.err = &error.Manager;
  if (setjmp(error.Jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, buffer, size);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row[1] = {const_cast<JSAMPLE*>(&rgb[std::size_t(cinfo.next_scanline) * width * 3])};
    jpeg_write_scanlines(&cinfo, row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

// Decompresses into rgb (sized by the caller once the header is read).
bool Decompress(const Bytes& file, Bytes& rgb, int& width, int& height) {
  jpeg_decompress_struct cinfo{};
  JpegError error;
  SetUp(error);
  cinfo.err = &error.Manager;
  if (setjmp(error.Jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  width = int(cinfo.output_width);
  height = int(cinfo.output_height);
  rgb.resize(std::size_t(width) * height * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row[1] = {&rgb[std::size_t(cinfo.output_scanline) * width * 3]};
    jpeg_read_scanlines(&cinfo, row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

Bytes EncodeJpeg(const Canvas& img, int quality) {
  Bytes rgb;
  rgb.reserve(std::size_t(img.Width()) * img.Height() * 3);
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) {
      const Rgba c = img.Get(x, y);
      rgb.insert(rgb.end(), {c.r, c.g, c.b});
    }
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool ok = Compress(rgb, img.Width(), img.Height(), quality, &buffer, &size);
  Bytes out;
  if (ok) out.assign(buffer, buffer + size);
  std::free(buffer);
  if (!ok) throw std::runtime_error("libjpeg could not compress the picture");
  return out;
}

std::optional<Canvas> DecodeJpeg(const Bytes& file) {
  Bytes rgb;
  int w = 0, h = 0;
  if (!Decompress(file, rgb, w, h)) return std::nullopt;
  Canvas img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint8_t* p = &rgb[(std::size_t(y) * w + x) * 3];
      img.Set(x, y, {p[0], p[1], p[2], 255});
    }
  return img;
}

}  // namespace art
