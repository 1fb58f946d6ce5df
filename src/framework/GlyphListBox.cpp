// TGlyphListBox: the row store and drawing shared by the directory list and
// the file list.
#include <cstring>
#include <map>
#include <memory>

#include "framework/Bitmap.h"
#include "framework/FileCtrl.h"
#include "framework/SystemNames.h"
#include "framework/WideText.h"

namespace {
constexpr int kRowHeight = 16;
constexpr int kGlyphSize = 16;
constexpr int kGlyphLeft = 2;
constexpr int kTextGap = 4;

// Keeps the list from drawing anything while its rows change, and has it
// drawn once afterwards, frame and scroll bar included. The list box's own
// WM_SETREDRAW is not used: turning it back on sets the scroll bar with a
// redraw, and a bar that appears changes the frame, which draws the bar a
// second time from the resize; under Wine each themed bar costs more than
// listing a thousand names. The system's handling (DefWindowProc) only
// takes the window's visible style away and gives it back, so that every
// drawing in between is skipped. A window that is hidden stays as it is.
class RowsRedraw {
 public:
  explicit RowsRedraw(HWND wnd)
      : FWnd(wnd), FShown((GetWindowLongW(wnd, GWL_STYLE) & WS_VISIBLE) != 0) {
    if (FShown) DefWindowProcW(FWnd, WM_SETREDRAW, FALSE, 0);
  }
  RowsRedraw(const RowsRedraw&) = delete;
  RowsRedraw& operator=(const RowsRedraw&) = delete;
  ~RowsRedraw() {
    if (!FShown) return;
    DefWindowProcW(FWnd, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(FWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }

 private:
  HWND FWnd;
  bool FShown;
};
}  // namespace

TGlyphListBox::TGlyphListBox(TComponent* AOwner) : TListBox(AOwner) {
  SetStyle(lbOwnerDrawFixed);
  SetItemHeight(kRowHeight);
}

void TGlyphListBox::CreateParams(TCreateParams& p) {
  TListBox::CreateParams(p);
  // The window keeps no strings, only the count (LB_SETCOUNT); the rows are
  // drawn from Items(). Keyboard input is wanted for the type-ahead, which
  // a list without strings leaves to its owner (WM_CHARTOITEM).
  p.Style &= ~unsigned(LBS_HASSTRINGS | LBS_SORT | LBS_OWNERDRAWVARIABLE);
  p.Style |= LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_WANTKEYBOARDINPUT;
}

void TGlyphListBox::CreateWnd() {
  // Before the window exists ItemIndex answers what was set meanwhile.
  int selected = ItemIndex();
  TListBox::CreateWnd();
  FPendingIndex = selected;
}

void TGlyphListBox::HandleCreated() {
  // Not the string list's own set-up: the window takes the row count only.
  HWND h = HandleIfAllocated();
  // The system hands another process the text of a row (LB_GETTEXT) only
  // for a list whose style says it has strings; set now that the list has
  // taken its form without data, it tells screen readers and automation
  // tools to ask for the texts, which WndProc answers from the rows.
  SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) | LBS_HASSTRINGS);
  SendMessageA(h, LB_SETITEMHEIGHT, 0, ItemHeight());
  PushRowCount(FPendingIndex);
  FPendingIndex = -1;
}

void TGlyphListBox::HandleDestroying() {
  int selected = ItemIndex();
  TListBox::HandleDestroying();
  FPendingIndex = selected;
}

void TGlyphListBox::ItemsChanged() {
  int selected = ItemIndex();
  if (selected >= FItems.Count()) selected = -1;
  PushRowCount(selected);
}

void TGlyphListBox::PushRowCount(int selected) {
  HWND h = HandleIfAllocated();
  if (!h) return;
  if (SendMessageA(h, LB_GETCOUNT, 0, 0) == FItems.Count()) {
    // As many rows as shown (the refresh after a command, mostly): the
    // scroll bar stays as it is, and only the rows are painted anew.
    // Turning painting back on would redraw the scroll bar at once, which
    // under Wine costs more than listing a thousand names.
    SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    if (selected < 0) SendMessageA(h, LB_SETTOPINDEX, 0, 0);
    InvalidateRect(h, nullptr, TRUE);
    return;
  }
  RowsRedraw quiet(h);
  LRESULT r = SendMessageA(h, LB_SETCOUNT, static_cast<WPARAM>(FItems.Count()), 0);
  if (r == LB_ERR || r == LB_ERRSPACE) {
    SendMessageA(h, LB_RESETCONTENT, 0, 0);
    throw EOutOfResources("Not enough memory for the list box entries");
  }
  // A count that did not shrink keeps the old selection: set it outright.
  SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  if (selected < 0) SendMessageA(h, LB_SETTOPINDEX, 0, 0);
}

void TGlyphListBox::SetRows(std::vector<std::string> texts, int selected) {
  if (selected >= static_cast<int>(texts.size())) selected = -1;
  FItems.Assign(std::move(texts));  // pushes the count through ItemsChanged
  SelectRow(selected);
  if (HWND h = HandleIfAllocated(); h && selected < 0) SendMessageA(h, LB_SETTOPINDEX, 0, 0);
}

void TGlyphListBox::SelectRow(int index) {
  if (index < -1 || index >= FItems.Count()) index = -1;
  if (HWND h = HandleIfAllocated()) {
    SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  } else {
    SetItemIndex(index);  // kept until the window exists
  }
}

void TGlyphListBox::WndProc(TMessage& m) {
  if (m.Msg != LB_GETTEXTLEN && m.Msg != LB_GETTEXT) {
    TListBox::WndProc(m);
    return;
  }
  const int row = static_cast<int>(m.WParam);
  if (row < 0 || row >= FItems.Count() || (m.Msg == LB_GETTEXT && !m.LParam)) {
    m.Result = LB_ERR;
    return;
  }
  // The window is a Unicode window: both answers are in UTF-16 units, and
  // the length is that of the very text the second answer writes. The
  // caller's buffer holds LB_GETTEXTLEN + 1 of them; the system sizes it so
  // for another program, and converts for an 8-bit caller itself.
  const std::wstring text = AnsiToWide(FItems[row]);
  if (m.Msg == LB_GETTEXT) {
    auto* out = reinterpret_cast<wchar_t*>(m.LParam);
    std::memcpy(out, text.data(), text.size() * sizeof(wchar_t));
    out[text.size()] = L'\0';
  }
  m.Result = static_cast<LRESULT>(text.size());
}

bool TGlyphListBox::WMCommandNotify(TMessage& m) {
  if (m.Msg == CN_VKEYTOITEM) {
    m.Result = -1;  // the list's own handling of every key
    return true;
  }
  if (m.Msg == CN_CHARTOITEM) {
    const wchar_t typed = static_cast<wchar_t>(LOWORD(m.WParam));
    int caret = static_cast<short>(HIWORD(m.WParam));
    int found = NextRowStartingWith(FItems.Items(), caret,
                                    WideToAnsi(std::wstring_view(&typed, 1)), SystemCaseFold());
    // An index lets the list move there and notify; -2: nothing to do.
    m.Result = found >= 0 ? found : -2;
    return true;
  }
  return TListBox::WMCommandNotify(m);
}

void TGlyphListBox::DrawRow(const TRect& rect, int indent, const TCachedGlyph* glyph,
                            const std::string& text, bool glyphColumn) {
  TCanvas* c = Canvas();
  // The canvas selects the row's font and colours; the row is then one
  // opaque text call (background and text together) and the glyph: a list
  // paints a screenful of rows at every listing.
  const int textHeight = c->TextHeight("W");
  HDC dc = c->Handle();
  int x = rect.left + kGlyphLeft + indent;
  const int textX = glyphColumn ? x + kGlyphSize + kTextGap : x;
  SetBkColor(dc, ColorToRGB(c->Brush()->Color()));
  SetTextColor(dc, ColorToRGB(c->Font()->Color()));
  const std::wstring w = AnsiToWide(text);
  ExtTextOutW(dc, textX, rect.top + (rect.Height() - textHeight) / 2, ETO_OPAQUE | ETO_CLIPPED,
              &rect, w.data(), static_cast<UINT>(w.size()), nullptr);
  if (glyphColumn && glyph) glyph->Draw(dc, x, rect.top + (rect.Height() - glyph->Height()) / 2);
}

bool TCachedGlyph::Load(const char* resourceName, int dpi) {
  try {
    TBitmap loaded;
    loaded.LoadFromResourceName(GetModuleHandleA(nullptr), resourceName);
    FPicture.Assign(&loaded.AtDpi(dpi, true));
  } catch (const Exception&) {
    return false;
  }
  FMask.Reset(FPicture.CreateMask(FPicture.TransparentColor()));
  if (!FMask || !FPictureDC.Get() || !FMaskDC.Get()) return false;
  FPictureSelected.emplace(FPictureDC.Get(), FPicture.Handle());
  FMaskSelected.emplace(FMaskDC.Get(), FMask.Get());
  return true;
}

void TCachedGlyph::Draw(HDC dc, int x, int y) const {
  const int w = FPicture.Width(), h = FPicture.Height();
  // dest ^= picture; dest &= mask; dest ^= picture: the transparent pixels
  // give back the old dest, the others the picture.
  COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
  COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  BitBlt(dc, x, y, w, h, FPictureDC.Get(), 0, 0, SRCINVERT);
  BitBlt(dc, x, y, w, h, FMaskDC.Get(), 0, 0, SRCAND);
  BitBlt(dc, x, y, w, h, FPictureDC.Get(), 0, 0, SRCINVERT);
  SetBkColor(dc, oldBk);
  SetTextColor(dc, oldText);
}

const TCachedGlyph* FileCtrlGlyph(const char* resourceName, int dpi) {
  static std::map<std::pair<std::string, int>, std::unique_ptr<TCachedGlyph>> cache;
  const std::pair<std::string, int> key(resourceName, dpi);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second.get();
  auto glyph = std::make_unique<TCachedGlyph>();
  if (!glyph->Load(resourceName, dpi)) glyph.reset();  // no such picture: rows go without it
  return (cache[key] = std::move(glyph)).get();
}
