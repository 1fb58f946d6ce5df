#include "catalogue.h"

#include <cctype>
#include <stdexcept>

#include "encoders.h"
#include "palette.h"

namespace art {
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

void AddPicture(Catalogue& cat, const Picture& p, std::string file, std::string resType) {
  CheckPicture(p, cat.problems);
  try {
    Asset a;
    a.file = std::move(file);
    a.data = EncodePicture(p);
    a.resType = std::move(resType);
    a.resName = p.name;
    cat.assets.push_back(std::move(a));
  } catch (const std::exception& e) {
    cat.problems.push_back(p.name + ": " + e.what());
  }
}

void AddResourcePictures(Catalogue& cat, const std::vector<Picture>& pictures) {
  for (const Picture& p : pictures) AddPicture(cat, p, Lower(p.name) + ".bmp", "BITMAP");
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
    AddResourcePictures(cat, FrameGlyphs());
    AddResourcePictures(cat, FramePieces());
    AddResourcePictures(cat, CheckBoxImages());
    AddResourcePictures(cat, ToolGlyphs());
    AddResourcePictures(cat, FilePaneGlyphs());
    AddResourcePictures(cat, {Icon16Bitmap()});

    Asset icon{"orvquill.ico", EncodeIcon(MainIconImages()), "ICON", "MAINICON", true};
    cat.assets.push_back(std::move(icon));
    const CursorArt hand = HandCursor();
    cat.assets.push_back(
        {"handd.cur", EncodeMonoCursor(hand.image, hand.hotX, hand.hotY), "CURSOR", "HANDD"});
    cat.assets.push_back({"klik.wav", EncodeWav(ClickSound(), kClickSampleRate), "WAV", "KLIK"});
    // Shown by the intro box; JPEG keeps the program small.
    cat.assets.push_back({"intro.jpg", EncodeJpeg(IntroPicture(), 90), "RCDATA", "INTRO"});

    for (SkinFile& f : MetalSkins()) cat.assets.push_back(SkinAsset(f.path, std::move(f.data)));
    for (const SkinPicture& s : ShadedSkins())
      cat.assets.push_back(SkinAsset(s.path, EncodePng(s.image, s.alpha)));
    for (const Picture& p : ButtonFaces()) AddPicture(cat, p, "Skins/Buttons/" + p.name + ".bmp", "");
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
