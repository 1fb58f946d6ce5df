// Signs drawn on several pictures (tool glyphs, button faces, the icon),
// as regions so each picture can paint them in its own colours.
#pragma once

#include "shapes.h"

namespace art {

// A question mark: a hook, a stem and a dot, size pixels high from top,
// centred on cx, with strokes of the given width.
Region QuestionMark(double cx, double top, double size, double stroke);

// A tick whose short arm starts at (x, y + h/2), size w x h.
Region Tick(double x, double y, double w, double h, double stroke);

// A diagonal cross filling the square of side size at (x, y).
Region Cross(double x, double y, double size, double stroke);

// An upright plus of the given arm span centred on (cx, cy).
Region Plus(double cx, double cy, double span, double stroke);

// A lower-case "i": dot and stem, size pixels high from top.
Region InfoI(double cx, double top, double size, double stroke);

}  // namespace art
