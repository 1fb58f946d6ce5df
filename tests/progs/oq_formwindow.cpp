// A program of the framework with a form holding a list box, for tests that
// meet the windows of another instance. Shows the form with the caption
// given and runs until it is closed.
// Usage: oq_formwindow <caption>
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  InitFramework();
  auto* form = Application->CreateForm<TForm>();
  form->SetCaption(argv[1]);
  form->SetBounds(40, 40, 240, 200);
  auto* list = new TListBox(form);
  list->SetParent(form);
  list->SetBounds(8, 8, 200, 120);
  Application->Run();
  return 0;
}
