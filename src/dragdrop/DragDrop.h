// The drag-and-drop component: makes one window control of a form an OLE
// drop target and lets the form start OLE drags from it.
//
// Around the component stand a list of clipboard formats and four COM
// objects of the module's own: an enumerator over such a list, a data
// object, a drop source and a drop target. The module knows nothing of any
// particular data: a specialisation renders the data object's formats and
// reads what is dropped (DragDropFiles does so for lists of file names).
#pragma once

#include <windows.h>

#include <ole2.h>

#include <functional>
#include <memory>
#include <vector>

#include "framework/Controls.h"

enum TDropEffect : unsigned { deCopy = 1, deMove = 2, deLink = 4 };
// A set of TDropEffect bits; its bits are the platform's DROPEFFECT mask.
using TDropEffectSet = unsigned;

// ---- the format list ------------------------------------------------------------------
// The formats a data object renders, in the order announced. Target devices
// are not kept: the data renders alike for every device, and a device
// record handed in by another program is not ours to hold.
class TFormatEtcList {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  // Raise EListError "Invalid item index" outside 0 .. Count() - 1.
  FORMATETC Items(int index) const;
  void SetItems(int index, const FORMATETC& record);
  // Appends; returns the new record's index (the old count).
  int Add(const FORMATETC& record);
  std::unique_ptr<TFormatEtcList> Clone() const;

 private:
  void Check(int index) const;
  std::vector<FORMATETC> FItems;
};

// ---- the COM objects' base --------------------------------------------------------------
// How many of the module's COM objects exist (tests look for leaks with it).
int DragDropLiveObjects();
void CountDragDropObject(int delta);

// A reference-counted object answering for IUnknown and one interface. It
// starts with one reference, held by its creator, and frees itself when the
// count drops to 0.
template <class Interface>
class TDDInterfacedObject : public Interface {
 public:
  TDDInterfacedObject(const TDDInterfacedObject&) = delete;
  TDDInterfacedObject& operator=(const TDDInterfacedObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, FIid)) {
      *ppv = static_cast<Interface*>(this);
      this->AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++FRefCount); }
  ULONG STDMETHODCALLTYPE Release() override {
    const long n = --FRefCount;
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
  }

 protected:
  explicit TDDInterfacedObject(REFIID iid) : FIid(iid) { CountDragDropObject(1); }
  virtual ~TDDInterfacedObject() { CountDragDropObject(-1); }

 private:
  const IID FIid;
  long FRefCount = 1;
};

// ---- enumerator --------------------------------------------------------------------------
class TEnumFormatEtc : public TDDInterfacedObject<IEnumFORMATETC> {
 public:
  TEnumFormatEtc(std::unique_ptr<TFormatEtcList> list, ULONG position = 0);

  HRESULT STDMETHODCALLTYPE Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG celt) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** ppenum) override;

 private:
  std::unique_ptr<TFormatEtcList> FList;
  ULONG FPosition;
};

// ---- data object --------------------------------------------------------------------------
class TDataObject : public TDDInterfacedObject<IDataObject> {
 public:
  TDataObject();

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override {
    return E_NOTIMPL;
  }
  // Records the format only (the medium is never kept) and answers E_FAIL;
  // a specialisation announces what it renders this way.
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL fRelease) override;
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** ppenum) override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** ppenum) override;

  const TFormatEtcList& Formats() const { return FFormats; }

 protected:
  // Fills the medium with the data in the requested format.
  virtual HRESULT RenderData(const FORMATETC& format, STGMEDIUM& medium) = 0;

 private:
  TFormatEtcList FFormats;
};

class TDragDrop;

// ---- drop source ----------------------------------------------------------------------------
class TDropSource : public TDDInterfacedObject<IDropSource> {
 public:
  explicit TDropSource(TDragDrop* owner);

  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override;
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD dwEffect) override;

  // The component goes while the system's drag loop still runs (a message
  // handled inside the loop may free it): the drag then ends, cancelled,
  // and raises nothing more.
  void Detach() { FDragDrop = nullptr; }

 private:
  TDragDrop* FDragDrop;
};

// ---- drop target ------------------------------------------------------------------------------
class TDropTarget : public TDDInterfacedObject<IDropTarget> {
 public:
  explicit TDropTarget(TDragDrop* owner);

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* DataObj, DWORD grfKeyState, POINTL pt,
                                      DWORD* pdwEffect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* DataObj, DWORD grfKeyState, POINTL pt,
                                 DWORD* pdwEffect) override;

  // The component goes while the system may still hold this object: from
  // then on the target takes nothing.
  void Detach() { FDragDrop = nullptr; }
  bool Accept() const { return FAccept; }

 protected:
  virtual bool HasValidFormat(IDataObject* DataObj);
  virtual void ProcessDroppedData(IDataObject* DataObj, DWORD grfKeyState, POINTL pt,
                                  DWORD dwEffect);
  virtual void SuggestEffect(DWORD grfKeyState, DWORD& dwEffect);
  TDragDrop* DragDrop() const { return FDragDrop; }

 private:
  bool FAccept = false;
  TDragDrop* FDragDrop;
};

// ---- the component ------------------------------------------------------------------------------
using TDragEnterEvent = std::function<void(IDataObject* DataObj, DWORD grfKeyState, POINTL pt,
                                           DWORD& dwEffect, bool& Accept)>;
using TDragLeaveEvent = std::function<void()>;
using TDragOverEvent = std::function<void(DWORD grfKeyState, POINTL pt, DWORD& dwEffect)>;
using TDropEvent =
    std::function<void(IDataObject* DataObj, DWORD grfKeyState, POINTL pt, DWORD& dwEffect)>;
using TQueryContinueDragEvent =
    std::function<void(BOOL fEscapePressed, DWORD grfKeyState, HRESULT& Result)>;
using TGiveFeedbackEvent = std::function<void(DWORD dwEffect, HRESULT& Result)>;
using TProcessDroppedEvent =
    std::function<void(TObject* Sender, DWORD grfKeyState, POINTL pt, DWORD dwEffect)>;

// The number the system gave the message "DDM_ProcessDropped", posted to the
// bound control after a drop so that the form's handler runs from the
// message loop, once the drag source has its answer.
UINT DDM_ProcessDropped();

class TDragDrop : public TComponent, private TWindowObserver {
 public:
  explicit TDragDrop(TComponent* AOwner);
  ~TDragDrop() override;

  TWinControl* DragDropControl() const { return FDragDropControl; }
  virtual void SetDragDropControl(TWinControl* control);
  TDropEffectSet SourceEffects() const { return FSourceEffects; }
  void SetSourceEffects(TDropEffectSet effects);
  TDropEffectSet TargetEffects() const { return FTargetEffects; }
  void SetTargetEffects(TDropEffectSet effects);

  TDragEnterEvent OnDragEnter;
  TDragLeaveEvent OnDragLeave;
  TDragOverEvent OnDragOver;
  TDropEvent OnDrop;
  TQueryContinueDragEvent OnQueryContinueDrag;
  TGiveFeedbackEvent OnGiveFeedback;
  TProcessDroppedEvent OnProcessDropped;

  // The control's window is registered as this component's drop target.
  bool IsDropTarget() const { return FIsDropTarget; }
  // The component follows the control's messages and window.
  bool Hooked() const { return FHooked; }
  // A drag started by this component is in progress.
  bool Dragging() const { return FDragging; }
  // The drop target object (the component holds one reference).
  TDropTarget* DropTarget() const { return FDropTarget; }

  // Starts a drag of the data object and returns when it has ended. The
  // call takes over the caller's reference and releases it at the end. The
  // component may be freed while the drag runs (the system's drag loop
  // handles messages); the caller must then not use it afterwards either:
  // StartDrag answers false when the component is gone. A drag is not
  // started from inside another one.
  bool StartDrag(IDataObject* data);

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  // A specialisation brings its own drop target; the component releases the
  // one it holds and keeps the new one (its one reference).
  void ReplaceDropTarget(TDropTarget* target);

 private:
  friend class TDropTarget;
  void WindowMessage(TWinControl* control, const TMessage& message) override;
  void WindowCreated(TWinControl* control) override;
  void WindowDestroying(TWinControl* control) override;

  void Hook();
  void Unhook(bool force);
  bool MakeDropTarget();
  bool WithdrawDropTarget();
  bool LetGoOfWindow();
  void DropHappened(DWORD grfKeyState, POINTL pt, DWORD dwEffect);

  TWinControl* FDragDropControl = nullptr;
  bool FIsDropTarget = false;
  TDropEffectSet FTargetEffects = 0;
  TDropEffectSet FSourceEffects = 0;
  DWORD FDropKeyState = 0;
  POINTL FDropPoint{0, 0};
  DWORD FDropEffect = DROPEFFECT_NONE;
  bool FHooked = false;
  bool FDragging = false;
  // While a drag runs: its drop source, and a flag in the drag's own frame
  // that the destructor clears, so that the drag's end touches nothing of a
  // component freed during the drag.
  TDropSource* FDropSource = nullptr;
  bool* FDragAlive = nullptr;
  HWND FTargetWindow = nullptr;  // the window registered, while FIsDropTarget
  TDropTarget* FDropTarget = nullptr;
};
