#include "catalogue.h"

#include <cctype>
#include <stdexcept>

#include <cmath>

#include "encoders.h"
#include "palette.h"

namespace art {

std::string ScaledName(const std::string& name, double s) {
  return s == 1.0 ? name : name + "_" + std::to_string(std::lround(s * 100));
}

std::string ScaledFile(const std::string& path, double s) {
  if (s == 1.0) return path;
  const std::size_t dot = path.rfind('.');
  const std::size_t at = dot == std::string::npos || path.find('/', dot) != std::string::npos ? path.size() : dot;
  return path.substr(0, at) + "@" + std::to_string(std::lround(s * 100)) + path.substr(at);
}

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Skin files lie below "Skins" and are no resources.
Asset SkinAsset(const std::string& path, Bytes data) {
  Asset a;
  a.file = "Skins/" + path;
  a.data = std::move(data);
  return a;
}

Bytes EncodePicture(const Picture& p) {
  if (p.kind == BmpKind::kVga16) {
    const auto& vga = Vga16();
    return EncodeBmpIndexed(p.image, std::vector<Rgba>(vga.begin(), vga.end()), 4);
  }
  return EncodeBmp24(p.image);
}

void AddPicture(Catalogue& cat, const Picture& p, std::string file, std::string resType, double s) {
  CheckPicture(p, cat.problems);
  try {
    Asset a;
    a.file = ScaledFile(file, s);
    a.data = EncodePicture(p);
    a.resType = std::move(resType);
    a.resName = ScaledName(p.name, s);
    a.scale = s;
    cat.assets.push_back(std::move(a));
  } catch (const std::exception& e) {
    cat.problems.push_back(p.name + ": " + e.what());
  }
}

void AddResourcePictures(Catalogue& cat, const std::vector<Picture>& pictures, double s) {
  for (const Picture& p : pictures) AddPicture(cat, p, Lower(p.name) + ".bmp", "BITMAP", s);
}

Asset Scaled(Asset a, double s) {
  a.file = ScaledFile(a.file, s);
  if (!a.resName.empty()) a.resName = ScaledName(a.resName, s);
  a.scale = s;
  return a;
}

}  // namespace

void CheckPicture(const Picture& p, std::vector<std::string>& problems) {
  const Canvas& img = p.image;
  if (img.Width() <= 0 || img.Height() <= 0) {
    problems.push_back(p.name + ": empty picture");
    return;
  }
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x)
      if (img.Get(x, y).a != 255) {
        problems.push_back(p.name + ": a pixel is not opaque");
        y = img.Height();
        break;
      }
  if (p.kind == BmpKind::kVga16) {
    for (int y = 0; y < img.Height(); ++y)
      for (int x = 0; x < img.Width(); ++x)
        if (!VgaIndex(img.Get(x, y))) {
          problems.push_back(p.name + ": colour outside the 16-colour palette");
          y = img.Height();
          break;
        }
  }
  if (p.key && !(img.Get(0, img.Height() - 1) == *p.key))
    problems.push_back(p.name + ": bottom-left pixel is not the transparent colour");
}

Catalogue BuildCatalogue() {
  Catalogue cat;
  try {
    for (double s : kScales) {
      AddResourcePictures(cat, FrameGlyphs(s), s);
      AddResourcePictures(cat, FramePieces(s), s);
      AddResourcePictures(cat, CheckBoxImages(s), s);
      AddResourcePictures(cat, ToolGlyphs(s), s);
      AddResourcePictures(cat, FilePaneGlyphs(s), s);
      AddResourcePictures(cat, {Icon16Bitmap(s)}, s);
      // Shown by the intro box; JPEG keeps the program small.
      cat.assets.push_back(Scaled({"intro.jpg", EncodeJpeg(IntroPicture(s), 90), "RCDATA", "INTRO"}, s));
      for (SkinFile& f : MetalSkins(s)) cat.assets.push_back(Scaled(SkinAsset(f.path, std::move(f.data)), s));
      for (const SkinPicture& p : ShadedSkins(s))
        cat.assets.push_back(Scaled(SkinAsset(p.path, EncodePng(p.image, p.alpha)), s));
      for (const Picture& p : ButtonFaces(s)) AddPicture(cat, p, "Skins/Buttons/" + p.name + ".bmp", "", s);
    }

    Asset icon{"orvquill.ico", EncodeIcon(MainIconImages()), "ICON", "MAINICON", true};
    cat.assets.push_back(std::move(icon));
    const CursorArt hand = HandCursor();
    cat.assets.push_back(
        {"handd.cur", EncodeMonoCursor(hand.image, hand.hotX, hand.hotY), "CURSOR", "HANDD"});
    cat.assets.push_back({"klik.wav", EncodeWav(ClickSound(), kClickSampleRate), "WAV", "KLIK"});
  } catch (const std::exception& e) {
    cat.problems.push_back(e.what());
  }
  return cat;
}

std::string ResourceScript(const Catalogue& cat, bool typeChooser) {
  std::string out =
      "// Written by tools/artgen at build time; every file named here lies\n"
      "// beside this one in the build's art folder.\n";
  for (const Asset& a : cat.assets) {
    if (a.resType.empty() || (typeChooser && !a.inTypeChooser)) continue;
    out += a.resName + " " + a.resType + " \"" + a.file + "\"\n";
  }
  return out;
}

}  // namespace art
