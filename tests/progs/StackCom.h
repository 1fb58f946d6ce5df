// A COM object for the tests' small programs that lives on the stack (or as
// long as the program): it answers for IUnknown and its one interface, and
// its reference count never frees it.
#pragma once

#include <windows.h>

#include <ole2.h>

template <class Interface, const IID* Iid>
class StackCom : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, *Iid)
               ? static_cast<Interface*>(this)
               : nullptr;
    return *ppv ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
};
