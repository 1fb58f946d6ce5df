// Entry point of the window test programs: the framework and OLE exist
// before the first test, as they do in the program.
#include <windows.h>

#include <ole2.h>

#include <gtest/gtest.h>

#include "framework/Forms.h"

int main(int argc, char** argv) {
  OleInitialize(nullptr);
  InitFramework();
  Application->SetTitle("Orv Quillon tests");
  // A hidden main form of the test program: closing any form under test
  // must not end the test run.
  Application->CreateForm<TForm>();
  ::testing::InitGoogleTest(&argc, argv);
  int rc = RUN_ALL_TESTS();
  OleUninitialize();
  return rc;
}
