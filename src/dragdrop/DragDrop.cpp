#include "dragdrop/DragDrop.h"

TDragDrop::TDragDrop(TComponent* AOwner) : TComponent(AOwner) {}

TDragDrop::~TDragDrop() = default;

void TDragDrop::SetDragDropControl(TWinControl* control) {
  if (control == FDragDropControl) return;
  FDragDropControl = control;
  // The control may go before this component does.
  if (control) control->FreeNotification(this);
}

void TDragDrop::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDragDropControl) FDragDropControl = nullptr;
}
