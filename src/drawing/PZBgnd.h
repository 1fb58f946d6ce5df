// Textured backgrounds: a TPZBackground paints a picture into any rectangle
// of its control, tiled or centred, opaque or with its transparent colour
// left out, at brightness levels given in percent. Identical pictures are
// held once, program-wide, each with ready device bitmaps for every
// brightness in use. Tiles take their phase from the form that owns the
// control, so neighbouring textured controls show one continuous texture.
//
// On a 256-colour display the colours of all 8-bit pictures are merged into
// one palette of at most 236 colours, and the main window is watched for
// palette changes; on deeper displays palettes play no part.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "drawing/PZBgndRules.h"
#include "framework/Bitmap.h"
#include "framework/Controls.h"

class TForm;

// 2 to the power of the screen's bits per pixel times planes, the exponent
// taken modulo 32: only whether it is 256 matters. Set when the program
// starts; a test may set another value and then mark a rebuild.
extern int DisplayColours;

enum TPZBackgroundStyle { bsTiled, bsCentered };

// Up to 256 colours (0x00RRGGBB) and the logical palette made from them.
class TPZPalette {
 public:
  // Ignored once 256 colours are held.
  void AddColour(std::uint32_t rgb);
  void Clear();
  int Count() const { return static_cast<int>(FColours.size()); }
  std::uint32_t Colour(int index) const { return FColours[static_cast<std::size_t>(index)]; }
  const std::vector<std::uint32_t>& Colours() const { return FColours; }
  // The index of an equal colour, -1 if none.
  int IndexOf(std::uint32_t rgb) const;
  int NearestColour(std::uint32_t rgb) const { return ::NearestColour(FColours, rgb); }
  // Made at the first request and handed out unchanged until Clear; none
  // for an empty palette. The palette keeps it.
  HPALETTE Handle();
  int Requests() const { return FRequests; }

 private:
  std::vector<std::uint32_t> FColours;
  GdiPalette FHandle;
  int FRequests = 0;
};

// One brightness of a shared picture.
struct TPZBitmapItem {
  int Key = 0;  // percent
  GdiBitmap Bitmap;
  // A pattern brush of the bitmap: tiling an area is one fill.
  GdiBrush Brush;
  int RefCount = 0;
};

// One picture, shared by every background that shows it.
class TPZBackgroundBitmap {
 public:
  explicit TPZBackgroundBitmap(const TBitmap* picture, std::vector<std::uint8_t> stream);

  const std::vector<std::uint8_t>& Stream() const { return FStream; }
  const TBitmap& Picture() const { return FPicture; }
  TPZPalette& Palette() { return FPalette; }
  int BitCount() const { return FBitCount; }
  int Width() const { return FPicture.Width(); }
  int Height() const { return FPicture.Height(); }
  // The device bitmaps are at least this big: small pictures are repeated
  // in them so that tiling a large area takes few copies.
  int TileWidth() const { return FTileWidth; }
  int TileHeight() const { return FTileHeight; }
  HBITMAP Image() const { return FImage.Get(); }
  HBITMAP Mask() const { return FMask.Get(); }
  // The item of a brightness; nullptr if none.
  TPZBitmapItem* Item(int key);
  std::vector<TPZBitmapItem>& Items() { return FItems; }
  int Users = 0;

 private:
  friend class TPZBackgroundBitmaps;
  void DeleteBitmaps();
  // A device bitmap of the picture at key percent, repeated to the tile size.
  GdiBitmap MakeVariant(int key, const TPZPalette& palette, HPALETTE handle);
  void Build(TPZPalette& merged);

  std::vector<std::uint8_t> FStream;
  TBitmap FPicture;
  TPZPalette FPalette;
  int FBitCount = 0;
  int FTileWidth = 0, FTileHeight = 0;
  GdiBitmap FImage, FMask;
  std::vector<TPZBitmapItem> FItems;
};

// The program-wide store of shared pictures.
class TPZBackgroundBitmaps {
 public:
  // The shared picture for the bitmap (compared by content in the bitmap
  // file format), made when new; its brightness items gain a reference.
  // nullptr for an empty bitmap. A picture that is no plain uncompressed
  // bitmap raises EInvalidGraphic.
  TPZBackgroundBitmap* AcquirePicture(const TBitmap* bitmap, const std::vector<int>& keys);
  void ReleasePicture(TPZBackgroundBitmap* picture, const std::vector<int>& keys);
  // Remakes every device bitmap (and, on a 256-colour display, the merged
  // palette).
  void RebuildAll();
  // The palette a picture draws with: the merged one on a 256-colour
  // display for 8-bit pictures, else its own.
  TPZPalette& PaletteFor(TPZBackgroundBitmap& picture);

  int Count() const { return static_cast<int>(FList.size()); }
  TPZBackgroundBitmap* Picture(int index) const { return FList[static_cast<std::size_t>(index)].get(); }
  TPZPalette& Merged() { return FMerged; }
  bool NeedsRebuild = false;

 private:
  std::vector<std::unique_ptr<TPZBackgroundBitmap>> FList;
  TPZPalette FMerged;
};
TPZBackgroundBitmaps& PZBackgroundBitmaps();

class TPZBackground;

// The main form's window procedure, watched for palette changes.
struct TPZHookItem {
  TForm* Form = nullptr;
  HWND Wnd = nullptr;
  WNDPROC OldProc = nullptr;
  WNDPROC NewProc = nullptr;
  bool Destroyed = false;
};

// Every background of the program.
class TPZBackgrounds {
 public:
  // A number 1 .. 32766 that no listed background has.
  int Add(TPZBackground* background);
  void Remove(TPZBackground* background);
  int Count() const { return static_cast<int>(FList.size()); }
  TPZBackground* Background(int index) const { return FList[static_cast<std::size_t>(index)]; }
  // Drops the hooks of destroyed windows and hooks the main form.
  void Rehook();
  const std::vector<TPZHookItem>& Hooks() const { return FHooks; }
  bool NeedsRehook = false;

 private:
  static LRESULT CALLBACK HookProc(HWND wnd, UINT msg, WPARAM w, LPARAM l);
  std::vector<TPZBackground*> FList;
  std::vector<TPZHookItem> FHooks;
};
TPZBackgrounds& PZBackgrounds();

class TPZBackground : public TObject {
 public:
  // keys: the brightness percentages this background draws with (at most
  // 10); canvas: the control's canvas it paints on.
  TPZBackground(TControl* control, std::initializer_list<int> keys, TCanvas* canvas);
  ~TPZBackground() override;
  TPZBackground(const TPZBackground&) = delete;
  TPZBackground& operator=(const TPZBackground&) = delete;

  // The picture. Changing it (also loading into it) shares it anew and
  // raises OnChange; a picture that is no plain uncompressed bitmap raises
  // EInvalidGraphic to whoever changed it, and the background is plain.
  TBitmap* Bitmap() { return &FBitmap; }
  void SetBitmap(const TBitmap* value);
  // Pixels of the picture's bottom-left colour are not drawn.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  TPZBackgroundStyle Style() const { return FStyle; }
  void SetStyle(TPZBackgroundStyle value);

  int BackgroundId() const { return FBackgroundId; }
  TPZBackgroundBitmap* SharedPicture() const { return FSharedPicture; }
  TControl* Control() const { return FControl; }
  const std::vector<int>& BrightnessKeys() const { return FKeys; }

  // Paints the area (control client coordinates) with the picture at key
  // percent, or with colour where there is no picture for that key.
  void DrawBackground(const TRect& client, const TRect& area, TColor colour, int key);

  TNotifyEvent OnChange;

  // While one paint draws several areas (bevel strips, border, face), the
  // control's offset from its form is taken once, and a pattern brush stays
  // selected from one area to the next: the system prepares a pattern each
  // time it is selected. The DC's own brush comes back at the end.
  class PaintScope {
   public:
    explicit PaintScope(TPZBackground& background);
    ~PaintScope();
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

   private:
    TPZBackground& FBackground;
  };

 private:
  void BitmapChanged();
  // Shares the picture, as drawn for the control's scale, with the store.
  void Share();
  // Puts the DC's own brush back where a pattern was left selected.
  void ReleasePattern();
  // The control's client origin in the client coordinates of the form that
  // owns it (0, 0 without one).
  TPoint FormOffset() const;
  void Changed();
  // The area's top-left in the client coordinates of the form that owns
  // the control (the control's own without one).
  TPoint Phase(const TRect& area) const;

  TControl* FControl;
  TCanvas* FCanvas;
  std::vector<int> FKeys;
  int FBackgroundId = 0;
  TPZBackgroundBitmap* FSharedPicture = nullptr;
  int FSharedDpi = 96;  // the scale the shared picture was chosen for
  TBitmap FBitmap;
  bool FTransparent = false;
  TPZBackgroundStyle FStyle = bsTiled;
  bool FInPaint = false;
  TPoint FPaintOffset;
  HDC FPaintDC = nullptr;
  HBRUSH FSelectedPattern = nullptr;
  HGDIOBJ FDCBrush = nullptr;  // the DC's brush before the first pattern
};
