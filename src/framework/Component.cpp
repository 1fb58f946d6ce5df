#include "framework/Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) {
    AOwner->InsertComponent(this);
    if (AOwner->IsLoading()) FComponentState |= csLoading;
  }
}

TComponent::~TComponent() {
  FComponentState |= csDestroying;
  RemoveFreeNotifications();
  // Owned components go in reverse order of insertion; each removes itself.
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    c->SetDestroying();
    c->BeforeDestruction();
    delete c;  // its destructor takes it out of FComponents
  }
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::SetDestroying() { FComponentState |= csDestroying; }

void TComponent::BeforeDestruction() { FComponentState |= csDestroying; }

void TComponent::Free(TComponent* component) {
  if (!component) return;
  component->SetDestroying();
  component->BeforeDestruction();
  delete component;
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  auto& v = FOwner->FComponents;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  for (TComponent* c : FComponents)
    if (_stricmp(c->FName.c_str(), name.c_str()) == 0) return c;
  return nullptr;
}

void TComponent::Loaded() { FComponentState &= ~unsigned(csLoading); }

void TComponent::BeginLoading() {
  FComponentState |= csLoading;
  for (TComponent* c : FComponents) c->BeginLoading();
}

void TComponent::EndLoading() {
  // A Loaded handler may create further components; walk by index.
  for (size_t i = 0; i < FComponents.size(); ++i) FComponents[i]->EndLoading();
  if (IsLoading()) Loaded();
}

void TComponent::ChangeOwner(TComponent* newOwner) {
  if (newOwner == FOwner) return;
  if (FOwner) FOwner->RemoveComponent(this);
  if (newOwner) newOwner->InsertComponent(this);
}

void TComponent::InsertComponent(TComponent* c) {
  FComponents.push_back(c);
  c->FOwner = this;
}

void TComponent::RemoveComponent(TComponent* c) {
  auto it = std::find(FComponents.begin(), FComponents.end(), c);
  if (it != FComponents.end()) FComponents.erase(it);
  c->FOwner = nullptr;
  if (!IsDestroying()) Notification(c, opRemove);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove) {
    auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent);
    if (it != FFreeNotifies.end()) FFreeNotifies.erase(it);
  }
  for (size_t i = 0; i < FComponents.size(); ++i) {
    if (FComponents[i] != AComponent) FComponents[i]->Notification(AComponent, Operation);
  }
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(AComponent);
    AComponent->FFreeNotifies.push_back(this);
  }
}

void TComponent::RemoveFreeNotifications() {
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto& v = other->FFreeNotifies;
    auto it = std::find(v.begin(), v.end(), this);
    if (it != v.end()) v.erase(it);
    if (!other->IsDestroying()) other->Notification(this, opRemove);
  }
}
