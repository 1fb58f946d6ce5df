// The frame's window-free rules: how a drag on an edge or corner changes the
// window, where the title buttons go, and how zoom scales one control. No
// window here.
#pragma once

// The smallest width and height the frame's own resizing sets.
constexpr int FrameMinWidth = 100;
constexpr int FrameMinHeight = 50;

struct FrameBounds {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const FrameBounds&) const = default;
};

// A window's own size constraints; 0 means no limit.
struct FrameLimits {
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
  int ClampWidth(int w) const;
  int ClampHeight(int h) const;
};

enum class ResizeRule { Bottom, Top, Right, Left };

// One resize rule for a pointer offset of delta (dy for Bottom and Top, dx
// for Right and Left), with the window's constraints applied. While the
// rule follows the pointer the edge opposite the dragged one stays put:
// when a constraint stops the size, a dragged top or left edge moves only by
// the change that happened. A window at or below the frame's minimum that
// is not being enlarged is set to the minimum instead, with Left and Top
// kept: a dragged top or left edge then stays, and the opposite edge moves.
FrameBounds ApplyResizeRule(const FrameBounds& r, ResizeRule rule, int delta,
                          const FrameLimits& limits);

// Places of the title buttons, left to right: zoom, minimise, roll-up,
// maximise; close is always there. Widths are 16 each.
struct TitleButtonPlaces {
  int PanelWidth = 0;
  // Left of each button in its panel, in the order above plus close; the
  // zoom button keeps 0 (its designed place) whether shown or not.
  int Left[5] = {0, 0, 0, 0, 0};
};
TitleButtonPlaces PlaceTitleButtons(bool zoom, bool minimise, bool rollUp, bool maximise);

// A length (a size, a font height, a constraint) scaled by f, rounded to
// the nearest integer with halves to even; 0 stays 0.
int ScaleLength(int v, double f);

struct ScaleAnchors {
  bool Left = true, Top = true, Right = false, Bottom = false;
};
// One control scaled by f. With a parent, whose size given here is already
// the scaled one and which the control's anchors have already followed,
// the margins to the anchored edges grow by f as well; without a parent
// the control simply grows or shrinks by f.
FrameBounds ScaleControlRect(const FrameBounds& r, const ScaleAnchors& anchors, bool hasParent,
                           int parentWidth, int parentHeight, double f);
