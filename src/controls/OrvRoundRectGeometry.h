// Arithmetic of the round-rect panel's outline and of the clipped child,
// kept free of windows so it can be tested on values.
#pragma once

// The outline pen is always an odd number of pixels wide, so that it lies
// centred on a whole pixel; the inset moves the rounded rectangle inwards so
// that the pen's outer edge meets the panel's edge.
struct TOutlinePen {
  int Width;
  int Inset;
};
TOutlinePen OutlinePenFor(int borderWidth);

// The rectangle of a child window that stays visible, in the child's own
// window coordinates, right and bottom exclusive. ClipRight and ClipBottom
// are one more than the pixels they cut.
struct TClipBox {
  int Left, Top, Right, Bottom;
};
TClipBox ChildClipBox(int childWidth, int childHeight, int clipLeft, int clipTop, int clipRight,
                      int clipBottom);
