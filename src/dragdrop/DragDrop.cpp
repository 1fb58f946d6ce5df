#include "dragdrop/DragDrop.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "dragdrop/DragDropRules.h"
#include "framework/Forms.h"

namespace {
int g_LiveObjects = 0;
// "Use the default": the system's headers here lack the name.
constexpr HRESULT kOleUseDefault = 0x00040000;

// The system's drag loop is C code: an error raised by an event handler must
// not unwind through it. It is shown from the message loop once the system
// call has returned.
template <class F>
void Guarded(F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    if (!Application) return;
    std::string what = e.what();
    Application->QueueCall([what] { Application->HandleException(Exception(what)); });
  } catch (...) {
  }
}
}  // namespace

int DragDropLiveObjects() { return g_LiveObjects; }
void CountDragDropObject(int delta) { g_LiveObjects += delta; }

UINT DDM_ProcessDropped() {
  static const UINT msg = RegisterWindowMessageA("DDM_ProcessDropped");
  return msg;
}

// ---- TFormatEtcList ---------------------------------------------------------------------
void TFormatEtcList::Check(int index) const {
  if (index < 0 || index >= Count()) throw EListError("Invalid item index");
}

FORMATETC TFormatEtcList::Items(int index) const {
  Check(index);
  return FItems[static_cast<size_t>(index)];
}

void TFormatEtcList::SetItems(int index, const FORMATETC& record) {
  Check(index);
  FItems[static_cast<size_t>(index)] = record;
  FItems[static_cast<size_t>(index)].ptd = nullptr;
}

int TFormatEtcList::Add(const FORMATETC& record) {
  FItems.push_back(record);
  FItems.back().ptd = nullptr;
  return Count() - 1;
}

std::unique_ptr<TFormatEtcList> TFormatEtcList::Clone() const {
  auto copy = std::make_unique<TFormatEtcList>();
  copy->FItems = FItems;
  return copy;
}

// ---- TEnumFormatEtc ---------------------------------------------------------------------
TEnumFormatEtc::TEnumFormatEtc(std::unique_ptr<TFormatEtcList> list, ULONG position)
    : TDDInterfacedObject(IID_IEnumFORMATETC), FList(std::move(list)), FPosition(position) {
  if (!FList) FList = std::make_unique<TFormatEtcList>();
}

HRESULT TEnumFormatEtc::Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) {
  if (pceltFetched) *pceltFetched = 0;
  const ULONG count = static_cast<ULONG>(FList->Count());
  if (celt == 0 || !rgelt || count == 0 || FPosition >= count || (!pceltFetched && celt != 1))
    return S_FALSE;
  const ULONG n = std::min(celt, count - FPosition);
  for (ULONG i = 0; i < n; ++i) rgelt[i] = FList->Items(static_cast<int>(FPosition + i));
  if (pceltFetched) *pceltFetched = n;
  FPosition += n;
  // Fewer than asked is S_FALSE, so that a caller looping until S_FALSE ends.
  return n == celt ? S_OK : S_FALSE;
}

HRESULT TEnumFormatEtc::Skip(ULONG celt) {
  if (static_cast<uint64_t>(FPosition) + celt > static_cast<uint64_t>(FList->Count()))
    return S_FALSE;
  FPosition += celt;
  return S_OK;
}

HRESULT TEnumFormatEtc::Reset() {
  FPosition = 0;
  return S_OK;
}

HRESULT TEnumFormatEtc::Clone(IEnumFORMATETC** ppenum) {
  if (!ppenum) return E_POINTER;
  try {
    *ppenum = new TEnumFormatEtc(FList->Clone(), FPosition);
  } catch (...) {
    *ppenum = nullptr;
    return E_FAIL;
  }
  return S_OK;
}

// ---- TDataObject ------------------------------------------------------------------------
TDataObject::TDataObject() : TDDInterfacedObject(IID_IDataObject) {}

HRESULT TDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!format || !medium) return E_INVALIDARG;
  for (int i = 0; i < FFormats.Count(); ++i) {
    const FORMATETC item = FFormats.Items(i);
    if ((item.tymed & format->tymed) && item.lindex == format->lindex &&
        item.dwAspect == format->dwAspect && item.cfFormat == format->cfFormat) {
      try {
        return RenderData(*format, *medium);
      } catch (...) {
        medium->hGlobal = nullptr;
        return E_FAIL;
      }
    }
  }
  return DV_E_FORMATETC;
}

HRESULT TDataObject::QueryGetData(FORMATETC* format) {
  if (!format) return E_INVALIDARG;
  // How far the best record came: format, then medium, aspect and index.
  int best = 0;
  for (int i = 0; i < FFormats.Count(); ++i) {
    const FORMATETC item = FFormats.Items(i);
    int stage = 0;
    if (item.cfFormat == format->cfFormat) {
      stage = 1;
      if (item.tymed & format->tymed) {
        stage = 2;
        if (item.dwAspect == format->dwAspect) {
          stage = 3;
          if (item.lindex == format->lindex) return S_OK;
        }
      }
    }
    best = std::max(best, stage);
  }
  static const HRESULT answers[] = {DV_E_FORMATETC, DV_E_TYMED, DV_E_DVASPECT, DV_E_LINDEX};
  return answers[best];
}

HRESULT TDataObject::SetData(FORMATETC* format, STGMEDIUM*, BOOL fRelease) {
  if (format && !fRelease) {
    bool found = false;
    for (int i = 0; i < FFormats.Count(); ++i) {
      if (FFormats.Items(i).cfFormat == format->cfFormat) {
        FFormats.SetItems(i, *format);
        found = true;
      }
    }
    if (!found) FFormats.Add(*format);
  }
  return E_FAIL;
}

HRESULT TDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** ppenum) {
  if (!ppenum) return E_POINTER;
  *ppenum = nullptr;
  if (direction != DATADIR_GET) return kOleUseDefault;
  try {
    *ppenum = new TEnumFormatEtc(FFormats.Clone());
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT TDataObject::EnumDAdvise(IEnumSTATDATA** ppenum) {
  if (ppenum) *ppenum = nullptr;
  return OLE_E_ADVISENOTSUPPORTED;
}

// ---- TDropSource --------------------------------------------------------------------------
TDropSource::TDropSource(TDragDrop* owner)
    : TDDInterfacedObject(IID_IDropSource), FDragDrop(owner) {}

HRESULT TDropSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) {
  // Nobody is left to take the drag's end.
  if (!FDragDrop) return DRAGDROP_S_CANCEL;
  HRESULT r = S_OK;
  if (fEscapePressed || ((grfKeyState & MK_LBUTTON) && (grfKeyState & MK_RBUTTON)))
    r = DRAGDROP_S_CANCEL;
  else if (!(grfKeyState & (MK_LBUTTON | MK_RBUTTON)))
    r = DRAGDROP_S_DROP;
  if (FDragDrop && FDragDrop->OnQueryContinueDrag)
    Guarded([&] { FDragDrop->OnQueryContinueDrag(fEscapePressed, grfKeyState, r); });
  if (Screen && Screen->Cursor() == crNoDrop) MessageBeep(0);
  return r;
}

HRESULT TDropSource::GiveFeedback(DWORD dwEffect) {
  HRESULT r = DRAGDROP_S_USEDEFAULTCURSORS;
  if (FDragDrop && FDragDrop->OnGiveFeedback)
    Guarded([&] { FDragDrop->OnGiveFeedback(dwEffect, r); });
  return r;
}

// ---- TDropTarget ----------------------------------------------------------------------------
TDropTarget::TDropTarget(TDragDrop* owner)
    : TDDInterfacedObject(IID_IDropTarget), FDragDrop(owner) {}

bool TDropTarget::HasValidFormat(IDataObject*) { return true; }

void TDropTarget::ProcessDroppedData(IDataObject*, DWORD, POINTL, DWORD) {}

void TDropTarget::SuggestEffect(DWORD grfKeyState, DWORD& dwEffect) {
  dwEffect = SuggestDropEffect(grfKeyState, dwEffect, FDragDrop ? FDragDrop->TargetEffects() : 0);
}

HRESULT TDropTarget::DragEnter(IDataObject* DataObj, DWORD grfKeyState, POINTL pt,
                               DWORD* pdwEffect) {
  if (!pdwEffect) return E_INVALIDARG;
  TDragDrop* d = FDragDrop;
  FAccept = false;
  if (!d) {
    *pdwEffect = DROPEFFECT_NONE;
    return S_OK;
  }
  SuggestEffect(grfKeyState, *pdwEffect);
  Guarded([&] {
    FAccept = DataObj && HasValidFormat(DataObj);
    if (d->OnDragEnter) d->OnDragEnter(DataObj, grfKeyState, pt, *pdwEffect, FAccept);
  });
  if (!FAccept) *pdwEffect = DROPEFFECT_NONE;
  return S_OK;
}

HRESULT TDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
  if (!pdwEffect) return E_INVALIDARG;
  TDragDrop* d = FDragDrop;
  if (d && FAccept) SuggestEffect(grfKeyState, *pdwEffect);
  else *pdwEffect = DROPEFFECT_NONE;
  if (d && d->OnDragOver) Guarded([&] { d->OnDragOver(grfKeyState, pt, *pdwEffect); });
  return S_OK;
}

HRESULT TDropTarget::DragLeave() {
  TDragDrop* d = FDragDrop;
  if (d && d->OnDragLeave) Guarded([&] { d->OnDragLeave(); });
  return S_OK;
}

HRESULT TDropTarget::Drop(IDataObject* DataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
  if (!pdwEffect) return E_INVALIDARG;
  TDragDrop* d = FDragDrop;
  if (!d) {
    *pdwEffect = DROPEFFECT_NONE;
    return E_FAIL;
  }
  if (FAccept && DataObj) SuggestEffect(grfKeyState, *pdwEffect);
  else *pdwEffect = DROPEFFECT_NONE;
  // The over-handler has the last word on a drop's effect too.
  if (d->OnDragOver) Guarded([&] { d->OnDragOver(grfKeyState, pt, *pdwEffect); });
  if (*pdwEffect == DROPEFFECT_NONE) return E_FAIL;
  if (d->OnDrop) Guarded([&] { d->OnDrop(DataObj, grfKeyState, pt, *pdwEffect); });
  d->DropHappened(grfKeyState, pt, *pdwEffect);
  // The component's own drag dropped on its own control: the data is its
  // own and is not read back.
  if (!d->Dragging()) Guarded([&] { ProcessDroppedData(DataObj, grfKeyState, pt, *pdwEffect); });
  if (TWinControl* c = d->DragDropControl())
    if (HWND h = c->HandleIfAllocated()) PostMessageA(h, DDM_ProcessDropped(), 0, 0);
  return S_OK;
}

// ---- TDragDrop --------------------------------------------------------------------------------
TDragDrop::TDragDrop(TComponent* AOwner) : TComponent(AOwner), FDropTarget(new TDropTarget(this)) {}

TDragDrop::~TDragDrop() {
  // Freed while its drag runs: the drag loop goes on with the drop source
  // and, when it returns, must find nothing of this component to touch.
  if (FDropSource) FDropSource->Detach();
  if (FDragAlive) *FDragAlive = false;
  WithdrawDropTarget();
  Unhook(true);
  FDropTarget->Detach();
  FDropTarget->Release();
}

void TDragDrop::ReplaceDropTarget(TDropTarget* target) {
  const bool wasTarget = FIsDropTarget;
  if (wasTarget) WithdrawDropTarget();
  FDropTarget->Detach();
  FDropTarget->Release();
  FDropTarget = target;
  if (wasTarget) MakeDropTarget();
}

void TDragDrop::SetDragDropControl(TWinControl* control) {
  if (control == FDragDropControl) return;
  // The old control lets go of everything: its window's registration and
  // the component's following of its messages, whatever the effects.
  WithdrawDropTarget();
  Unhook(true);
  FDragDropControl = control;
  // The control may go before this component does.
  if (control) control->FreeNotification(this);
  if (!IsLoading()) MakeDropTarget();
}

void TDragDrop::SetSourceEffects(TDropEffectSet effects) {
  if (effects == FSourceEffects) return;
  FSourceEffects = effects;
  if (IsLoading()) return;
  if (!FHooked && effects) Hook();
  else if (FHooked && !effects) Unhook(false);
}

void TDragDrop::SetTargetEffects(TDropEffectSet effects) {
  if (effects == FTargetEffects) return;
  FTargetEffects = effects;
  if (IsLoading()) return;
  if (!FIsDropTarget && effects) MakeDropTarget();
  else if (FIsDropTarget && !effects) WithdrawDropTarget();
}

void TDragDrop::Loaded() {
  TComponent::Loaded();
  if (FDragDropControl) MakeDropTarget();
}

void TDragDrop::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove || AComponent != FDragDropControl) return;
  // Only the component part of the control is left: nothing of the window
  // control may be called any more.
  if (FIsDropTarget) LetGoOfWindow();
  FHooked = false;
  FDragDropControl = nullptr;
}

void TDragDrop::Hook() {
  if (!FDragDropControl || FHooked || (!FSourceEffects && !FTargetEffects)) return;
  FDragDropControl->AddWindowObserver(this);
  FHooked = true;
}

void TDragDrop::Unhook(bool force) {
  if (!FHooked) return;
  if (!force && (FSourceEffects || FTargetEffects)) return;
  if (FDragDropControl) FDragDropControl->RemoveWindowObserver(this);
  FHooked = false;
}

bool TDragDrop::MakeDropTarget() {
  Hook();
  if (FIsDropTarget || !FTargetEffects || !FDragDropControl) return false;
  // Without a window yet, the registration follows when it is made.
  HWND h = FDragDropControl->HandleIfAllocated();
  if (!h) return false;
  if (FAILED(CoLockObjectExternal(FDropTarget, TRUE, FALSE))) return false;
  if (FAILED(RegisterDragDrop(h, FDropTarget))) {
    CoLockObjectExternal(FDropTarget, FALSE, TRUE);
    return false;
  }
  FIsDropTarget = true;
  FTargetWindow = h;
  return true;
}

bool TDragDrop::WithdrawDropTarget() {
  if (!FIsDropTarget || !FDragDropControl) return false;
  Unhook(false);
  return LetGoOfWindow();
}

bool TDragDrop::LetGoOfWindow() {
  CoLockObjectExternal(FDropTarget, FALSE, TRUE);
  bool revoked = true;
  if (FTargetWindow && IsWindow(FTargetWindow)) revoked = SUCCEEDED(RevokeDragDrop(FTargetWindow));
  FTargetWindow = nullptr;
  FIsDropTarget = false;
  return revoked;
}

void TDragDrop::WindowMessage(TWinControl*, const TMessage& message) {
  if (message.Msg == DDM_ProcessDropped() && OnProcessDropped)
    OnProcessDropped(this, FDropKeyState, FDropPoint, FDropEffect);
}

void TDragDrop::WindowCreated(TWinControl* control) {
  if (control == FDragDropControl && !FIsDropTarget && FTargetEffects) MakeDropTarget();
}

void TDragDrop::WindowDestroying(TWinControl* control) {
  // The window is still there: its registration goes with it, and a window
  // made anew for the control registers again.
  if (control == FDragDropControl && FIsDropTarget) LetGoOfWindow();
}

void TDragDrop::DropHappened(DWORD grfKeyState, POINTL pt, DWORD dwEffect) {
  FDropKeyState = grfKeyState;
  FDropPoint = pt;
  FDropEffect = dwEffect;
}

bool TDragDrop::StartDrag(IDataObject* data) {
  if (FDragging) {
    if (data) data->Release();
    return true;
  }
  bool alive = true;
  // Whatever happens, the drag ends with the flag down and both objects
  // released; the component's own fields only while it still exists.
  struct Ending {
    TDragDrop* self;
    const bool& alive;
    TDropSource* source;
    IDataObject* data;
    ~Ending() {
      if (alive) {
        self->FDragging = false;
        self->FDropSource = nullptr;
        self->FDragAlive = nullptr;
      }
      if (source) source->Release();
      if (data) data->Release();
    }
  } ending{this, alive, nullptr, data};
  FDragging = true;
  FDragAlive = &alive;
  ending.source = new TDropSource(this);
  FDropSource = ending.source;
  if (data && FDragDropControl && FSourceEffects) {
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(data, ending.source, FSourceEffects, &effect);
  }
  return alive;
}
