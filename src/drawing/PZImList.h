// TPZImageList: an image list of a fixed image size, given at construction.
#pragma once

#include "framework/ImageList.h"

class TPZImageList : public TImageList {
 public:
  TPZImageList(int AWidth, int AHeight);
};
