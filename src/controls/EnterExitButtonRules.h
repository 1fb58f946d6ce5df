// Window-free rules of the image button: the look presets of its kinds, the
// width steps of the blue faces, accelerator markers in captions, fitting a
// caption into the button, rounding, and the module's own command-line words.
// Built natively too.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// asActive: focused or under the pointer; asNormal: enabled and neither;
// asDisabled: disabled. The order is the one stored in form descriptions.
enum TActiveState { asActive, asNormal, asDisabled };

enum TOrvButtonKind { ibkOK, ibkCancel, ibkPPP, ibkHelp, ibkPlus, ibkBlue, ibkInfo, ibkOther };

// What a kind sets on top of the settings shared by every kind but ibkOther.
// An empty optional leaves the button's value as it is. Colours are
// 0x00BBGGRR.
struct TOrvKindPreset {
  std::string ResBmpActive;
  std::string ResBmpNormal;
  std::string ResBmpDisabled;
  std::int32_t ColorActive = 0;
  bool Default = false;
  bool Cancel = false;
  std::optional<int> Width;
  std::optional<std::string> Caption;
  std::optional<std::int32_t> FontColor;
  std::optional<int> CaptionLeft;
  int ModalResult = 0;
};

// The preset of a kind for a button now `currentWidth` wide; nothing for
// ibkOther, which changes nothing. The "..." caption of ibkPPP stands in for
// its picture when faces are drawn without bitmaps.
std::optional<TOrvKindPreset> KindPreset(TOrvButtonKind kind, int currentWidth,
                                         bool bitmapsEnabled);

// The blue faces exist in four widths; a button takes the nearest step:
// above 175 gives 200, 126..175 gives 150, 40..125 gives 100, below 40 gives 35.
int BlueFaceWidth(int width);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -2.5 -> -2).
int RoundHalfEven(double value);

// Position of the '&' that marks the accelerator of a caption, or npos: the
// first '&' counts unless it begins "&&" (then the caption has none at all).
std::size_t AccelMarkerPos(const std::string& text);

// The face bitmap's name for a state: the disabled name falls back to the
// normal one when empty.
std::string FaceBitmapName(TActiveState state, const std::string& active,
                           const std::string& normal, const std::string& disabled);

// A bitmap folder always ends with a backslash once set; empty stays empty.
std::string WithTrailingBackslash(const std::string& folder);


// The fitted font of a caption: bold goes first, then the size drops one
// point at a time, never below 6.
struct TCaptionFit {
  int Size = 0;
  bool Bold = false;
  int Width = 0;  // measured with the final size and weight
};
// measure(size, bold) gives the caption's width in that font.
TCaptionFit FitCaption(int available, int size, bool bold,
                       const std::function<int(int size, bool bold)>& measure);
constexpr int kMinCaptionSize = 6;

// The words of the button module, read from the program's parameters in any
// letter case: NOBUTTONSHAPES turns the regions off, NOBUTTONBITMAPS the
// bitmaps and the regions.
struct TButtonModuleSwitches {
  bool BitmapsEnabled = true;
  bool RegionsEnabled = true;
};
TButtonModuleSwitches ButtonSwitchesFromParams(const std::vector<std::string>& params);
