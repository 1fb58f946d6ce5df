// The frame base: the caption through the caption-label references, the
// version rule and the drop shadow.
#include "frame/UOber.h"

#include <gtest/gtest.h>

#include "framework/SysInfo.h"
#include "testkit/TestKit.h"

namespace {

std::vector<std::string> g_Order;  // names of labels as they receive a caption

class TNamedLabel : public TPZLabel {
 public:
  TNamedLabel(TComponent* owner, std::string name) : TPZLabel(owner), FName(std::move(name)) {}

 protected:
  void TextChanged() override {
    TPZLabel::TextChanged();
    g_Order.push_back(FName);
  }

 private:
  std::string FName;
};

class TAbsFrame : public TOberFormAbs {
 public:
  explicit TAbsFrame(TComponent* owner) : TOberFormAbs(owner) {}
  TPZLabel* First = nullptr;
  TPZLabel* Second = nullptr;
  void Link(bool first, bool second) {
    FCaptionLabel1 = first ? &First : nullptr;
    FCaptionLabel2 = second ? &Second : nullptr;
  }
};

struct ComponentDeleter {
  void operator()(TComponent* c) const { TComponent::Free(c); }
};

// The version values the framework read at start-up, put back at the end.
struct VersionGuard {
  DWORD Platform = Win32Platform, Major = Win32MajorVersion, Minor = Win32MinorVersion;
  ~VersionGuard() {
    Win32Platform = Platform;
    Win32MajorVersion = Major;
    Win32MinorVersion = Minor;
  }
};

BOOL DropShadowSetting() {
  BOOL on = FALSE;
  SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &on, 0);
  return on;
}

}  // namespace

// The label is looked up through the reference at each call: a label made
// anew after the references were set receives the next caption; unset
// references and missing labels are skipped; the first label before the
// second, the same text, markup included.
TEST(OberFormAbs, CaptionGoesThroughTheLabelReferences) {
  std::unique_ptr<TAbsFrame, ComponentDeleter> f(Application->CreateForm<TAbsFrame>());
  f->First = new TNamedLabel(f.get(), "first");
  f->Second = new TNamedLabel(f.get(), "second");
  const std::string caption = "\\IOrv\\iQuillon -- \\BBatch\\b";

  g_Order.clear();
  f->SetCaptionText(caption);  // nothing set yet
  EXPECT_TRUE(g_Order.empty());
  EXPECT_EQ("", f->First->Caption());

  f->Link(true, true);
  f->SetCaptionText(caption);
  EXPECT_EQ((std::vector<std::string>{"first", "second"}), g_Order);
  EXPECT_EQ(caption, f->First->Caption());
  EXPECT_EQ(caption, f->Second->Caption());

  TComponent::Free(f->First);
  f->First = new TNamedLabel(f.get(), "new first");
  g_Order.clear();
  f->SetCaptionText("next");
  EXPECT_EQ((std::vector<std::string>{"new first", "second"}), g_Order);
  EXPECT_EQ("next", f->First->Caption());

  TComponent::Free(f->Second);
  f->Second = nullptr;
  f->Link(false, true);
  g_Order.clear();
  f->SetCaptionText("last");  // a set reference to no label, an unset one
  EXPECT_TRUE(g_Order.empty());
  EXPECT_EQ("next", f->First->Caption());

  // The base's looks do nothing at all.
  f->ShowActiveLook();
  f->ShowInactiveLook();
  EXPECT_EQ("next", f->First->Caption());
}

// NT from 5.1 on: only then the system's drop shadow goes on (not saved in
// the profile) and the window class gets the shadow style; otherwise nothing
// changes.
TEST(OberFormAbs, DropShadowFromNt51On) {
  VersionGuard guard;
  const BOOL savedSetting = DropShadowSetting();
  struct Case {
    DWORD platform, major, minor;
    bool nt51;
  } cases[] = {
      {VER_PLATFORM_WIN32_NT, 5, 0, false},       {VER_PLATFORM_WIN32_WINDOWS, 6, 1, false},
      {VER_PLATFORM_WIN32_WINDOWS, 4, 90, false}, {VER_PLATFORM_WIN32_NT, 4, 0, false},
      {VER_PLATFORM_WIN32_NT, 5, 1, true},        {VER_PLATFORM_WIN32_NT, 5, 2, true},
      {VER_PLATFORM_WIN32_NT, 6, 0, true},        {VER_PLATFORM_WIN32_NT, 10, 0, true},
  };
  for (const Case& c : cases) {
    Win32Platform = c.platform;
    Win32MajorVersion = c.major;
    Win32MinorVersion = c.minor;
    EXPECT_EQ(c.nt51, IsNt51OrLater()) << c.platform << " " << c.major << "." << c.minor;
  }

  std::unique_ptr<TAbsFrame, ComponentDeleter> f(Application->CreateForm<TAbsFrame>());
  HWND h = f->Handle();
  SystemParametersInfoA(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(FALSE), 0);
  const DWORD style = GetClassLongA(h, GCL_STYLE) & ~DWORD(CS_DROPSHADOW);
  SetClassLongA(h, GCL_STYLE, static_cast<LONG>(style));
  for (const Case& c : cases) {
    if (c.nt51) continue;
    Win32Platform = c.platform;
    Win32MajorVersion = c.major;
    Win32MinorVersion = c.minor;
    EXPECT_FALSE(f->EnableDropShadow());
    EXPECT_FALSE(DropShadowSetting());
    EXPECT_EQ(style, GetClassLongA(h, GCL_STYLE));
  }
  Win32Platform = VER_PLATFORM_WIN32_NT;
  Win32MajorVersion = 5;
  Win32MinorVersion = 1;
  EXPECT_TRUE(f->EnableDropShadow());
  EXPECT_TRUE(DropShadowSetting());
  EXPECT_EQ(style | CS_DROPSHADOW, GetClassLongA(h, GCL_STYLE));

  SystemParametersInfoA(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(INT_PTR(savedSetting)), 0);
}
