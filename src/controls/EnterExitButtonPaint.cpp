// TOrvNewButton's painting and the accelerator text helpers.
#include "controls/EnterExitButton.h"

#include "framework/Bitmap.h"

int AccelTextWidth(TCanvas* canvas, const std::string& text, bool show) {
  int w = canvas->TextWidth(text);
  if (show && AccelMarkerPos(text) != std::string::npos) w -= canvas->TextWidth("&");
  return w;
}

void DrawAccelText(TCanvas* canvas, int x, int y, const std::string& text, bool show) {
  std::size_t marker = show ? AccelMarkerPos(text) : std::string::npos;
  if (marker == std::string::npos) {
    canvas->TextOut(x, y, text);
    return;
  }
  std::string before = text.substr(0, marker);
  canvas->TextOut(x, y, before + text.substr(marker + 1));
  if (marker + 1 >= text.size()) return;  // a trailing '&' marks nothing
  int lineY = y + RoundHalfEven(0.9 * canvas->TextHeight("Pp"));
  int x1 = x + canvas->TextWidth(before);
  int x2 = x1 + canvas->TextWidth(text.substr(marker + 1, 1));
  TPen* pen = canvas->Pen();
  pen->SetStyle(psSolid);
  pen->SetWidth(1);
  pen->SetColor(canvas->Font()->Color());
  canvas->MoveTo(x1, lineY);
  canvas->LineTo(x2, lineY);
}

void TOrvNewButton::PaintWindow(HDC dc) {
  CanvasBinding binding(*FCanvas, dc);
  Paint();
}

void TOrvNewButton::Paint() {
  FHasPainted = true;
  UpdateFaceBitmap();
  FCanvas->Font()->Assign(*Font());
  PaintFace();
  FCanvas->Brush()->SetStyle(bsClear);
  PaintCaption();
  if (FRegionsEnabled) {
    // Handed over now: HasPainted is set.
    if (!FButtonRegion && FUseOrvRegion) MakeButtonRegion();
    else if (FButtonRegion && !FRegionApplied) ApplyRegionToWindow();
  }
}

void TOrvNewButton::UpdateFaceBitmap() {
  if (!FBitmapsEnabled) {
    FBitmap.reset();
    return;
  }
  // Loaded once per state: a missing file is tried again at the next paint.
  if (ActiveState() == FLoadedState && FBitmap) return;
  FBitmap.reset();
  auto bitmap = std::make_unique<TBitmap>();
  std::string name = FaceBitmapName(ActiveState(), FResBmpActive, FResBmpNormal, FResBmpDisabled);
  try {
    bitmap->LoadFromFile(BitmapFolder() + name + ".bmp");
    if (!bitmap->Empty()) FBitmap = std::move(bitmap);
  } catch (const std::exception&) {
    // Missing or unreadable: the coloured face stands in.
  }
  FLoadedState = ActiveState();
}

void TOrvNewButton::PaintFace() {
  const int w = Width(), h = Height();
  TPen* pen = FCanvas->Pen();
  pen->SetStyle(psSolid);
  pen->SetWidth(1);
  if (FBitmap) {
    // The face drawn for the button's scale, stretched over it as at 100 %.
    const TBitmap* face = &FBitmap->AtDpi(Dpi(), false);
    if (FPressed) {
      FCanvas->StretchDraw(TRect(1, 1, w - 1, h), face);
      pen->SetColor(Color());
      FCanvas->MoveTo(0, h - 1);
      FCanvas->LineTo(0, 0);
      FCanvas->LineTo(w - 1, 0);
    } else {
      FCanvas->StretchDraw(TRect(0, 0, w, h), face);
    }
    return;
  }
  TColor face = ActiveState() == asActive     ? FColorActive
                : ActiveState() == asDisabled ? FColorDisabled
                                              : Color();
  FCanvas->Brush()->SetStyle(bsSolid);
  FCanvas->Brush()->SetColor(face);
  pen->SetColor(clBlack);
  FCanvas->Rectangle(0, 0, w, h);
}

void TOrvNewButton::PaintCaption() {
  const std::string& caption = Caption();
  const int w = Width(), h = Height();
  TFont* font = FCanvas->Font();
  int x = FCaptionLeft;
  if (!FBitmapsEnabled || FCaptionHCenter) {
    TFontStyles others = font->Style() & ~TFontStyles(fsBold);
    auto measure = [&](int size, bool bold) {
      if (size != font->Size()) font->SetSize(size);
      font->SetStyle(bold ? others | fsBold : others);
      return AccelTextWidth(FCanvas.get(), caption, FShowAccelChar);
    };
    TCaptionFit fit = FitCaption(w, font->Size(), (font->Style() & fsBold) != 0, measure);
    measure(fit.Size, fit.Bold);
    x = RoundHalfEven(w / 2.0 - fit.Width / 2.0);
  }
  int y = RoundHalfEven(h / 2.0 - FCanvas->TextHeight(caption) / 2.0);
  if (FPressed) {
    ++x;
    ++y;
  }
  TColor own = font->Color();
  font->SetColor(FFontShadowColor);
  DrawAccelText(FCanvas.get(), x + 1, y + 1, caption, FShowAccelChar);
  font->SetColor(FFontLightColor);
  DrawAccelText(FCanvas.get(), x - 1, y - 1, caption, FShowAccelChar);
  font->SetColor(Enabled() ? own : Color());
  DrawAccelText(FCanvas.get(), x, y, caption, FShowAccelChar);
}
