// TObject and TComponent: ownership, names and the loading state.
#pragma once

#include <string>
#include <vector>

#include "framework/Types.h"

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

enum TComponentStateFlag : unsigned {
  csLoading = 1,      // the owning form is still building its designed components
  csDesigning = 2,    // never set at run time; kept for the parts that test it
  csDestroying = 4,   // destruction has begun: no more events, no more virtual dispatch
};

enum TOperation { opInsert, opRemove };

// A component is owned by at most one other component, which frees it.
// Components are freed in the reverse order of their insertion.
class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& value) { FName = value; }
  int Tag() const { return FTag; }
  void SetTag(int value) { FTag = value; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const { return FComponents.at(static_cast<size_t>(index)); }
  int ComponentIndex() const;
  TComponent* FindComponent(const std::string& name) const;

  unsigned ComponentState() const { return FComponentState; }
  bool IsLoading() const { return (FComponentState & csLoading) != 0; }
  bool IsDestroying() const { return (FComponentState & csDestroying) != 0; }

  // Called once the owner's designed components all exist (two-phase creation).
  virtual void Loaded();
  // Sets csLoading on this component and everything it owns.
  void BeginLoading();
  // Clears csLoading and calls Loaded, owned components first.
  void EndLoading();

  // Moves ownership to another owner (or none).
  void ChangeOwner(TComponent* newOwner);

  // Tells this component and its owned ones that a component goes away, so
  // that references to it can be dropped.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // Components interested in the removal of a component they do not own.
  void FreeNotification(TComponent* AComponent);

  // Marks destruction before the destructors run, while the whole object is
  // still intact; windows use it to give up their handles first.
  virtual void BeforeDestruction();

  // The one safe way to free a component: marks it, then deletes it.
  static void Free(TComponent* component);

 protected:
  void SetDestroying();

 private:
  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c);
  void RemoveFreeNotifications();

  TComponent* FOwner = nullptr;
  std::string FName;
  int FTag = 0;
  unsigned FComponentState = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};

// Convenience for the "designed" components that forms build in code.
template <class T>
T* Designed(TComponent* owner, const char* name) {
  T* c = new T(owner);
  c->SetName(name);
  return c;
}
