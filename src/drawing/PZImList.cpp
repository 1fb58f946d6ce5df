#include "drawing/PZImList.h"

// Owned by the button that cuts its glyph into it, not by a component.
TPZImageList::TPZImageList(int AWidth, int AHeight) : TImageList(nullptr, AWidth, AHeight) {}
