// Where a speed button puts its image and its caption: arithmetic on sizes
// only, so it can be tested without windows. All halvings are integer
// halvings toward zero.
#pragma once

// Where the image sits relative to the caption.
enum TPZButtonLayout { blLeft, blRight, blTop, blBottom };

struct TPZLayoutInput {
  int ClientWidth = 0, ClientHeight = 0;
  int ImageWidth = 0, ImageHeight = 0;      // 0 x 0 without images
  int CaptionWidth = 0, CaptionHeight = 0;  // 0 x 0 for an empty caption
  bool HasCaption = false;
  bool HasImages = false;
  int Spacing = 4;
  int Margin = -1;  // -1: image and caption centred as one block
  TPZButtonLayout Layout = blTop;
};

struct TPZLayout {
  int ImageX = 0, ImageY = 0;
  // The caption rectangle, right and bottom exclusive.
  int CaptionLeft = 0, CaptionTop = 0, CaptionRight = 0, CaptionBottom = 0;
};

TPZLayout CalcButtonLayout(const TPZLayoutInput& in);
