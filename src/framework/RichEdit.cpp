// TRichEdit over the system's "RichEdit20A" class.
#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "framework/ComCtrls.h"
#include "framework/Files.h"
#include "framework/Forms.h"
#include "framework/WideText.h"

namespace {
// The class lives in riched20.dll, which stays loaded for the life of the
// process: windows of the class may exist until the very end.
void EnsureRichEditClass() {
  static HMODULE lib = LoadLibraryA("riched20.dll");
  if (!lib) throw EOutOfResources("Cannot load riched20.dll: " + SysErrorMessage(GetLastError()));
}

// Plain texts longer than this (characters) take a new font by being
// inserted anew rather than reformatted.
constexpr LRESULT kReformatLimit = 64 * 1024;
// Texts longer than this are emptied by a new window (see Clear).
constexpr LRESULT kFastClearLimit = 16 * 1024;

// The control writes its own rich text as "{\\urtf" when the process's code
// page is UTF-8, and reads that form back.
bool LooksLikeRtf(const std::string& data) {
  return data.compare(0, 5, "{\\rtf") == 0 || data.compare(0, 6, "{\\urtf") == 0;
}

struct StreamSource {
  const char* Data;
  size_t Left;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* got) {
  auto* s = reinterpret_cast<StreamSource*>(cookie);
  size_t n = std::min(s->Left, static_cast<size_t>(std::max<LONG>(size, 0)));
  std::memcpy(buffer, s->Data, n);
  s->Data += n;
  s->Left -= n;
  *got = static_cast<LONG>(n);
  return 0;
}

DWORD CALLBACK WriteChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* put) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<char*>(buffer),
                                                 static_cast<size_t>(std::max<LONG>(size, 0)));
  *put = size;
  return 0;
}

// Twips (1/20 point) of a font. A height set from a point size gives that
// size back exactly (10 points, not the 9.75 of its 13 pixels).
LONG FontTwips(const TFont& f) {
  int ppi = ScreenPixelsPerInch();
  if (ppi <= 0) ppi = 96;
  if (f.Height() == -MulDiv(f.Size(), ppi, 72)) return f.Size() * 20;
  int h = f.Height();
  return MulDiv(h < 0 ? -h : h, 1440, ppi);
}
}  // namespace

// ---- TRichEditLines ----------------------------------------------------------------------------
void TRichEditLines::LoadFromFile(const std::string& path) { FOwner->LoadFromFile(path); }

std::string TRichEditLines::Text() const { return FOwner->GetText(); }

void TRichEditLines::SetText(const std::string& text) { FOwner->SetText(text); }

int TRichEditLines::Count() const { return static_cast<int>(SplitLines(Text()).size()); }

std::string TRichEditLines::Strings(int index) const {
  std::vector<std::string> lines = SplitLines(Text());
  if (index < 0 || static_cast<size_t>(index) >= lines.size())
    throw EListError("List index out of bounds");
  return lines[static_cast<size_t>(index)];
}

// ---- TRichEdit ---------------------------------------------------------------------------------
TRichEdit::TRichEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 185, 89);
  SetControlStyle(ControlStyle() & ~unsigned(csClickEvents));
}

TRichEdit::~TRichEdit() = default;

void TRichEdit::CreateParams(TCreateParams& p) {
  EnsureRichEditClass();
  TWinControl::CreateParams(p);
  p.SystemClass = "RichEdit20A";
  p.Caption.clear();  // the text is streamed in after creation
  p.Style &= ~unsigned(WS_CLIPCHILDREN);
  p.Style |= ES_MULTILINE | ES_SAVESEL;
  if (FReadOnly) p.Style |= ES_READONLY;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) p.Style |= WS_VSCROLL | ES_AUTOVSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) p.Style |= WS_HSCROLL;
  if (!FWordWrap) p.Style |= ES_AUTOHSCROLL;
  if (FBorderStyle == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TRichEdit::HandleCreated() {
  HWND h = HandleIfAllocated();
  // The default limit of 32 K characters would cut big files off silently.
  SendMessageA(h, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  SendMessageA(h, EM_SETTEXTMODE, FPlainText ? TM_PLAINTEXT : TM_RICHTEXT, 0);
  SendMessageA(h, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
  // Wrapped to the window, or one long line per paragraph.
  SendMessageA(h, EM_SETTARGETDEVICE, 0, FWordWrap ? 0 : 1);
  ApplyFont();
  if (!FText.empty()) {
    std::string pending = std::move(FText);
    FText.clear();
    StreamIn(pending, !FPlainText && LooksLikeRtf(pending));
  }
}

void TRichEdit::HandleDestroying() {
  if (FDiscarding || IsDestroying()) {
    FText.clear();
    return;
  }
  // Kept as rich text, so that a window made anew shows the same.
  HWND h = HandleIfAllocated();
  std::string out;
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&out), 0, &WriteChunk};
  SendMessageA(h, EM_STREAMOUT, FPlainText ? SF_TEXT : SF_RTF, reinterpret_cast<LPARAM>(&es));
  FText = es.dwError == 0 ? out : std::string();
}

void TRichEdit::Clear() {
  HWND h = HandleIfAllocated();
  if (!h) {
    FText.clear();
    return;
  }
  GETTEXTLENGTHEX len{GTL_DEFAULT, CP_ACP};
  if (SendMessageA(h, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0) <= kFastClearLimit) {
    SetWindowTextA(h, "");
    return;
  }
  // The control deletes a long text in time that grows with the square of
  // its length (a minute for 1 MB); a new window is empty at once.
  FDiscarding = true;
  try {
    RecreateWnd();
  } catch (...) {
    FDiscarding = false;
    throw;
  }
  FDiscarding = false;
}

void TRichEdit::StreamIn(std::string data, bool rich) {
  if (!(Parent() ? Handle() : HandleIfAllocated())) {
    FText = std::move(data);  // taken in once the window exists
    return;
  }
  Clear();
  HWND h = HandleIfAllocated();
  // Programmatic changes of a read-only control are refused by some
  // versions of the control; loading is no user's edit.
  if (FReadOnly) SendMessageA(h, EM_SETREADONLY, FALSE, 0);
  SendMessageA(h, WM_SETREDRAW, FALSE, 0);
  DWORD error = 0;
  if (rich) {
    StreamSource src{data.data(), data.size()};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&src), 0, &ReadChunk};
    SendMessageA(h, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
    error = es.dwError;
  } else {
    InsertPlain(data);
  }
  SendMessageA(h, EM_SETSEL, 0, 0);
  if (FReadOnly) SendMessageA(h, EM_SETREADONLY, TRUE, 0);
  SendMessageA(h, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(h, nullptr, TRUE);
  if (error != 0)
    throw Exception("The text could not be loaded (error " + std::to_string(error) + ")");
}

void TRichEdit::InsertPlain(const std::string& data) {
  HWND h = HandleIfAllocated();
  // The text takes the default format as it comes in: reformatting it all
  // afterwards costs more than the insertion itself.
  ApplyFont();
  // Appended in pieces at the end: the control inserts one big piece, and
  // streams in its own small ones, in time that grows with the square of
  // the text; pieces at the end cost only their own length. Pieces end
  // after a line feed, so that no CR LF is split.
  constexpr size_t kPiece = 64 * 1024;
  std::string piece;
  for (size_t at = 0; at < data.size();) {
    size_t end = at + kPiece < data.size() ? data.find('\n', at + kPiece) : std::string::npos;
    end = end == std::string::npos ? data.size() : end + 1;
    // A piece beginning with "{\\rtf" would be read as rich text.
    if (end < data.size() && data[end] == '{') ++end;
    piece.assign(data, at, end - at);
    // The control ends text at a NUL, so the rest of a binary file would
    // vanish without a word: NULs are shown as blanks.
    std::replace(piece.begin(), piece.end(), '\0', ' ');
    SendMessageA(h, EM_SETSEL, -1, -1);
    SendMessageA(h, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(piece.c_str()));
    at = end;
  }
}

void TRichEdit::LoadFromFile(const std::string& path) {
  std::string data = ReadWholeFile(path);
  // A file that is not rich text is read as text even when rich text is
  // asked for, the way the control itself falls back. Rich text names its
  // own code page; a plain text is UTF-8 or in the user's legacy code page.
  const bool rich = !FPlainText && LooksLikeRtf(data);
  if (!rich) data = DecodeTextBytes(data).Text;
  StreamIn(std::move(data), rich);
}

const std::string& TRichEdit::GetText() const {
  if (HWND h = HandleIfAllocated()) {
    GETTEXTLENGTHEX len{GTL_USECRLF | GTL_PRECISE | GTL_NUMBYTES, CP_ACP};
    LRESULT n = SendMessageA(h, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0);
    std::string s(static_cast<size_t>(std::max<LRESULT>(n, 0)) + 1, '\0');
    GETTEXTEX get{static_cast<DWORD>(s.size()), GT_USECRLF, CP_ACP, nullptr, nullptr};
    LRESULT got = SendMessageA(h, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                               reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, static_cast<LRESULT>(s.size()))));
    const_cast<TRichEdit*>(this)->FText = s;
  }
  return FText;
}

void TRichEdit::SetText(const std::string& value) {
  StreamIn(value, !FPlainText && LooksLikeRtf(value));
}

// ---- appearance ------------------------------------------------------------------------------------
void TRichEdit::ApplyFont() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  const TFont* f = Font();
  CHARFORMAT2A cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT |
              CFM_COLOR | CFM_CHARSET;
  if (f->Style() & fsBold) cf.dwEffects |= CFE_BOLD;
  if (f->Style() & fsItalic) cf.dwEffects |= CFE_ITALIC;
  if (f->Style() & fsUnderline) cf.dwEffects |= CFE_UNDERLINE;
  if (f->Style() & fsStrikeOut) cf.dwEffects |= CFE_STRIKEOUT;
  cf.yHeight = FontTwips(*f);
  cf.crTextColor = ColorToRGB(f->Color());
  cf.bCharSet = f->Charset();
  cf.bPitchAndFamily = f->PitchAndFamily();
  lstrcpynA(cf.szFaceName, f->Name().c_str(), LF_FACESIZE);
  SendMessageA(h, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
  // Rich text keeps the formats it brought; plain text is all in Font.
  if (FPlainText) SendMessageA(h, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
}

void TRichEdit::FontChanged() {
  // Not WM_SETFONT: the control would reformat rich text with it.
  TControl::FontChanged();
  HWND h = HandleIfAllocated();
  if (!h) return;
  GETTEXTLENGTHEX len{GTL_DEFAULT, CP_ACP};
  if (FPlainText && SendMessageA(h, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0) >
                        kReformatLimit) {
    // Reformatting a long text in place takes minutes; taking it in anew
    // with the new default format takes seconds.
    StreamIn(GetText(), false);
  } else {
    ApplyFont();
  }
}

void TRichEdit::ColorChanged() {
  TWinControl::ColorChanged();
  if (HWND h = HandleIfAllocated())
    SendMessageA(h, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
}

void TRichEdit::ApplyTextMode() {
  HWND h = HandleIfAllocated();
  if (!h) return;
  // The mode can only change while the control is empty; the text stays,
  // as plain text.
  std::string keep = GetText();
  Clear();
  h = HandleIfAllocated();
  SendMessageA(h, EM_EMPTYUNDOBUFFER, 0, 0);
  SendMessageA(h, EM_SETTEXTMODE, FPlainText ? TM_PLAINTEXT : TM_RICHTEXT, 0);
  ApplyFont();
  if (!keep.empty()) StreamIn(std::move(keep), false);
}

void TRichEdit::SetPlainText(bool value) {
  if (value == FPlainText) return;
  FPlainText = value;
  ApplyTextMode();
}

void TRichEdit::SetReadOnly(bool value) {
  if (value == FReadOnly) return;
  FReadOnly = value;
  if (HWND h = HandleIfAllocated()) SendMessageA(h, EM_SETREADONLY, value, 0);
}

void TRichEdit::SetScrollBars(TScrollStyle value) {
  if (value == FScrollBars) return;
  FScrollBars = value;
  RecreateWnd();
}

void TRichEdit::SetBorderStyle(TBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  RecreateWnd();
}

void TRichEdit::SetWordWrap(bool value) {
  if (value == FWordWrap) return;
  FWordWrap = value;
  RecreateWnd();
}

bool TRichEdit::WantsKey(WORD key) {
  // Tab and Escape move on in the form, as in any text field of it.
  if (key == VK_TAB || key == VK_ESCAPE) return false;
  return TWinControl::WantsKey(key);
}
