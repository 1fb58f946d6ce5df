// The drag-and-drop component: binds one window control of a form as an
// OLE drop target and drag source.
//
// This module holds the component and its published properties; the OLE
// drop target, drop source and data object behind them are not built yet,
// so a bound control does not take drops so far.
#pragma once

#include <windows.h>

#include <ole2.h>

#include <functional>

#include "framework/Controls.h"

enum TDropEffect : unsigned { deCopy = 1, deMove = 2, deLink = 4 };
// A set of TDropEffect bits; its bits are the platform's DROPEFFECT mask.
using TDropEffectSet = unsigned;

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

class TDragDrop : public TComponent {
 public:
  explicit TDragDrop(TComponent* AOwner);
  ~TDragDrop() override;

  TWinControl* DragDropControl() const { return FDragDropControl; }
  virtual void SetDragDropControl(TWinControl* control);
  TDropEffectSet SourceEffects() const { return FSourceEffects; }
  void SetSourceEffects(TDropEffectSet effects) { FSourceEffects = effects; }
  TDropEffectSet TargetEffects() const { return FTargetEffects; }
  void SetTargetEffects(TDropEffectSet effects) { FTargetEffects = effects; }

  TDragEnterEvent OnDragEnter;
  TDragLeaveEvent OnDragLeave;
  TDragOverEvent OnDragOver;
  TDropEvent OnDrop;
  TQueryContinueDragEvent OnQueryContinueDrag;
  TGiveFeedbackEvent OnGiveFeedback;
  TProcessDroppedEvent OnProcessDropped;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TWinControl* FDragDropControl = nullptr;
  TDropEffectSet FSourceEffects = 0;
  TDropEffectSet FTargetEffects = 0;
};
