// The generator's self-check, run by the build before it draws: known
// answers for the check sums, round trips through the encoders, and the
// rules every picture and sound must keep.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <map>
#include <set>
#include <string>

#include "art.h"
#include "catalogue.h"
#include "decoders.h"
#include "encoders.h"
#include "palette.h"
#include "pictures.h"

namespace art {
namespace {

class Checker {
 public:
  void Expect(bool ok, const std::string& what) {
    ++checks_;
    if (ok) return;
    ++failures_;
    std::fprintf(stderr, "artgen self-check failed: %s\n", what.c_str());
  }
  int Failures() const { return failures_; }
  int Checks() const { return checks_; }

 private:
  int failures_ = 0, checks_ = 0;
};


std::uint32_t Le32(const Bytes& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}
std::uint32_t Le16(const Bytes& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }

bool SamePixels(const Canvas& a, const Canvas& b, bool withAlpha) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      Rgba p = a.Get(x, y), q = b.Get(x, y);
      if (!withAlpha) p.a = q.a = 255;
      if (!(p == q)) return false;
    }
  return true;
}

void CheckBmpHeaders(Checker& c) {
  Canvas img(3, 2, vga::White);
  img.Set(0, 1, vga::Fuchsia);
  img.Set(2, 0, vga::Black);
  const auto& vga = Vga16();
  const std::vector<Rgba> pal16(vga.begin(), vga.end());
  struct Case {
    int bits;
    Bytes file;
    int paletteSize;
  };
  const Case cases[] = {{24, EncodeBmp24(img), 0},
                        {4, EncodeBmpIndexed(img, pal16, 4), 16},
                        {8, EncodeBmpIndexed(img, pal16, 8), 16}};
  for (const Case& k : cases) {
    const std::string n = std::to_string(k.bits) + "-bit bitmap ";
    const std::size_t rowBytes = ((3 * std::size_t(k.bits) + 31) / 32) * 4;
    c.Expect(k.file.size() == 54 + 4u * k.paletteSize + rowBytes * 2, n + "file size");
    c.Expect(Le32(k.file, 2) == k.file.size(), n + "size field");
    c.Expect(Le32(k.file, 10) == 54 + 4u * k.paletteSize, n + "pixel offset");
    c.Expect(Le32(k.file, 14) == 40 && Le16(k.file, 28) == std::uint32_t(k.bits), n + "info header");
    const std::optional<Canvas> back = DecodeBmp(k.file);
    c.Expect(back && SamePixels(*back, img, false), n + "decodes to its picture");
  }
  Canvas mono(10, 3, vga::Black);
  mono.Set(9, 2, vga::White);
  const std::optional<Canvas> back = DecodeBmp(EncodeBmpIndexed(mono, {vga::Black, vga::White}, 1));
  c.Expect(back && SamePixels(*back, mono, false), "1-bit bitmap decodes to its picture");
  bool threw = false;
  try {
    EncodeBmpIndexed(img, {vga::Black}, 1);
  } catch (const std::exception&) {
    threw = true;
  }
  c.Expect(threw, "a colour outside the palette is refused");
}

void CheckIcon(Checker& c, const Bytes& ico) {
  c.Expect(ico.size() > 6 && Le16(ico, 0) == 0 && Le16(ico, 2) == 1, "icon directory header");
  const int count = int(Le16(ico, 4));
  std::set<int> sizes;
  for (int i = 0; i < count; ++i) {
    const std::size_t e = 6 + 16 * std::size_t(i);
    const int w = ico[e] == 0 ? 256 : ico[e];
    const std::uint32_t bytes = Le32(ico, e + 8), at = Le32(ico, e + 12);
    const bool inside = at + bytes <= ico.size();
    c.Expect(inside, "icon image lies inside the file");
    if (!inside) continue;
    sizes.insert(w);
    if (w == 256) {
      // The largest image is a PNG, as the system expects it there.
      const std::optional<Canvas> png = DecodePng(Bytes(ico.begin() + at, ico.begin() + at + bytes));
      c.Expect(png && png->Width() == 256 && png->Height() == 256, "the 256-pixel icon image is a PNG");
      continue;
    }
    c.Expect(Le32(ico, at) == 40 && Le32(ico, at + 8) == 2u * ico[e + 1] &&
                 Le16(ico, at + 14) == 32,
             "icon image header of the " + std::to_string(w) + "-pixel image");
    c.Expect(bytes == std::uint32_t(40 + w * w * 4 + ((w + 31) / 32) * 4 * w), "icon image size");
  }
  c.Expect(sizes == std::set<int>(std::begin(kIconSides), std::end(kIconSides)),
           "icon holds every side of kIconSides (16, 24, 32, 48 and 256 among them)");
}

void CheckCursor(Checker& c, const Bytes& cur) {
  c.Expect(cur.size() > 22 && Le16(cur, 2) == 2 && Le16(cur, 4) == 1, "cursor directory header");
  const int hotX = int(Le16(cur, 10)), hotY = int(Le16(cur, 12));
  const std::uint32_t at = Le32(cur, 18);
  c.Expect(cur[6] == 32 && cur[7] == 32 && hotX < 32 && hotY < 32, "cursor size and hot spot");
  c.Expect(at + 40 + 8 + 128 + 128 == cur.size() && Le16(cur, at + 14) == 1, "cursor image layout");
  // The hot spot must be on the drawn hand, not on the clear background:
  // its AND-mask bit (row counted from the bottom) is clear.
  const std::size_t andRow = at + 40 + 8 + 128 + 4 * std::size_t(31 - hotY);
  c.Expect(((cur[andRow + hotX / 8] >> (7 - hotX % 8)) & 1) == 0, "cursor hot spot on the hand");
}

void CheckWav(Checker& c, const Bytes& wav) {
  c.Expect(wav.size() > 44 && std::memcmp(wav.data(), "RIFF", 4) == 0 &&
               Le32(wav, 4) == wav.size() - 8 && std::memcmp(wav.data() + 8, "WAVEfmt ", 8) == 0,
           "wave header");
  c.Expect(Le16(wav, 20) == 1 && Le16(wav, 22) == 1 && Le32(wav, 24) == 22050 &&
               Le32(wav, 28) == 44100 && Le16(wav, 32) == 2 && Le16(wav, 34) == 16,
           "wave format: PCM, mono, 22050 Hz, 16 bit");
  const std::uint32_t bytes = Le32(wav, 40);
  c.Expect(std::memcmp(wav.data() + 36, "data", 4) == 0 && 44 + bytes == wav.size(), "wave data chunk");
  const double ms = bytes / 2 * 1000.0 / 22050;
  c.Expect(ms > 54 && ms < 60, "the click lasts about 57 ms");
  int peak = 0;
  for (std::uint32_t i = 0; i < bytes / 2; ++i)
    peak = std::max(peak, std::abs(int(std::int16_t(Le16(wav, 44 + 2 * i)))));
  const int last = std::abs(int(std::int16_t(Le16(wav, wav.size() - 2))));
  c.Expect(peak > 8000 && last < 200, "the click is audible and ends in silence");
}

// The step across the wrap-around edge is no larger than the largest step
// between neighbouring columns (rows) inside the picture, so no seam shows
// when it is tiled.
void CheckTileable(Checker& c, const std::string& name, const Canvas& img) {
  const int w = img.Width(), h = img.Height();
  auto columnStep = [&](int x0, int x1) {
    double sum = 0;
    for (int y = 0; y < h; ++y) sum += std::abs(int(img.Get(x0, y).g) - int(img.Get(x1, y).g));
    return sum / h;
  };
  auto rowStep = [&](int y0, int y1) {
    double sum = 0;
    for (int x = 0; x < w; ++x) sum += std::abs(int(img.Get(x, y0).g) - int(img.Get(x, y1).g));
    return sum / w;
  };
  double widest = 0, tallest = 0;
  for (int x = 1; x < w; ++x) widest = std::max(widest, columnStep(x - 1, x));
  for (int y = 1; y < h; ++y) tallest = std::max(tallest, rowStep(y - 1, y));
  c.Expect(columnStep(w - 1, 0) <= widest, name + " tiles without a seam across");
  c.Expect(rowStep(h - 1, 0) <= tallest, name + " tiles without a seam down");
}

// The intro picture decodes to its size and stays close to what was drawn.
void CheckIntro(Checker& c, const Bytes& jpeg, double s) {
  const std::optional<Canvas> back = DecodeJpeg(jpeg);
  const int w = ScaledSide(394, s), h = ScaledSide(205, s);
  const bool sized = back && back->Width() == w && back->Height() == h;
  c.Expect(sized, "intro picture is 394 x 205 at 100 %, in proportion at the other scales");
  if (!sized) return;
  const Canvas drawn = IntroPicture(s);
  double sum = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Rgba p = drawn.Get(x, y), q = back->Get(x, y);
      sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
    }
  c.Expect(sum / (double(w) * h * 3) < 4, "intro picture survives its encoding");
}

std::optional<Canvas> DecodePicture(const Asset& a) {
  if (a.file.ends_with(".bmp")) return DecodeBmp(a.data);
  if (a.file.ends_with(".png")) return DecodePng(a.data);
  if (a.file.ends_with(".jpg")) return DecodeJpeg(a.data);
  return std::nullopt;
}

bool PixelDoubled(const Canvas& small, const Canvas& big) {
  if (big.Width() != 2 * small.Width() || big.Height() != 2 * small.Height()) return false;
  for (int y = 0; y < big.Height(); ++y)
    for (int x = 0; x < big.Width(); ++x)
      if (!(big.Get(x, y) == small.Get(x / 2, y / 2))) return false;
  return true;
}

// Every picture of 150 % and 200 % has its 100 % sibling and ScaledSide of
// its size, and the sets are drawn for their scale, not enlarged: only
// pictures made of whole-pixel bars alone (a square box, a window button
// of straight bars) may come out as the 100 % picture with each pixel
// doubled, and they are few.
void CheckScaledSets(Checker& c, const Catalogue& cat) {
  std::map<std::string, const Asset*> base;
  for (const Asset& a : cat.assets)
    if (a.scale == 1.0) base[a.file] = &a;
  int doubled = 0, at200 = 0;
  for (const Asset& a : cat.assets) {
    if (a.scale == 1.0) continue;
    const Asset* b = nullptr;
    for (const auto& [file, asset] : base)
      if (ScaledFile(file, a.scale) == a.file) b = asset;
    c.Expect(b != nullptr, a.file + " has its 100 % picture");
    if (!b) continue;
    c.Expect(a.resName == (b->resName.empty() ? "" : ScaledName(b->resName, a.scale)),
             a.file + " is named after its 100 % picture");
    const std::optional<Canvas> big = DecodePicture(a), small = DecodePicture(*b);
    if (!big || !small) continue;
    c.Expect(big->Width() == ScaledSide(small->Width(), a.scale) &&
                 big->Height() == ScaledSide(small->Height(), a.scale),
             a.file + " has the size of its 100 % picture at its scale");
    if (a.scale == 2.0) {
      ++at200;
      if (PixelDoubled(*small, *big)) ++doubled;
    }
  }
  c.Expect(at200 > 0 && doubled * 4 < at200,
           "the 200 % pictures are drawn at 200 %, not doubled (" + std::to_string(doubled) + " of " +
               std::to_string(at200) + " are)");
}

std::string Upper(std::string s) {
  for (char& ch : s) ch = char(std::toupper(static_cast<unsigned char>(ch)));
  return s;
}

void CheckCatalogue(Checker& c) {
  const Catalogue cat = BuildCatalogue();
  for (const std::string& p : cat.problems) c.Expect(false, p);
  const Catalogue again = BuildCatalogue();
  bool same = cat.assets.size() == again.assets.size();
  for (std::size_t i = 0; same && i < cat.assets.size(); ++i)
    same = cat.assets[i].data == again.assets[i].data && cat.assets[i].file == again.assets[i].file;
  c.Expect(same, "drawing twice gives the same bytes");

  std::set<std::string> names, files;
  for (const Asset& a : cat.assets) {
    c.Expect(files.insert(Upper(a.file)).second, "file written once: " + a.file);
    if (!a.resType.empty()) c.Expect(names.insert(Upper(a.resName)).second, "resource named once: " + a.resName);
    const bool bmp = a.file.ends_with(".bmp"), png = a.file.ends_with(".png");
    if (bmp) c.Expect(DecodeBmp(a.data).has_value(), a.file + " is a readable bitmap");
    if (png) c.Expect(DecodePng(a.data).has_value(), a.file + " is a readable PNG");
    if (a.file.ends_with(".jpg")) CheckIntro(c, a.data, a.scale);
    if (a.file.ends_with(".ico")) CheckIcon(c, a.data);
    if (a.file.ends_with(".cur")) CheckCursor(c, a.data);
    if (a.file.ends_with(".wav")) CheckWav(c, a.data);
    if (a.file.starts_with("Skins/Metal/")) {
      const std::optional<Canvas> img = DecodeBmp(a.data);
      if (img) CheckTileable(c, a.file, *img);
    }
  }
  static const char* const kRequired[] = {
      "X_M", "UP_M", "DOWN_M", "BIG_M", "RESTORE_M", "ZOOMIN_M", "ZOOMOUT_M", "SYSM_M", "ECKE_M",
      "RUNDLO", "RUNDRO", "RUNDLU", "RUNDRU", "BLANK", "BLANKFLAT", "ENABLED", "ENABLEDFLAT",
      "BLANKRND", "BLANKFLATRND", "ENABLEDRND", "ENABLEDFLATRND", "CHECKIKS", "CHECKOK",
      "CHECKELLI", "CHECKEIKSB", "CHECKIKSG", "CHECKOKG", "CHECKOKR", "IKSGRAY", "CHECKGRAY",
      "QMR", "QMB", "QMG", "KLIK", "HANDD", "MAINICON", "INTRO", "ICON16", "GLYPH_UPDATE",
      "GLYPH_EXPLORE", "GLYPH_EXPLORER", "GLYPH_HELP", "GLYPH_CROSS", "GLYPH_FILTER",
      "GLYPH_FNAME", "GLYPH_BATCH", "DRIVE_FLOPPY", "DRIVE_FIXED", "DRIVE_CDROM", "DRIVE_NET",
      "DRIVE_RAM", "DRIVE_REMOVABLE", "FOLDER_OPEN", "FOLDER_CURRENT", "FOLDER_CLOSED",
      "FILE_EXE", "FILE_DOC"};
  for (double s : kScales)
    for (const char* r : kRequired) {
      const std::string n = std::string(r) == "KLIK" || std::string(r) == "HANDD" || std::string(r) == "MAINICON"
                                ? std::string(r)
                                : ScaledName(r, s);
      c.Expect(names.count(n) == 1, "resource " + n);
    }
  static const char* const kSkins[] = {
      "SKINS/METAL/BRUSHEDMETAL.BMP", "SKINS/METAL/BRUSHEDMETALBLUE.BMP",
      "SKINS/METAL/BRUSHEDMETALLIGHT.BMP", "SKINS/SHADES/TITLEBAR.PNG",
      "SKINS/SHADES/TITLEBARACTIVE.PNG", "SKINS/SHADES/TITLESHADOW.PNG",
      "SKINS/SHADES/BORDERW.PNG", "SKINS/SHADES/BORDERSW.PNG", "SKINS/SHADES/BORDERS.PNG",
      "SKINS/SHADES/BORDERE.PNG", "SKINS/BUTTONS/OKGREEN.BMP", "SKINS/BUTTONS/OKSILVER.BMP",
      "SKINS/BUTTONS/CANCELRED.BMP", "SKINS/BUTTONS/CANCELSILVER.BMP",
      "SKINS/BUTTONS/BLUE35.BMP", "SKINS/BUTTONS/BLUE100.BMP", "SKINS/BUTTONS/BLUE150.BMP",
      "SKINS/BUTTONS/BLUE200.BMP", "SKINS/BUTTONS/SILVER35.BMP", "SKINS/BUTTONS/SILVER100.BMP",
      "SKINS/BUTTONS/SILVER150.BMP", "SKINS/BUTTONS/SILVER200.BMP", "SKINS/BUTTONS/PPPBLUE.BMP",
      "SKINS/BUTTONS/PPPSILVER.BMP", "SKINS/BUTTONS/PPPDISABLED.BMP",
      "SKINS/BUTTONS/HELPCYAN.BMP", "SKINS/BUTTONS/HELPSILVER.BMP",
      "SKINS/BUTTONS/PLUSGREEN200.BMP", "SKINS/BUTTONS/PLUSSILVER200.BMP",
      "SKINS/BUTTONS/INFOBLUE.BMP", "SKINS/BUTTONS/INFOSILVER.BMP"};
  for (double scale : kScales)
    for (const char* s : kSkins) {
      std::string f = ScaledFile(s, scale);
      for (char& ch : f) ch = char(std::toupper(static_cast<unsigned char>(ch)));
      c.Expect(files.count(f) == 1, "skin file " + f);
    }
  CheckScaledSets(c, cat);
}

// Pictures are checked once more against their own encodings, pixel by
// pixel, including the PNGs of the shaded skin.
void CheckRoundTrips(Checker& c) {
  std::vector<Picture> all;
  for (double s : kScales) {
    for (auto list : {FrameGlyphs(s), FramePieces(s), CheckBoxImages(s), ToolGlyphs(s),
                      FilePaneGlyphs(s), ButtonFaces(s)})
      all.insert(all.end(), list.begin(), list.end());
    all.push_back(Icon16Bitmap(s));
  }
  for (const Picture& p : all) {
    Bytes file;
    if (p.kind == BmpKind::kVga16) {
      const auto& vga = Vga16();
      file = EncodeBmpIndexed(p.image, std::vector<Rgba>(vga.begin(), vga.end()), 4);
    } else {
      file = EncodeBmp24(p.image);
    }
    const std::optional<Canvas> back = DecodeBmp(file);
    c.Expect(back && SamePixels(*back, p.image, false), p.name + " survives its encoding");
  }
  for (double scale : kScales)
    for (const SkinPicture& s : ShadedSkins(scale)) {
      const std::optional<Canvas> back = DecodePng(EncodePng(s.image, s.alpha));
      c.Expect(back && SamePixels(*back, s.image, s.alpha), s.path + " survives its encoding");
    }
}

}  // namespace

int RunSelfTest() {
  Checker c;
  CheckBmpHeaders(c);
  CheckRoundTrips(c);
  CheckCatalogue(c);
  std::printf("artgen self-check: %d checks, %d failed\n", c.Checks(), c.Failures());
  return c.Failures();
}

}  // namespace art
