#include "controls/OrvRoundRectGeometry.h"

TOutlinePen OutlinePenFor(int borderWidth) {
  if (borderWidth % 2 != 0) return {borderWidth, (borderWidth - 1) / 2};
  return {borderWidth + 1, borderWidth / 2 - 1};
}

TClipBox ChildClipBox(int childWidth, int childHeight, int clipLeft, int clipTop, int clipRight,
                      int clipBottom) {
  return {clipLeft, clipTop, childWidth - clipRight + 1, childHeight - clipBottom + 1};
}
