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

void TBitmap::LoadFromFile(const std::string& path) {
  LoadFromStream(ReadPictureFile(path));
  TPictureScales::Attach(*this, [path](TBitmap& set, int dpi) {
    set.LoadFromStream(ReadPictureFile(ScaledFileName(path, dpi)));
    return true;
  });
}

void TBitmap::SaveToFile(const std::string& path) const { WritePictureFile(path, SaveToStream()); }

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  // Read without attaching a set: the sets of one resource are its siblings.
  auto read = [instance](TBitmap& target, const std::string& resource) {
    const ResourceBytes r = FindResourceBytes(instance, resource, MAKEINTRESOURCEA(2));  // RT_BITMAP
    if (!r.Data) return false;
    BmpImage image = Decoded([&] { return DecodeDib(r.Data, r.Size); });
    target.TakePicture(FormatOf(image), image.Bits.data());
    return true;
  };
  if (!read(*this, name)) throw EInvalidGraphic("Bitmap resource \"" + name + "\" not found");
  TPictureScales::AttachShared(*this, ResourceKey(instance, ":BITMAP:", name),
                               [read, name](TBitmap& set, int dpi) {
                                 return read(set, ScaledResourceName(name, dpi));
                               });
}

void TBitmap::LoadFromJpegResource(HINSTANCE instance, const std::string& name) {
  auto read = [instance](TBitmap& target, const std::string& resource) {
    const ResourceBytes r = FindResourceBytes(instance, resource, MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!r.Data) return false;
    target.LoadFromJpegMemory(std::vector<std::uint8_t>(r.Data, r.Data + r.Size));
    return true;
  };
  if (!read(*this, name)) throw EInvalidGraphic("JPEG resource \"" + name + "\" not found");
  TPictureScales::AttachShared(*this, ResourceKey(instance, ":JPEG:", name),
                               [read, name](TBitmap& set, int dpi) {
                                 return read(set, ScaledResourceName(name, dpi));
                               });
}

void TBitmap::LoadFromIconResource(HINSTANCE instance, const std::string& name, int width,
                                   int height) {
  // The system picks the icon's image nearest to the size, and draws it.
  auto draw = [instance, name](TBitmap& target, int w, int h) {
    HICON icon = static_cast<HICON>(LoadImageA(instance, name.c_str(), IMAGE_ICON, w, h, 0));
    if (!icon) return false;
    target.Clear();
    target.SetPixelFormat(pf24bit);
    target.SetSize(w, h);  // white
    DrawIconEx(target.Canvas()->Handle(), 0, 0, icon, w, h, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
    return true;
  };
  if (!draw(*this, width, height))
    throw EInvalidGraphic("Icon resource \"" + name + "\" not found");
  TPictureScales::Attach(
      *this,
      [draw, width, height](TBitmap& set, int dpi) {
        return draw(set, ScaledSide(width, dpi), ScaledSide(height, dpi));
      },
      true);
  Changed();
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

void TBitmap::LoadFromPngFile(const std::string& path) {
  LoadFromPngMemory(ReadPictureFile(path));
  TPictureScales::Attach(*this, [path](TBitmap& set, int dpi) {
    set.LoadFromPngMemory(ReadPictureFile(ScaledFileName(path, dpi)));
    return true;
  });
}

void TBitmap::LoadFromJpegFile(const std::string& path) {
  LoadFromJpegMemory(ReadPictureFile(path));
  TPictureScales::Attach(*this, [path](TBitmap& set, int dpi) {
    set.LoadFromJpegMemory(ReadPictureFile(ScaledFileName(path, dpi)));
    return true;
  });
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
