#include "dragdrop/DragDropFiles.h"

#include <cstring>
#include <string>

#include "dragdrop/DragDropRules.h"

FORMATETC FileDropFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

namespace {
std::string ToCodePage(const std::u16string& w) {
  if (w.empty()) return {};
  const auto* src = reinterpret_cast<const wchar_t*>(w.data());
  const int len = static_cast<int>(w.size());
  int n = WideCharToMultiByte(CP_ACP, 0, src, len, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, src, len, s.data(), n, nullptr, nullptr);
  return s;
}

// The names of a dropped block, or none when it cannot be read.
std::vector<std::string> NamesOf(const STGMEDIUM& m) {
  std::vector<std::string> names;
  if (m.tymed != TYMED_HGLOBAL || !m.hGlobal) return names;
  const auto* p = static_cast<const uint8_t*>(GlobalLock(m.hGlobal));
  if (!p) return names;
  // The block's real size bounds every name: another program's header may
  // claim anything.
  FileDropNames r = ReadFileDropBlock(p, GlobalSize(m.hGlobal));
  GlobalUnlock(m.hGlobal);
  if (!r.Wide) return std::move(r.Names);
  names.reserve(r.WideNames.size());
  for (const std::u16string& w : r.WideNames) names.push_back(ToCodePage(w));
  return names;
}
}  // namespace

// ---- TDataObjectFiles ------------------------------------------------------------------
TDataObjectFiles::TDataObjectFiles(const TStrings& names)
    : FBlock(BuildFileDropBlock(names.Items())) {
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
  FORMATETC f = FileDropFormat();
  STGMEDIUM m{};
  std::vector<std::string> names;
  // A drop whose data cannot be had leaves no names, so that no handler acts
  // on the names of an earlier drop.
  if (DataObj && DataObj->GetData(&f, &m) == S_OK) {
    names = NamesOf(m);
    ReleaseStgMedium(&m);
  }
  owner->FileNames()->Assign(names);
}

// ---- TDragDropFiles -----------------------------------------------------------------------
TDragDropFiles::TDragDropFiles(TComponent* AOwner) : TDragDrop(AOwner) {
  ReplaceDropTarget(new TDropTargetFiles(this));
}

void TDragDropFiles::StartFileDrag() {
  if (FFileNames.Count() == 0) return;
  StartDrag(new TDataObjectFiles(FFileNames));
}
