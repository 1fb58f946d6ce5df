// PNG through the host's libpng (its simplified interface, which reports
// errors as results): written for the shaded skin, read back by the
// self-check.
#include <png.h>

#include <stdexcept>
#include <string>

#include "decoders.h"
#include "encoders.h"

namespace art {

Bytes EncodePng(const Canvas& img, bool withAlpha) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(img.Width());
  image.height = png_uint_32(img.Height());
  image.format = withAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  const int channels = withAlpha ? 4 : 3;
  Bytes pixels;
  pixels.reserve(std::size_t(img.Width()) * img.Height() * channels);
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) {
      const Rgba c = img.Get(x, y);
      pixels.insert(pixels.end(), {c.r, c.g, c.b});
      if (withAlpha) pixels.push_back(c.a);
    }
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr))
    throw std::runtime_error(std::string("libpng: ") + image.message);
  Bytes out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr))
    throw std::runtime_error(std::string("libpng: ") + image.message);
  out.resize(size);
  return out;
}

std::optional<Canvas> DecodePng(const Bytes& file) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return std::nullopt;
  image.format = PNG_FORMAT_RGBA;
  Bytes pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  Canvas img(int(image.width), int(image.height));
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) {
      const std::uint8_t* p = &pixels[(std::size_t(y) * img.Width() + x) * 4];
      img.Set(x, y, {p[0], p[1], p[2], p[3]});
    }
  return img;
}

}  // namespace art
