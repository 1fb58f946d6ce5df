// The type chooser: lets the user pick the window look and options, writes
// them to OrvQuill.par beside the program and starts Orv Quillon.
#include <windows.h>

#include "framework/Forms.h"
#include "oqtyp/TypeForm.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  InitFramework();
  Application->SetTitle("Orv Quillon");
  Application->CreateForm<TTypeForm>();
  Application->Run();
  delete Application;
  Application = nullptr;
  return 0;
}
