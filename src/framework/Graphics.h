// Drawing: RAII holders for GDI objects, TFont, TPen, TBrush and TCanvas.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "framework/Component.h"
#include "framework/Types.h"

class TBitmap;

// ---- live GDI objects ----------------------------------------------------------
// The GDI objects and memory device contexts that the owners below hold,
// counted in debug and soak builds (OQ_COUNT_GDI), so that a soak can see a
// leak where the system does not count (Wine's GetGuiResources answers 0).
// Elsewhere the calls cost nothing and the count stays 0.
#ifdef OQ_COUNT_GDI
namespace gdicount {
inline int& Live() {
  static int live = 0;
  return live;
}
}  // namespace gdicount
inline void GdiMade() { ++gdicount::Live(); }
inline void GdiFreed() { --gdicount::Live(); }
inline int LiveGdiObjects() { return gdicount::Live(); }
#else
inline void GdiMade() {}
inline void GdiFreed() {}
inline int LiveGdiObjects() { return 0; }
#endif

// ---- RAII for GDI ---------------------------------------------------------------
// Owns one GDI object and deletes it. A region given to SetWindowRgn belongs
// to the system from then on: call Release() to give up ownership.
template <class H>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(H h) : FHandle(h) {
    if (h) GdiMade();
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& o) noexcept : FHandle(std::exchange(o.FHandle, nullptr)) {}
  GdiObject& operator=(GdiObject&& o) noexcept {
    if (this == &o) return *this;
    Reset();
    FHandle = std::exchange(o.FHandle, nullptr);  // counted once, when it was made
    return *this;
  }
  ~GdiObject() { Reset(); }
  H Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != nullptr; }
  // Gives the object up (to the system, or to another owner).
  H Release() {
    if (FHandle) GdiFreed();
    return std::exchange(FHandle, nullptr);
  }
  void Reset(H h = nullptr) {
    if (FHandle) {
      DeleteObject(FHandle);
      GdiFreed();
    }
    FHandle = h;
    if (h) GdiMade();
  }

 private:
  H FHandle = nullptr;
};
using GdiBitmap = GdiObject<HBITMAP>;
using GdiBrush = GdiObject<HBRUSH>;
using GdiPen = GdiObject<HPEN>;
using GdiFont = GdiObject<HFONT>;
using GdiRegion = GdiObject<HRGN>;
using GdiPalette = GdiObject<HPALETTE>;

// A memory device context, deleted at scope end.
class MemoryDC {
 public:
  explicit MemoryDC(HDC compatibleWith = nullptr) : FDC(CreateCompatibleDC(compatibleWith)) {
    if (FDC) GdiMade();
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  ~MemoryDC() {
    if (FDC) {
      DeleteDC(FDC);
      GdiFreed();
    }
  }
  HDC Get() const { return FDC; }

 private:
  HDC FDC;
};

// A window's device context from GetDC, released at scope end.
class WindowDC {
 public:
  explicit WindowDC(HWND wnd) : FWnd(wnd), FDC(GetDC(wnd)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (FDC) ReleaseDC(FWnd, FDC);
  }
  HDC Get() const { return FDC; }

 private:
  HWND FWnd;
  HDC FDC;
};

// Selects an object into a DC and restores the previous one at scope end.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ obj) : FDC(dc), FOld(obj ? SelectObject(dc, obj) : nullptr) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (FOld) SelectObject(FDC, FOld);
  }

 private:
  HDC FDC;
  HGDIOBJ FOld;
};

// SaveDC/RestoreDC pair.
class SavedDC {
 public:
  explicit SavedDC(HDC dc) : FDC(dc), FState(SaveDC(dc)) {}
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;
  ~SavedDC() {
    if (FState) RestoreDC(FDC, FState);
  }

 private:
  HDC FDC;
  int FState;
};

// ---- graphic objects --------------------------------------------------------------
class TGraphicsObject : public TObject {
 public:
  TNotifyEvent OnChange;

 protected:
  void Changed();
};

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;
// Fixed asks the font mapper for a fixed-pitch font when the named one is
// missing; default leaves the choice to it.
enum TFontPitch { fpDefault, fpVariable, fpFixed };

int ScreenPixelsPerInch();

class TFont : public TGraphicsObject {
 public:
  TFont();
  void Assign(const TFont& source);
  bool SameAs(const TFont& other) const;

  const std::string& Name() const { return FName; }
  void SetName(const std::string& value);
  // Height in pixels; negative means the character height without leading.
  int Height() const { return FHeight; }
  void SetHeight(int value);
  // Size in points, derived from Height and the screen resolution.
  int Size() const;
  void SetSize(int points);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  BYTE Charset() const { return FCharset; }
  void SetCharset(BYTE value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch value);
  // The pitch as LOGFONT's lfPitchAndFamily wants it.
  BYTE PitchAndFamily() const;

  HFONT Handle() const;

 private:
  std::string FName = "MS Sans Serif";
  int FHeight = -11;
  TFontStyles FStyle = 0;
  TColor FColor = clWindowText;
  BYTE FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
  mutable GdiFont FHandle;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  int Width() const { return FWidth; }
  void SetWidth(int value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle value);
  HPEN Handle() const;

 private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  mutable GdiPen FHandle;
};

enum TBrushStyle {
  bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross
};

class TBrush : public TGraphicsObject {
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle value);
  // A pattern brush from the bitmap; the brush does not own the bitmap, which
  // must outlive its use. nullptr returns to a plain brush.
  void SetBitmap(TBitmap* bitmap);
  TBitmap* Bitmap() const { return FBitmap; }
  HBRUSH Handle() const;

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TBitmap* FBitmap = nullptr;
  mutable GdiBrush FHandle;
};

// ---- canvas -----------------------------------------------------------------------
// Draws on a device context it does not own. Pen, brush and font are selected
// lazily and deselected when the handle changes or the canvas goes away.
class TCanvas : public TObject {
 public:
  TCanvas();
  ~TCanvas() override;

  HDC Handle();
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return FHandle != nullptr; }
  HDC HandleIfAllocated() const { return FHandle; }

  TFont* Font() { return &FFont; }
  TPen* Pen() { return &FPen; }
  TBrush* Brush() { return &FBrush; }

  TPoint PenPos() const { return FPenPos; }
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(const std::vector<TPoint>& points);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int w, int h);
  void Ellipse(int x1, int y1, int x2, int y2);
  void FillRect(const TRect& r);
  void FrameRect(const TRect& r);
  void DrawFocusRect(const TRect& r);
  void TextOut(int x, int y, const std::string& text);
  void TextRect(const TRect& r, int x, int y, const std::string& text);
  int DrawText(const std::string& text, TRect& r, UINT format);
  SIZE TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }
  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor c);
  void Draw(int x, int y, const TBitmap* bitmap);
  void StretchDraw(const TRect& r, const TBitmap* bitmap);
  void CopyRect(const TRect& dest, TCanvas* source, const TRect& src);
  void Lock() {}
  void Unlock() {}
  // Forgets the selected objects, so the next drawing selects them anew.
  void Refresh();

 protected:
  // Called when a drawing operation needs a handle and none is set.
  virtual void CreateHandle() {}
  void Deselect();

 private:
  enum : unsigned { stPen = 1, stBrush = 2, stFont = 4 };
  void RequiredState(unsigned state);
  void ObjectChanged(unsigned what);

  HDC FHandle = nullptr;
  TFont FFont;
  TPen FPen;
  TBrush FBrush;
  TPoint FPenPos;
  unsigned FState = 0;
  HGDIOBJ FOldPen = nullptr, FOldBrush = nullptr, FOldFont = nullptr;
};

// Binds a canvas to a device context for a scope: a paint call draws on it,
// and the canvas gets back whatever DC it had however the scope is left. A
// control can be painted again inside its own painting (a transparent child
// window that repaints at once paints its parent, and so this control,
// behind itself); the outer painting then goes on with its own DC.
class CanvasBinding {
 public:
  CanvasBinding(TCanvas& canvas, HDC dc) : FCanvas(canvas), FPrevious(canvas.HandleIfAllocated()) {
    canvas.SetHandle(dc);
  }
  CanvasBinding(const CanvasBinding&) = delete;
  CanvasBinding& operator=(const CanvasBinding&) = delete;
  ~CanvasBinding() { FCanvas.SetHandle(FPrevious); }

 private:
  TCanvas& FCanvas;
  HDC FPrevious;
};

// A canvas on a window's client area, taking a DC on demand.
class TWindowCanvas : public TCanvas {
 public:
  explicit TWindowCanvas(std::function<HWND()> window) : FWindow(std::move(window)) {}
  ~TWindowCanvas() override { FreeHandle(); }
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  std::function<HWND()> FWindow;
  HWND FDCWindow = nullptr;
  HDC FOwnDC = nullptr;
};
