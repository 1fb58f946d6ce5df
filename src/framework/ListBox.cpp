// TListBox over the system LISTBOX class.
#include <algorithm>
#include <cctype>

#include "framework/Forms.h"
#include "framework/ListSync.h"
#include "framework/StdCtrls.h"
#include "framework/SystemNames.h"
#include "framework/WideText.h"

namespace {
// More single insertions and deletions than this and the list is rebuilt.
constexpr size_t kRebuildThreshold = 64;

// ASCII case folded, without a copy per comparison: sorting 100,000 names
// makes about two million of them.
bool LessNoCase(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

// Turns painting off for a burst of changes and repaints once at the end.
class NoRedraw {
 public:
  explicit NoRedraw(HWND wnd) : FWnd(wnd) { SendMessageA(FWnd, WM_SETREDRAW, FALSE, 0); }
  NoRedraw(const NoRedraw&) = delete;
  NoRedraw& operator=(const NoRedraw&) = delete;
  ~NoRedraw() {
    SendMessageA(FWnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(FWnd, nullptr, TRUE);
  }

 private:
  HWND FWnd;
};
}  // namespace

TListBox::TListBox(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas([this] { return HandleIfAllocated(); }) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 97);
  // One path for clicks and double clicks: the list's own notifications
  // (LBN_SELCHANGE, LBN_DBLCLK), which also cover the keyboard. The mouse
  // path of the framework would raise DblClick a second time on
  // WM_LBUTTONDBLCLK, so it is switched off here.
  SetControlStyle(ControlStyle() & ~unsigned(csClickEvents | csDoubleClicks));
  FItems.OnChange = [this](TStrings*) { ItemsChanged(); };
}

void TListBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SystemClass = "LISTBOX";
  p.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  p.Style &= ~unsigned(WS_CLIPCHILDREN);
  // Rows of one height drawn by us need no strings in the window: the list
  // only keeps a count, and 100,000 entries arrive in one LB_SETCOUNT.
  if (FStyle == lbOwnerDrawFixed) p.Style |= LBS_OWNERDRAWFIXED | LBS_NODATA;
  if (FStyle == lbOwnerDrawVariable) p.Style |= LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;
  if (FStyle == lbStandard) p.Style |= LBS_HASSTRINGS;
  if (FBorderStyle == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::HandleCreated() {
  HWND h = HandleIfAllocated();
  ApplyItemHeight();
  FShown.clear();
  PushItems();
  if (FItemIndex >= 0) SendMessageA(h, LB_SETCURSEL, FItemIndex, 0);
  if (FTopIndex > 0) SendMessageA(h, LB_SETTOPINDEX, FTopIndex, 0);
}

void TListBox::HandleDestroying() {
  FItemIndex = ItemIndex();
  FTopIndex = TopIndex();
  FShown.clear();
  FCanvas.FreeHandle();
}

// ---- items -----------------------------------------------------------------------------------
void TListBox::ItemsChanged() {
  if (FSorted && !FSorting &&
      !std::is_sorted(FItems.Items().begin(), FItems.Items().end(), LessNoCase)) {
    std::vector<std::string> sorted = FItems.Items();
    std::stable_sort(sorted.begin(), sorted.end(), LessNoCase);
    FSorting = true;
    FItems.Assign(sorted);  // comes back here once more
    FSorting = false;
    return;
  }
  int before = ItemIndex();
  PushItems();
  if (!HandleAllocated() && FItemIndex >= FItems.Count()) FItemIndex = -1;
  if (ItemIndex() != before) SelectionChanged();
}

void TListBox::PushItems() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  const std::vector<std::string>& items = FItems.Items();
  ListEdit e = DiffLists(FShown, items);
  if (e.Empty()) return;
  NoRedraw quiet(h);
  if (FStyle == lbOwnerDrawFixed) {
    PushCount(e);
    return;
  }
  bool rebuild = e.Removed == FShown.size() || e.Removed + e.Inserted > kRebuildThreshold;
  if (rebuild) {
    // One reset and one storage request, then the strings: no repaint and
    // no reallocation per entry.
    SendMessageA(h, LB_RESETCONTENT, 0, 0);
    size_t bytes = 0;
    for (const std::string& s : items) bytes += s.size() + 1;
    SendMessageA(h, LB_INITSTORAGE, items.size(), static_cast<LPARAM>(bytes));
    e = ListEdit{0, 0, items.size()};
  }
  bool ok = ApplyListEdit(
      e, items, [h](size_t at) { SendMessageA(h, LB_DELETESTRING, at, 0); },
      [h](size_t at, const std::string& text) {
        LRESULT r = SendMessageA(h, LB_INSERTSTRING, at, reinterpret_cast<LPARAM>(text.c_str()));
        return r != LB_ERR && r != LB_ERRSPACE;
      });
  if (!ok) {
    // The window holds only part of the list: say so rather than show it.
    FShown.clear();
    SendMessageA(h, LB_RESETCONTENT, 0, 0);
    throw EOutOfResources("Not enough memory for the list box entries");
  }
  FShown = items;
}

void TListBox::PushCount(const ListEdit& e) {
  HWND h = HandleIfAllocated();
  const std::vector<std::string>& items = FItems.Items();
  // The selection follows its entry as it would in a list of strings.
  int sel = static_cast<int>(SendMessageA(h, LB_GETCURSEL, 0, 0));
  int top = static_cast<int>(SendMessageA(h, LB_GETTOPINDEX, 0, 0));
  size_t start = e.Start, end = e.Start + e.Removed;
  if (sel >= 0 && static_cast<size_t>(sel) >= start) {
    if (static_cast<size_t>(sel) < end) sel = -1;
    else sel += static_cast<int>(e.Inserted) - static_cast<int>(e.Removed);
  }
  LRESULT r = SendMessageA(h, LB_SETCOUNT, items.size(), 0);
  if (r == LB_ERR || r == LB_ERRSPACE) {
    FShown.clear();
    SendMessageA(h, LB_RESETCONTENT, 0, 0);
    throw EOutOfResources("Not enough memory for the list box entries");
  }
  SendMessageA(h, LB_SETCURSEL, sel, 0);
  // A new listing starts at the top; an edit keeps the view where it was.
  SendMessageA(h, LB_SETTOPINDEX, e.Removed == FShown.size() ? 0 : top, 0);
  FShown = items;
}

bool TListBox::WMKey(TMessage& m) {
  if (m.Msg != WM_CHAR || FStyle != lbOwnerDrawFixed) return TWinControl::WMKey(m);
  wchar_t k = static_cast<wchar_t>(m.WParam);
  if (DoKeyPress(k)) return true;
  if (k < L' ') {
    m.WParam = k;
    return false;
  }
  // Case as the file panes compare names, in every alphabet.
  const TCaseFold& fold = SystemCaseFold();
  const char16_t typed = fold.Upper(static_cast<char16_t>(k));
  // A list without strings cannot search itself: the next entry that
  // starts with the typed letter is found here.
  int n = FItems.Count();
  int from = ItemIndex();
  for (int i = 1; i <= n; ++i) {
    int index = ((from < 0 ? -1 : from) + i) % n;
    const std::string& s = FItems[index];
    if (!s.empty() && fold.Upper(static_cast<char16_t>(FirstWideChar(s))) == typed) {
      if (index != from) {
        SendMessageA(HandleIfAllocated(), LB_SETCURSEL, index, 0);
        SelectionChanged();
        if (!IsDestroying()) Click();
      }
      break;
    }
  }
  return true;
}

void TListBox::SetSorted(bool value) {
  if (value == FSorted) return;
  FSorted = value;
  if (value) ItemsChanged();
}

// ---- selection --------------------------------------------------------------------------------
int TListBox::ItemIndex() const {
  if (HWND h = HandleIfAllocated()) return static_cast<int>(SendMessageA(h, LB_GETCURSEL, 0, 0));
  return FItemIndex;
}

void TListBox::SetItemIndex(int value) {
  if (value < -1 || value >= FItems.Count()) value = -1;
  if (value == ItemIndex()) return;
  FItemIndex = value;
  if (HWND h = HandleIfAllocated()) SendMessageA(h, LB_SETCURSEL, value, 0);
  SelectionChanged();
}

void TListBox::SelectionChanged() {
  FNotifiedIndex = ItemIndex();
  if (OnChange && !IsLoading() && !IsDestroying()) OnChange(this);
}

bool TListBox::WMCommandNotify(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (HIWORD(m.WParam) == LBN_SELCHANGE) {
        // The list reports every click, also one on the selected entry:
        // each is a click, but only a new entry is a change.
        if (ItemIndex() != FNotifiedIndex) SelectionChanged();
        if (!IsDestroying()) Click();
        return true;
      }
      if (HIWORD(m.WParam) == LBN_DBLCLK) {
        DblClick();
        return true;
      }
      return false;
    case CN_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      mi->itemHeight = static_cast<UINT>(ItemHeight());
      m.Result = TRUE;
      return true;
    }
    case CN_DRAWITEM:
      DrawItemStruct(*reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam));
      m.Result = TRUE;
      return true;
    default:
      return false;
  }
}

// ---- owner drawing ------------------------------------------------------------------------------
void TListBox::DrawItemStruct(DRAWITEMSTRUCT& d) {
  FCanvas.FreeHandle();
  SavedDC saved(d.hDC);
  FCanvas.SetHandle(d.hDC);
  FCanvas.Font()->Assign(*Font());
  FCanvas.Brush()->SetStyle(bsSolid);
  FCanvas.Brush()->SetColor(Color());
  int index = static_cast<int>(d.itemID);
  bool selected = (d.itemState & ODS_SELECTED) != 0;
  if (index >= 0 && selected) {
    FCanvas.Brush()->SetColor(clHighlight);
    FCanvas.Font()->SetColor(clHighlightText);
  }
  try {
    if (index >= 0) DrawItem(index, d.rcItem, d.itemState);
    else FCanvas.FillRect(d.rcItem);  // an empty list with the focus
    // The row was drawn whole, so the focus rectangle's XOR starts clean.
    if (d.itemState & ODS_FOCUS) FCanvas.DrawFocusRect(d.rcItem);
  } catch (...) {
    FCanvas.SetHandle(nullptr);
    throw;
  }
  FCanvas.SetHandle(nullptr);
}

void TListBox::DrawItem(int index, const TRect& rect, UINT state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  FCanvas.FillRect(rect);
  if (index < FItems.Count()) {
    FCanvas.Brush()->SetStyle(bsClear);
    FCanvas.TextOut(rect.left + 2, rect.top, FItems[index]);
  }
}

// ---- geometry -----------------------------------------------------------------------------------
int TListBox::FontRowHeight() const {
  WindowDC screen(nullptr);
  SelectedObject font(screen.Get(), Font()->Handle());
  TEXTMETRICA tm{};
  GetTextMetricsA(screen.Get(), &tm);
  return std::max<int>(tm.tmHeight, 1);
}

int TListBox::ItemHeight() const {
  if (FItemHeight > 0) return FItemHeight;
  if (HWND h = HandleIfAllocated()) {
    LRESULT r = SendMessageA(h, LB_GETITEMHEIGHT, 0, 0);
    if (r > 0) return static_cast<int>(r);
  }
  return FontRowHeight();
}

void TListBox::SetItemHeight(int value) {
  if (value < 0) value = 0;
  if (value == FItemHeight) return;
  FItemHeight = value;
  ApplyItemHeight();
}

void TListBox::ApplyItemHeight() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  int rows = FItemHeight > 0 ? FItemHeight : FontRowHeight();
  SendMessageA(h, LB_SETITEMHEIGHT, 0, rows);
  InvalidateRect(h, nullptr, TRUE);
}

void TListBox::FontChanged() {
  TWinControl::FontChanged();
  // WM_SETFONT resets the row height of a list that draws its own text.
  ApplyItemHeight();
}

int TListBox::TopIndex() const {
  if (HWND h = HandleIfAllocated()) return static_cast<int>(SendMessageA(h, LB_GETTOPINDEX, 0, 0));
  return FTopIndex;
}

void TListBox::SetTopIndex(int value) {
  FTopIndex = std::max(value, 0);
  if (HWND h = HandleIfAllocated()) SendMessageA(h, LB_SETTOPINDEX, FTopIndex, 0);
}

TRect TListBox::ItemRect(int index) const {
  RECT r{0, 0, 0, 0};
  if (HWND h = HandleIfAllocated()) {
    if (SendMessageA(h, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)) == LB_ERR)
      r = RECT{0, 0, 0, 0};
  }
  return r;
}

TPoint TListBox::KeyboardMenuPoint() {
  const int i = ItemIndex();
  if (i < 0 || !HandleAllocated()) return TWinControl::KeyboardMenuPoint();
  TRect r = ItemRect(i);
  if (r.top < 0 || r.bottom > ClientHeight()) {
    SetTopIndex(i);
    r = ItemRect(i);
  }
  // Just below the row, past a glyph: the row stays in sight.
  return TPoint(std::min<int>(r.left + 24, ClientWidth() / 2), r.bottom);
}

int TListBox::ItemAtPos(const TPoint& p, bool existing) const {
  HWND h = HandleIfAllocated();
  if (!h) return -1;
  RECT client;
  GetClientRect(h, &client);
  if (!PtInRect(&client, p)) return -1;
  int count = FItems.Count();
  int top = TopIndex();
  if (FStyle != lbOwnerDrawVariable) {
    // Rows of one height: arithmetic, since LB_ITEMFROMPOINT answers in
    // 16 bits and the file list holds more entries than that.
    int row = ItemHeight();
    int index = top + p.y / std::max(row, 1);
    if (index < count) return index;
  } else {
    for (int i = top; i < count; ++i) {
      TRect r = ItemRect(i);
      if (r.top >= client.bottom) break;
      if (r.Contains(p.x, p.y)) return i;
    }
  }
  return existing ? -1 : count;
}

void TListBox::SetStyle(TListBoxStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  RecreateWnd();
}

void TListBox::SetBorderStyle(TBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  RecreateWnd();
}
