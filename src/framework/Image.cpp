#include "framework/ExtCtrls.h"

TImage::TImage(TComponent* AOwner)
    : TGraphicControl(AOwner), FPicture(std::make_unique<TBitmap>()) {
  SetBounds(0, 0, 105, 105);
  FPicture->OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

void TImage::SetStretch(bool v) {
  if (v == FStretch) return;
  FStretch = v;
  Invalidate();
}

void TImage::SetCenter(bool v) {
  if (v == FCenter) return;
  FCenter = v;
  Invalidate();
}

void TImage::SetAutoSize(bool v) {
  if (v == FAutoSize) return;
  FAutoSize = v;
  if (v) PictureChanged();
}

void TImage::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  Invalidate();
}

const TBitmap& TImage::Shown() const { return FPicture->AtDpi(Dpi(), FTransparent); }

void TImage::PictureChanged() {
  // Sized by the picture at the scale the image is laid out for.
  const TBitmap& shown = Shown();
  if (FAutoSize && !shown.Empty() && Align() == alNone)
    SetBounds(Left(), Top(), shown.Width(), shown.Height());
  else if (FAutoSize && !shown.Empty())
    // An aligned image keeps the side its alignment decides.
    SetBounds(Left(), Top(), Align() == alTop || Align() == alBottom ? Width() : shown.Width(),
              Align() == alLeft || Align() == alRight ? Height() : shown.Height());
  Invalidate();
}

void TImage::Paint() {
  const TBitmap& shown = Shown();
  if (shown.Empty()) return;
  const int pw = shown.Width(), ph = shown.Height();
  TRect r;
  if (FStretch) {
    r = ClientRect();
  } else if (FCenter) {
    r = Bounds((Width() - pw) / 2, (Height() - ph) / 2, pw, ph);
  } else {
    r = Bounds(0, 0, pw, ph);
  }
  // The image's own switch decides, whatever the picture's setting.
  HDC dc = Canvas()->Handle();
  if (dc) shown.DrawTo(dc, r, FTransparent);
}
