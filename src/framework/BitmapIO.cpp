// TBitmap in and out of the Windows bitmap format: files, memory, resources.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>

#include "framework/Bitmap.h"
#include "framework/BitmapFile.h"
#include "framework/BitmapImpl.h"
#include "framework/ImageCodecs.h"
#include "framework/PictureFiles.h"

namespace {

// Runs a decoder and turns its failures into the framework's errors.
template <class F>
BmpImage Decoded(F decode) {
  try {
    return decode();
  } catch (const BmpError& e) {
    throw EInvalidGraphic(e.what());
  } catch (const std::bad_alloc&) {
    throw EOutOfResources("Out of system resources");
  }
}

DibFormat FormatOf(const BmpImage& image) {
  DibFormat f;
  f.Width = image.Width;
  f.Height = image.Height;
  f.BitCount = image.BitCount;
  f.BitFields565 = image.BitFields565;
  for (const BmpColor& c : image.ColorTable)
    f.ColorTable.push_back(RGBQUAD{c.Blue, c.Green, c.Red, 0});
  return f;
}

}  // namespace

void TBitmap::LoadFromStream(const std::vector<std::uint8_t>& bytes) {
  BmpImage image = Decoded([&] { return DecodeBmpFile(bytes.data(), bytes.size()); });
  TakePicture(FormatOf(image), image.Bits.data());
}

std::vector<std::uint8_t> TBitmap::SaveToStream() const {
  if (Empty()) throw EInvalidGraphic("Invalid bitmap image");
  GdiFlush();  // GDI may still be drawing into the bits
  const DibFormat& f = FImpl->Format;
  BmpImage image;
  image.Width = f.Width;
  image.Height = f.Height;
  image.BitCount = f.BitCount;
  image.BitFields565 = f.BitFields565;
  for (const RGBQUAD& q : f.ColorTable)
    image.ColorTable.push_back(BmpColor{q.rgbBlue, q.rgbGreen, q.rgbRed, 0});
  image.Bits.assign(FImpl->Bits, FImpl->Bits + FImpl->ImageSize());
  try {
    return EncodeBmpFile(image);
  } catch (const BmpError& e) {
    throw EInvalidGraphic(e.what());
  }
}

void TBitmap::LoadFromFile(const std::string& path) { LoadFromStream(ReadPictureFile(path)); }

void TBitmap::SaveToFile(const std::string& path) const { WritePictureFile(path, SaveToStream()); }

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  HRSRC info = FindResourceA(instance, name.c_str(), MAKEINTRESOURCEA(2));  // RT_BITMAP
  HGLOBAL res = info ? LoadResource(instance, info) : nullptr;
  const void* data = res ? LockResource(res) : nullptr;
  DWORD size = info ? SizeofResource(instance, info) : 0;
  if (!data || size == 0) throw EInvalidGraphic("Bitmap resource \"" + name + "\" not found");
  BmpImage image =
      Decoded([&] { return DecodeDib(static_cast<const std::uint8_t*>(data), size); });
  TakePicture(FormatOf(image), image.Bits.data());
}

// ---- PNG and JPEG ---------------------------------------------------------------------
void TBitmap::LoadFromPngMemory(const std::vector<std::uint8_t>& bytes) {
  BmpImage image = Decoded([&] { return DecodePng(bytes.data(), bytes.size()); });
  TakePicture(FormatOf(image), image.Bits.data(), image.BitCount == 32 ? afDefined : afIgnored);
}

void TBitmap::LoadFromJpegMemory(const std::vector<std::uint8_t>& bytes) {
  BmpImage image = Decoded([&] { return DecodeJpeg(bytes.data(), bytes.size()); });
  TakePicture(FormatOf(image), image.Bits.data());
}

void TBitmap::LoadFromPngFile(const std::string& path) { LoadFromPngMemory(ReadPictureFile(path)); }

void TBitmap::LoadFromJpegFile(const std::string& path) {
  LoadFromJpegMemory(ReadPictureFile(path));
}

void LoadPictureFile(TBitmap& target, const std::string& path) {
  size_t dot = path.find_last_of('.');
  size_t slash = path.find_last_of("\\/:");
  std::string ext;
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
    ext = path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext == "bmp" || ext == "dib") {
    target.LoadFromFile(path);
  } else if (ext == "png") {
    target.LoadFromPngFile(path);
  } else if (ext == "jpg" || ext == "jpeg" || ext == "jpe" || ext == "jfif") {
    target.LoadFromJpegFile(path);
  } else {
    throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
  }
}
