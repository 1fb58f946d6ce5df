// The band arithmetic of the gradient fill: which rectangle gets which
// colour, for each direction. No window: the fill hands each band to a sink.
#pragma once

#include <cstdint>

enum TPZDirection {
  drVertical,
  drHorizontal,
  drVerticalInOut,
  drHorizontalInOut,
  drDiagonalLeftRight,
  drDiagonalRightLeft,
};

// A band: pixel rectangle (right and bottom exclusive, cut to the area) and
// its colour as 0x00BBGGRR.
struct ShadeBand {
  int Left, Top, Right, Bottom;
  std::uint32_t Rgb;
};

class ShadeSink {
 public:
  virtual ~ShadeSink() = default;
  virtual void Fill(const ShadeBand& band) = 0;
};

// Fills an area of width x height with bands from startRgb towards endRgb:
// graduation bands per 100 pixels (0: one band over the whole extent; more
// than 100 counts as 100). Positions and colour components are held in 16.16
// fixed point, the colour step per band truncated toward zero, so the last
// full band may stop short of the end colour. Where the step would divide by
// zero (fewer than one band, or fewer than two for the in-out directions)
// the whole area is one band in the start colour.
//
// Only bands that meet the clip rectangle (given as left, top, right,
// bottom; by default the whole area) reach the sink, and the work grows with
// the bands that do, not with the size of the area.
struct ShadeClip {
  int Left, Top, Right, Bottom;
};
void ShadeBands(TPZDirection direction, int width, int height, int graduation,
                std::uint32_t startRgb, std::uint32_t endRgb, ShadeSink& sink);
void ShadeBands(TPZDirection direction, int width, int height, int graduation,
                std::uint32_t startRgb, std::uint32_t endRgb, const ShadeClip& clip,
                ShadeSink& sink);
