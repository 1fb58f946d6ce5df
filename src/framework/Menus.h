// Popup menus.
#pragma once

#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Types.h"

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v) { FCaption = v; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v) { FEnabled = v; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool v) { FVisible = v; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool v) { FChecked = v; }
  bool IsLine() const { return FCaption == "-"; }
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int i) const { return FItems.at(static_cast<size_t>(i)); }
  void Add(TMenuItem* item);
  void Remove(TMenuItem* item);
  TMenuItem* ParentItem() const { return FParentItem; }
  virtual void Click();

  TNotifyEvent OnClick;

 private:
  std::string FCaption;
  bool FEnabled = true;
  bool FVisible = true;
  bool FChecked = false;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParentItem = nullptr;
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;
  TMenuItem* Items() { return FItems; }
  // Shows the menu at a screen point and waits for it to close; a chosen
  // item is clicked after the menu has gone.
  void Popup(int x, int y);
  // The screen point of the last Popup.
  TPoint PopupPoint() const { return FPopupPoint; }
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* c) { FPopupComponent = c; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TNotifyEvent OnPopup;

  // Tests answer the menu instead of the user: given the menu, return the
  // item to click or nullptr. Empty: the real menu is shown.
  static std::function<TMenuItem*(TPopupMenu*)>& TrackHook();

 private:
  TMenuItem* FItems;
  TComponent* FPopupComponent = nullptr;
  TPoint FPopupPoint;
};
