// Pictures at the display's scale, without a window: which of the drawn
// sets a picture is made from, its size there, the names of the sets, and
// the resampling that fits a set to a scale it was not drawn for.
//
// A picture is designed for a 96-DPI screen (100 %). The program carries
// its pictures drawn again for 150 % (144 DPI) and 200 % (192 DPI), side by
// side with the 100 % ones: a resource "NAME" has the siblings "NAME_150"
// and "NAME_200", a file "dir\name.ext" the files "dir\name@150.ext" and
// "dir\name@200.ext". Only the 100 % picture is required; a sibling that is
// missing or unreadable is made from another set.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The DPIs the sets are drawn for, smallest first.
inline constexpr int kPictureSetDpis[] = {96, 144, 192};

// The side, in pixels at dpi, of what is side pixels at 100 % (rounded as
// MulDiv rounds: halves away from zero). Everything sized by a picture and
// every picture made for a scale keeps to it.
int ScaledSide(int side, int dpi);

// The set a picture shown at dpi is made from, among the available set
// DPIs (96 is always among them): the smallest that is at least dpi, which
// is then scaled down where it is larger; else the largest, scaled up.
int PictureSetFor(int dpi, const std::vector<int>& available);

// The set a texture tiles with at dpi. A texture is never scaled (its
// pixels are its grain): the available set nearest to dpi, the larger of
// two equally near.
int TextureSetFor(int dpi, const std::vector<int>& available);

// The sibling names of a set: the 100 % name itself for 96.
std::string ScaledResourceName(const std::string& name, int setDpi);
std::string ScaledFileName(const std::string& path, int setDpi);

// A picture as 0xAARRGGBB pixels, top row first, straight (not
// premultiplied) alpha.
struct PixelPicture {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
};

// Resamples to width x height: each axis shrinks by area averaging (every
// source pixel counts by the share of the target pixel it covers) and grows
// by linear interpolation between pixel centres. Colours are weighed by
// their alpha, so a clear pixel's colour never shows. The same size gives
// the picture back unchanged; a side below 1 gives an empty picture.
PixelPicture ResamplePixels(const PixelPicture& source, int width, int height);

// The same for an opaque picture whose pixels of the colour key (0xRRGGBB)
// are cut out when drawn: the result is opaque too, each pixel the key
// where less than two fifths of it is covered by the picture, else the
// mean of the picture's colours over it (never the key itself).
PixelPicture ResampleKeyed(const PixelPicture& source, std::uint32_t key, int width, int height);
