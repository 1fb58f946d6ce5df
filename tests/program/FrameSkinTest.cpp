// The skin read from a folder of damaged, missing or odd files: the
// program starts every time, falls back to the grey look where the metal
// pictures are not usable, and shows no error box.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "FrameTestUtil.h"

using namespace frametest;

namespace {

void Put32(std::string& s, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A Windows bitmap file of 24 bits per pixel whose header claims w x h;
// pixel rows are written only for the rows given.
std::string Bmp(int w, int h, int rowsWritten) {
  const int stride = (w * 3 + 3) & ~3;
  std::string s = "BM";
  Put32(s, 54 + static_cast<std::uint32_t>(stride) * h);
  Put32(s, 0);
  Put32(s, 54);
  Put32(s, 40);
  Put32(s, static_cast<std::uint32_t>(w));
  Put32(s, static_cast<std::uint32_t>(h));
  Put32(s, 1 | (24 << 16));
  for (int i = 0; i < 6; ++i) Put32(s, 0);
  s.append(static_cast<size_t>(stride) * rowsWritten, '\x80');
  return s;
}

struct SkinCase {
  const char* What;
  std::function<void(const testkit::TempDir&)> Damage;
  bool Metal, MetalLightIsMetal, TitleBars, Borders;
};

}  // namespace

TEST(FrameSkin, DamagedOrMissingSkinFilesFallBackWithoutABox) {
  const std::string art = testkit::ExeFolder() + "art\\Skins\\";
  const auto copy = [&](const testkit::TempDir& d, const char* name) {
    d.Write(std::string("Skins\\") + name, testkit::ReadFile(art + name));
  };
  const char* const files[] = {"Metal\\brushedmetal.bmp", "Metal\\brushedmetalblue.bmp",
                               "Metal\\brushedmetallight.bmp", "Shades\\titlebar.png",
                               "Shades\\titlebarActive.png", "Shades\\titleshadow.png",
                               "Shades\\borderW.png", "Shades\\borderSW.png",
                               "Shades\\borderS.png", "Shades\\borderE.png"};
  const auto put = [](const char* name, std::string content) {
    return [name, content](const testkit::TempDir& d) { d.Write(std::string("Skins\\") + name, content); };
  };
  const auto drop = [](const char* name) {
    return [name](const testkit::TempDir& d) { DeleteFileA((d / "Skins\\" + name).c_str()); };
  };
  const std::string metal = testkit::ReadFile(art + "Metal\\brushedmetal.bmp");
  const SkinCase cases[] = {
      {"all there", [](const testkit::TempDir&) {}, true, false, true, true},
      {"metal missing", drop("Metal\\brushedmetal.bmp"), false, false, true, true},
      {"metal truncated", put("Metal\\brushedmetal.bmp", metal.substr(0, metal.size() / 2)), false,
       false, true, true},
      {"metal blue empty", put("Metal\\brushedmetalblue.bmp", ""), false, false, true, true},
      {"metal blue is text", put("Metal\\brushedmetalblue.bmp", "not a picture\r\n"), false, false,
       true, true},
      {"metal claims 100000 x 100000", put("Metal\\brushedmetal.bmp", Bmp(100000, 100000, 1)),
       false, false, true, true},
      {"metal 5000 pixels wide", put("Metal\\brushedmetal.bmp", Bmp(5000, 1, 1)), false, false,
       true, true},
      {"metal 3 x 2, 24 bits", put("Metal\\brushedmetal.bmp", Bmp(3, 2, 2)), true, false, true,
       true},
      {"light metal missing", drop("Metal\\brushedmetallight.bmp"), true, true, true, true},
      {"title bar damaged", put("Shades\\titlebarActive.png", "\x89PNG\r\n\x1a\n trunc"), true,
       false, false, true},
      {"one border missing", drop("Shades\\borderS.png"), true, false, true, false},
  };
  testkit::MessageBoxRecorder boxes;
  for (const SkinCase& c : cases) {
    SCOPED_TRACE(c.What);
    testkit::TempDir dir;
    dir.MakeDir("Skins");
    dir.MakeDir("Skins\\Metal");
    dir.MakeDir("Skins\\Shades");
    for (const char* f : files) copy(dir, f);
    c.Damage(dir);
    LoadFrameSkin(dir.Path() + "\\");
    const FrameSkin& s = Skin();
    EXPECT_EQ(MetalBitmapsPresent(), c.Metal);
    EXPECT_EQ(s.MetalLight != nullptr, c.Metal);
    if (c.Metal)
      EXPECT_EQ(s.MetalLight->SaveToStream() == s.Metal->SaveToStream(), c.MetalLightIsMetal);
    EXPECT_EQ(s.TitleBar != nullptr && s.TitleBarActive != nullptr, c.TitleBars);
    EXPECT_NE(s.TitleShadow, nullptr);
    EXPECT_EQ(s.BorderW && s.BorderSW && s.BorderS && s.BorderE, c.Borders);
    // Windows in the metal and the shaded look come up in a look they can
    // draw: grey where the metal pictures are missing.
    for (bool shaded : {false, true}) {
      ShadedMode = false;
      if (shaded) SelectShadedLook();
      Design dialog;
      dialog.Style = bsDialog;
      for (const Design& d : {Design{}, dialog}) {
        TTestFrame* f = MakeFrame(d);
        EXPECT_EQ(f->Metal(), c.Metal && !shaded);
        EXPECT_EQ(f->HeadShade != nullptr, !c.Metal || shaded);
        f->ShowInactiveLook();
        f->ShowActiveLook();
        testkit::PumpPending();
        TComponent::Free(f);
      }
    }
    ShadedMode = false;
    for (const auto& b : boxes.Boxes) ADD_FAILURE() << b.Text;
    boxes.Boxes.clear();
  }
  EXPECT_TRUE(boxes.Boxes.empty());
  LoadBuildSkin();
}
