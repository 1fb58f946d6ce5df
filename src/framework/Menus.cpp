#include "framework/Menus.h"

#include <algorithm>
#include <functional>

#include "framework/Forms.h"

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  for (TMenuItem* i : FItems) i->FParentItem = nullptr;
  if (FParentItem) FParentItem->Remove(this);
}

void TMenuItem::Add(TMenuItem* item) {
  if (item->FParentItem) item->FParentItem->Remove(item);
  FItems.push_back(item);
  item->FParentItem = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it != FItems.end()) FItems.erase(it);
  item->FParentItem = nullptr;
}

void TMenuItem::Click() {
  if (FEnabled && OnClick) OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) {}

TPopupMenu::~TPopupMenu() = default;

std::function<TMenuItem*(TPopupMenu*)>& TPopupMenu::TrackHook() {
  static std::function<TMenuItem*(TPopupMenu*)> hook;
  return hook;
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

namespace {
// Builds the system menu; command ids index into the flat item list.
HMENU BuildMenu(TMenuItem* parent, std::vector<TMenuItem*>& flat) {
  HMENU m = CreatePopupMenu();
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (!item->Visible()) continue;
    if (item->IsLine()) {
      AppendMenuA(m, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (item->Enabled() ? MF_ENABLED : MF_GRAYED) |
                 (item->Checked() ? MF_CHECKED : MF_UNCHECKED);
    if (item->Count() > 0) {
      HMENU sub = BuildMenu(item, flat);
      AppendMenuA(m, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), item->Caption().c_str());
    } else {
      flat.push_back(item);
      AppendMenuA(m, flags, flat.size(), item->Caption().c_str());
    }
  }
  return m;
}
}  // namespace

void TPopupMenu::Popup(int x, int y) {
  FPopupPoint = TPoint(x, y);
  if (OnPopup) OnPopup(this);
  TMenuItem* chosen = nullptr;
  if (TrackHook()) {
    chosen = TrackHook()(this);
  } else {
    std::vector<TMenuItem*> flat;
    HMENU m = BuildMenu(FItems, flat);
    HWND owner = Application ? Application->UtilityWindow() : nullptr;
    if (Screen && Screen->ActiveForm()) owner = Screen->ActiveForm()->HandleIfAllocated();
    if (owner) SetForegroundWindow(owner);
    UINT cmd = TrackPopupMenu(m, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, owner,
                              nullptr);
    DestroyMenu(m);
    if (cmd > 0 && cmd <= flat.size()) chosen = flat[cmd - 1];
  }
  if (chosen && chosen->Enabled()) chosen->Click();
}
