// Helpers shared by the tests of the batch window, the attribute dialog and
// the viewer: finding the application's windows of a class, closing them
// through real messages, and reading a rich edit's formats.
#pragma once

#include <windows.h>

#include <commdlg.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "controls/EnterExitButton.h"
#include "framework/Forms.h"
#include "testkit/TestKit.h"

namespace dlgtest {

// The application's forms of class T, in creation order.
template <class T>
std::vector<T*> FormsOf() {
  std::vector<T*> found;
  for (int i = 0; i < Application->ComponentCount(); ++i)
    if (auto* f = dynamic_cast<T*>(Application->Components(i))) found.push_back(f);
  return found;
}

// Whether the application still owns this object; compares addresses only,
// so it is safe to ask about a window that has been freed.
inline bool Alive(const void* form) {
  for (int i = 0; i < Application->ComponentCount(); ++i)
    if (Application->Components(i) == form) return true;
  return false;
}

// Closes a window the way its close box does and waits until it is gone.
inline bool CloseAndWait(TForm* f) {
  PostMessageA(f->Handle(), WM_CLOSE, 0, 0);
  return testkit::PumpUntil([f] { return !Alive(f); });
}

template <class T>
void FreeAll() {
  for (T* f : FormsOf<T>()) TComponent::Free(f);
  testkit::PumpPending();
}

// The range of the first occurrence of text in a rich edit, in the
// control's own character positions (a paragraph end counts once).
inline CHARRANGE FindInRichEdit(HWND re, const std::string& text) {
  FINDTEXTEXA ft{};
  ft.chrg.cpMin = 0;
  ft.chrg.cpMax = -1;
  ft.lpstrText = text.c_str();
  SendMessageA(re, EM_FINDTEXTEX, FR_DOWN | FR_MATCHCASE, reinterpret_cast<LPARAM>(&ft));
  return ft.chrgText;
}

// The character format of a range (selected, then asked for).
inline CHARFORMAT2A FormatOf(HWND re, CHARRANGE r) {
  SendMessageA(re, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
  CHARFORMAT2A cf{};
  cf.cbSize = sizeof cf;
  SendMessageA(re, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  return cf;
}

// The window's caption as the system shows it.
inline std::string WindowCaption(HWND w) {
  char buf[1024];
  int n = GetWindowTextA(w, buf, sizeof buf);
  return std::string(buf, n > 0 ? n : 0);
}

// Paints a window and its children now and saves what the screen shows,
// with the button faces the program ships (drawn into the build's art
// folder) when they are there.
class ShotWithFaces {
 public:
  ShotWithFaces() : FSaved(TOrvNewButton::DefaultBitmapPath()) {
    const std::string art = testkit::ExeFolder() + "art\\Skins\\Buttons\\";
    if (testkit::FileExists(art + "BLUE100.bmp")) TOrvNewButton::SetDefaultBitmapPath(art);
  }
  ~ShotWithFaces() { TOrvNewButton::SetDefaultBitmapPath(FSaved); }
  ShotWithFaces(const ShotWithFaces&) = delete;
  ShotWithFaces& operator=(const ShotWithFaces&) = delete;

  static void Save(HWND w, const std::string& name) {
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testkit::PumpPending();
    testkit::SaveWindowShot(w, testkit::ShotsFolder() + name);
  }

 private:
  std::string FSaved;
};

using testkit::DataFolder;

}  // namespace dlgtest
