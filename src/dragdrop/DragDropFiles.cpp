#include "dragdrop/DragDropFiles.h"

#include <cstring>
#include <new>
#include <string>

#include "framework/WideText.h"

FORMATETC FileDropFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

namespace {
// The wide form of 8-bit bytes of the given code page, or nothing when they
// are not a valid text of it.
std::optional<std::wstring> Decoded(const std::string& bytes, UINT codePage) {
  if (bytes.empty()) return std::wstring();
  const int len = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), len, nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring w(static_cast<size_t>(n), L'\0');
  if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), len, w.data(), n) != n)
    return std::nullopt;
  return w;
}

// The program's 8-bit form of a wide name, or nothing when it has none that
// names the same file.
std::optional<std::string> ProgramForm(std::wstring_view w) {
  bool inexact = false;
  std::string s = WideToAnsi(w, &inexact);
  if (inexact || (s.empty() && !w.empty())) return std::nullopt;
  return s;
}

// Keeps a medium that a data object handed over until it is released.
class HeldMedium {
 public:
  HeldMedium() = default;
  HeldMedium(const HeldMedium&) = delete;
  HeldMedium& operator=(const HeldMedium&) = delete;
  ~HeldMedium() {
    if (FHeld) ReleaseStgMedium(&FMedium);
  }
  STGMEDIUM* Out() { return &FMedium; }
  const STGMEDIUM& Get() const { return FMedium; }
  // The data object answered with success: the medium is ours to release,
  // whichever success it was.
  void Hold() { FHeld = true; }

 private:
  STGMEDIUM FMedium{};
  bool FHeld = false;
};

// Keeps a global memory block locked while it lives.
class LockedGlobal {
 public:
  explicit LockedGlobal(HGLOBAL block) : FBlock(block), FData(block ? GlobalLock(block) : nullptr) {}
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  ~LockedGlobal() {
    if (FData) GlobalUnlock(FBlock);
  }
  const uint8_t* Data() const { return static_cast<const uint8_t*>(FData); }

 private:
  HGLOBAL FBlock;
  void* FData;
};

// What a dropped medium holds. May raise (out of memory for a long list):
// the caller's owners give the medium back in any case.
DroppedFileNames ReadDropped(const STGMEDIUM& m) {
  if (m.tymed != TYMED_HGLOBAL || !m.hGlobal) return {};
  FileDropNames block;
  {
    LockedGlobal locked(m.hGlobal);
    if (!locked.Data()) return {};
    // The block's real size bounds every name: another program's header may
    // claim anything.
    block = ReadFileDropBlock(locked.Data(), GlobalSize(m.hGlobal));
  }
  return ProgramFileNames(block, LegacyCodePage());
}
}  // namespace

DroppedFileNames ProgramFileNames(const FileDropNames& block, UINT sourceCodePage) {
  DroppedFileNames r;
  r.Names.reserve(block.Count());
  auto refuse = [&r] {
    r.Names.clear();
    r.Refused = true;
    return r;
  };
  if (block.Wide) {
    for (const std::u16string& w : block.WideNames) {
      std::optional<std::string> s =
          ProgramForm(std::wstring_view(reinterpret_cast<const wchar_t*>(w.data()), w.size()));
      if (!s) return refuse();
      r.Names.push_back(std::move(*s));
    }
    return r;
  }
  for (const std::string& bytes : block.Names) {
    std::optional<std::wstring> w = Decoded(bytes, sourceCodePage);
    std::optional<std::string> s = w ? ProgramForm(*w) : std::nullopt;
    if (!s) return refuse();
    r.Names.push_back(std::move(*s));
  }
  return r;
}

std::optional<std::vector<std::u16string>> ExactWideNames(const std::vector<std::string>& names) {
  std::vector<std::u16string> wide;
  wide.reserve(names.size());
  const UINT cp = GetACP();
  for (const std::string& n : names) {
    std::optional<std::wstring> w = Decoded(n, cp);
    if (!w) return std::nullopt;
    wide.emplace_back(reinterpret_cast<const char16_t*>(w->data()), w->size());
  }
  return wide;
}

// ---- TDataObjectFiles ------------------------------------------------------------------
TDataObjectFiles::TDataObjectFiles(const std::vector<std::u16string>& names)
    : FBlock(BuildWideFileDropBlock(names)) {
  FORMATETC f = FileDropFormat();
  SetData(&f, nullptr, FALSE);
}

HRESULT TDataObjectFiles::RenderData(const FORMATETC& format, STGMEDIUM& medium) {
  if (format.cfFormat != CF_HDROP) return E_FAIL;
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, FBlock.size());
  if (!g) return E_OUTOFMEMORY;
  void* p = GlobalLock(g);
  if (!p) {
    GlobalFree(g);
    return E_OUTOFMEMORY;
  }
  std::memcpy(p, FBlock.data(), FBlock.size());
  GlobalUnlock(g);
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = g;
  medium.pUnkForRelease = nullptr;
  return S_OK;
}

// ---- TDropTargetFiles --------------------------------------------------------------------
TDropTargetFiles::TDropTargetFiles(TDragDrop* owner) : TDropTarget(owner) {}

bool TDropTargetFiles::HasValidFormat(IDataObject* DataObj) {
  FORMATETC f = FileDropFormat();
  return DataObj->QueryGetData(&f) == S_OK;
}

void TDropTargetFiles::ProcessDroppedData(IDataObject* DataObj, DWORD, POINTL, DWORD) {
  auto* owner = static_cast<TDragDropFiles*>(DragDrop());
  if (!owner) return;
  // A drop whose data cannot be had leaves no names, so that no handler acts
  // on the names of an earlier drop; also when reading fails half-way.
  owner->FNamesRefused = false;
  owner->FileNames()->Clear();
  FORMATETC f = FileDropFormat();
  DroppedFileNames dropped;
  {
    HeldMedium medium;
    const HRESULT hr = DataObj ? DataObj->GetData(&f, medium.Out()) : E_FAIL;
    if (SUCCEEDED(hr)) medium.Hold();
    // Another success than S_OK promises no file-drop block.
    if (hr == S_OK) {
      try {
        dropped = ReadDropped(medium.Get());
      } catch (const std::bad_alloc&) {
        dropped = {};
      }
    }
  }
  owner->FNamesRefused = dropped.Refused;
  owner->FileNames()->Assign(dropped.Names);
}

// ---- TDragDropFiles -----------------------------------------------------------------------
TDragDropFiles::TDragDropFiles(TComponent* AOwner) : TDragDrop(AOwner) {
  ReplaceDropTarget(new TDropTargetFiles(this));
}

bool TDragDropFiles::StartFileDrag() {
  if (FFileNames.Count() == 0) return true;
  std::optional<std::vector<std::u16string>> wide = ExactWideNames(FFileNames.Items());
  if (!wide) return true;
  return StartDrag(new TDataObjectFiles(*wide));
}
