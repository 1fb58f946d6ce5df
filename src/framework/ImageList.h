// A list of images of one size, each with a transparency mask, drawn
// transparently onto canvases.
#pragma once

#include <memory>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Component.h"

class TImageList : public TComponent {
 public:
  // 16 x 16 images, as the system's default.
  explicit TImageList(TComponent* AOwner);
  TImageList(TComponent* AOwner, int width, int height);
  ~TImageList() override;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetWidth(int value) { SetSize(value, FHeight); }
  void SetHeight(int value) { SetSize(FWidth, value); }
  // A new size drops all images, as with the system's image lists.
  void SetSize(int width, int height);
  int Count() const { return static_cast<int>(FImages.size()); }

  // Adds the picture; one wider than Width is cut into Width / Height
  // images from the left (at least one). White pixels of the mask are
  // transparent; without a mask the images are opaque. Parts of an image
  // beyond the picture are transparent. Returns the index of the first new
  // image, -1 for an empty picture.
  int Add(TBitmap* image, TBitmap* mask);
  // The same, with the pixels of the given colour transparent.
  int AddMasked(TBitmap* image, TColor transparent);
  void Delete(int index);
  void Clear();

  // Draws image `index` with its top-left corner at (x, y); transparent
  // pixels leave the canvas as it was. Disabled: the image's dark pixels
  // embossed in clBtnHighlight (one pixel right and down) and clBtnShadow.
  void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;
  // Sets the target to the image size and draws the image on it, so that
  // transparent pixels keep the target's colour (white for a new bitmap).
  void GetBitmap(int index, TBitmap* target) const;

  TNotifyEvent OnChange;

 private:
  struct Entry;
  void AddImages(TBitmap* image, TBitmap* mask, const TColor* transparent, int& first);
  const Entry& At(int index) const;
  void Changed();

  int FWidth = 16;
  int FHeight = 16;
  std::vector<std::unique_ptr<Entry>> FImages;
};
