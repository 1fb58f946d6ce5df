// TBitmap in and out of the Windows bitmap format: files, memory, resources.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <new>

#include "framework/Bitmap.h"
#include "framework/BitmapFile.h"
#include "framework/BitmapImpl.h"
#include "framework/ImageCodecs.h"
#include "framework/PictureFiles.h"
#include "framework/PictureScale.h"

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

// The bytes of a resource, or an empty span when the module has none of
// that name and type.
struct ResourceBytes {
  const std::uint8_t* Data = nullptr;
  DWORD Size = 0;
};

ResourceBytes FindResourceBytes(HINSTANCE instance, const std::string& name, LPCSTR type) {
  HRSRC info = FindResourceA(instance, name.c_str(), type);
  HGLOBAL res = info ? LoadResource(instance, info) : nullptr;
  const void* data = res ? LockResource(res) : nullptr;
  const DWORD size = info ? SizeofResource(instance, info) : 0;
  if (!data || size == 0) return {};
  return {static_cast<const std::uint8_t*>(data), size};
}

// One name for a module's resource, whatever the letter case it is asked by.
std::string ResourceKey(HINSTANCE instance, const char* kind, const std::string& name) {
  std::string key = std::to_string(reinterpret_cast<std::uintptr_t>(instance)) + kind;
  for (char c : name) key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

}  // namespace

void TBitmap::LoadBmp(const std::vector<std::uint8_t>& bytes, std::shared_ptr<TPictureScales> scales) {
  BmpImage image = Decoded([&] { return DecodeBmpFile(bytes.data(), bytes.size()); });
  TakePicture(FormatOf(image), image.Bits.data(), afIgnored, std::move(scales));
}

void TBitmap::LoadPng(const std::vector<std::uint8_t>& bytes, std::shared_ptr<TPictureScales> scales) {
  BmpImage image = Decoded([&] { return DecodePng(bytes.data(), bytes.size()); });
  TakePicture(FormatOf(image), image.Bits.data(), image.BitCount == 32 ? afDefined : afIgnored,
              std::move(scales));
}

void TBitmap::LoadJpeg(const std::vector<std::uint8_t>& bytes, std::shared_ptr<TPictureScales> scales) {
  BmpImage image = Decoded([&] { return DecodeJpeg(bytes.data(), bytes.size()); });
  TakePicture(FormatOf(image), image.Bits.data(), afIgnored, std::move(scales));
}

void TBitmap::LoadFromStream(const std::vector<std::uint8_t>& bytes) { LoadBmp(bytes, nullptr); }

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

void TBitmap::LoadFromFile(const std::string& path) {
  LoadBmp(ReadPictureFile(path), TPictureScales::Make([path](TBitmap& set, int dpi) {
            set.LoadBmp(ReadPictureFile(ScaledFileName(path, dpi)), nullptr);
            return true;
          }));
}

void TBitmap::SaveToFile(const std::string& path) const { WritePictureFile(path, SaveToStream()); }

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  // The sets of one resource are its siblings, read without sets of their own.
  auto read = [instance](TBitmap& target, const std::string& resource,
                         std::shared_ptr<TPictureScales> scales) {
    const ResourceBytes r = FindResourceBytes(instance, resource, MAKEINTRESOURCEA(2));  // RT_BITMAP
    if (!r.Data) return false;
    BmpImage image = Decoded([&] { return DecodeDib(r.Data, r.Size); });
    target.TakePicture(FormatOf(image), image.Bits.data(), afIgnored, std::move(scales));
    return true;
  };
  auto scales = TPictureScales::Shared(ResourceKey(instance, ":BITMAP:", name),
                                       [read, name](TBitmap& set, int dpi) {
                                         return read(set, ScaledResourceName(name, dpi), nullptr);
                                       });
  if (!read(*this, name, scales))
    throw EInvalidGraphic("Bitmap resource \"" + name + "\" not found");
}

void TBitmap::LoadFromJpegResource(HINSTANCE instance, const std::string& name) {
  auto read = [instance](TBitmap& target, const std::string& resource,
                         std::shared_ptr<TPictureScales> scales) {
    const ResourceBytes r = FindResourceBytes(instance, resource, MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!r.Data) return false;
    target.LoadJpeg(std::vector<std::uint8_t>(r.Data, r.Data + r.Size), std::move(scales));
    return true;
  };
  auto scales = TPictureScales::Shared(ResourceKey(instance, ":JPEG:", name),
                                       [read, name](TBitmap& set, int dpi) {
                                         return read(set, ScaledResourceName(name, dpi), nullptr);
                                       });
  if (!read(*this, name, scales)) throw EInvalidGraphic("JPEG resource \"" + name + "\" not found");
}

void TBitmap::LoadFromIconResource(HINSTANCE instance, const std::string& name, int width,
                                   int height) {
  // The system picks the icon's image nearest to the size, and draws it.
  auto draw = [instance, name](TBitmap& target, int w, int h, std::shared_ptr<TPictureScales> scales) {
    HICON icon = static_cast<HICON>(LoadImageA(instance, name.c_str(), IMAGE_ICON, w, h, 0));
    if (!icon) return false;
    TBitmap drawn;
    drawn.SetPixelFormat(pf24bit);
    drawn.SetSize(w, h);  // white
    DrawIconEx(drawn.Canvas()->Handle(), 0, 0, icon, w, h, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
    GdiFlush();
    target.TakePicture(drawn.FImpl->Format, drawn.FImpl->Bits, afIgnored, std::move(scales));
    return true;
  };
  auto scales = TPictureScales::Make(
      [draw, width, height](TBitmap& set, int dpi) {
        return draw(set, ScaledSide(width, dpi), ScaledSide(height, dpi), nullptr);
      },
      true);
  if (!draw(*this, width, height, scales))
    throw EInvalidGraphic("Icon resource \"" + name + "\" not found");
}

// ---- PNG and JPEG ---------------------------------------------------------------------
void TBitmap::LoadFromPngMemory(const std::vector<std::uint8_t>& bytes) { LoadPng(bytes, nullptr); }

void TBitmap::LoadFromJpegMemory(const std::vector<std::uint8_t>& bytes) { LoadJpeg(bytes, nullptr); }

void TBitmap::LoadFromPngFile(const std::string& path) {
  LoadPng(ReadPictureFile(path), TPictureScales::Make([path](TBitmap& set, int dpi) {
            set.LoadPng(ReadPictureFile(ScaledFileName(path, dpi)), nullptr);
            return true;
          }));
}

void TBitmap::LoadFromJpegFile(const std::string& path) {
  LoadJpeg(ReadPictureFile(path), TPictureScales::Make([path](TBitmap& set, int dpi) {
             set.LoadJpeg(ReadPictureFile(ScaledFileName(path, dpi)), nullptr);
             return true;
           }));
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
