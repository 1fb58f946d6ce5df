// The shape most window tests share: a form of their own made before each
// test and freed after it, with its messages pumped away.
#pragma once

#include <gtest/gtest.h>

#include "framework/Forms.h"
#include "testkit/TestKit.h"

namespace testkit {

template <class T = TForm>
struct FormFixture : ::testing::Test {
  T* Form = nullptr;
  void SetUp() override { Form = Application->CreateForm<T>(); }
  void TearDown() override {
    TComponent::Free(Form);
    Form = nullptr;
    PumpPending();
  }
  // A control of the test put on the form (or on a control of it).
  template <class C>
  C* Add(int left, int top, int width, int height, TWinControl* parent = nullptr) {
    auto* c = new C(Form);
    c->SetParent(parent ? parent : Form);
    c->SetBounds(left, top, width, height);
    return c;
  }
};

}  // namespace testkit
