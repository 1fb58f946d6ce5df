#include "controls/EnterExitButtonRules.h"

#include <cmath>

#include "framework/TextRules.h"

namespace {
// The colour values of the framework's named colours (0x00BBGGRR); this file
// is built without the framework's Windows headers.
constexpr std::int32_t kGreen = 0x008000;
constexpr std::int32_t kMaroon = 0x000080;
constexpr std::int32_t kTeal = 0x808000;
constexpr std::int32_t kNavy = 0x800000;
constexpr std::int32_t kLightBlue = 0xF9D8CF;
constexpr std::int32_t kLightGreen = 0xB3FFB3;
constexpr std::int32_t kLightRed = 0xCDCDF6;
}  // namespace

std::optional<TOrvKindPreset> KindPreset(TOrvButtonKind kind, int currentWidth,
                                         bool bitmapsEnabled) {
  TOrvKindPreset p;
  p.ColorActive = kLightBlue;
  switch (kind) {
    case ibkOK:
      p.ResBmpActive = "OKGREEN";
      p.ResBmpNormal = "OKSILVER";
      p.ColorActive = kLightGreen;
      p.Default = true;
      p.Width = 100;
      p.Caption = "OK";
      p.FontColor = kGreen;
      p.CaptionLeft = 50;
      p.ModalResult = 1;
      return p;
    case ibkCancel:
      p.ResBmpActive = "CANCELRED";
      p.ResBmpNormal = "CANCELSILVER";
      p.ColorActive = kLightRed;
      p.Cancel = true;
      p.Width = 100;
      p.Caption = "Abbruch";
      p.FontColor = kMaroon;
      p.CaptionLeft = 35;
      p.ModalResult = 2;
      return p;
    case ibkPPP:
      p.ResBmpActive = "PPPBLUE";
      p.ResBmpNormal = "PPPSILVER";
      p.ResBmpDisabled = "PPPDISABLED";
      p.Width = 35;
      p.Caption = bitmapsEnabled ? "" : "...";
      p.CaptionLeft = 1;
      return p;
    case ibkHelp:
      p.ResBmpActive = "HELPCYAN";
      p.ResBmpNormal = "HELPSILVER";
      p.Width = 100;
      p.Caption = "Hilfe";
      p.FontColor = kTeal;
      p.CaptionLeft = 43;
      return p;
    case ibkPlus:
      p.ResBmpActive = "PLUSGREEN200";
      p.ResBmpNormal = "PLUSSILVER200";
      p.ColorActive = kLightGreen;
      p.Width = 200;
      p.FontColor = kGreen;
      p.CaptionLeft = 35;
      return p;
    case ibkBlue: {
      int n = BlueFaceWidth(currentWidth);
      p.ResBmpActive = "BLUE" + std::to_string(n);
      p.ResBmpNormal = "SILVER" + std::to_string(n);
      p.Width = n;
      p.FontColor = kNavy;
      return p;
    }
    case ibkInfo:
      p.ResBmpActive = "INFOBLUE";
      p.ResBmpNormal = "INFOSILVER";
      p.Width = 100;
      p.Caption = "Info";
      p.FontColor = kNavy;
      p.CaptionLeft = 44;
      return p;
    case ibkOther:
      break;
  }
  return std::nullopt;
}

int BlueFaceWidth(int width) {
  if (width > 175) return 200;
  if (width >= 126) return 150;
  if (width >= 40) return 100;
  return 35;
}

int RoundHalfEven(double value) {
  double lower = std::floor(value);
  double diff = value - lower;
  if (diff > 0.5) return static_cast<int>(lower) + 1;
  if (diff < 0.5) return static_cast<int>(lower);
  long long l = static_cast<long long>(lower);
  return static_cast<int>(l % 2 == 0 ? l : l + 1);
}

std::size_t AccelMarkerPos(const std::string& text) {
  std::size_t p = text.find('&');
  if (p == std::string::npos) return p;
  if (p + 1 < text.size() && text[p + 1] == '&') return std::string::npos;
  return p;
}

std::string FaceBitmapName(TActiveState state, const std::string& active,
                           const std::string& normal, const std::string& disabled) {
  if (state == asActive) return active;
  if (state == asDisabled && !disabled.empty()) return disabled;
  return normal;
}

std::string WithTrailingBackslash(const std::string& folder) {
  if (folder.empty() || folder.back() == '\\') return folder;
  return folder + '\\';
}

TCaptionFit FitCaption(int available, int size, bool bold,
                       const std::function<int(int, bool)>& measure) {
  TCaptionFit f{size, bold, measure(size, bold)};
  if (f.Width > available && f.Bold) {
    f.Bold = false;
    // Measured again: a caption that fits without bold keeps its size.
    f.Width = measure(f.Size, f.Bold);
  }
  while (f.Width > available && f.Size > kMinCaptionSize) {
    --f.Size;
    f.Width = measure(f.Size, f.Bold);
  }
  return f;
}

TButtonModuleSwitches ButtonSwitchesFromParams(const std::vector<std::string>& params) {
  TButtonModuleSwitches s;
  for (const std::string& p : params) {
    std::string word = UpperCaseAscii(p);
    if (word == "NOBUTTONSHAPES") s.RegionsEnabled = false;
    if (word == "NOBUTTONBITMAPS") {
      s.BitmapsEnabled = false;
      s.RegionsEnabled = false;
    }
  }
  return s;
}
