// TOpenDialog and TSaveDialog.
#include "framework/Dialogs.h"

#include <windows.h>

#include <commdlg.h>

#include "framework/Forms.h"
#include "framework/Seams.h"

unsigned long OpenOptionsToFlags(TOpenOptions o) {
  static const struct {
    TOpenOption Option;
    DWORD Flag;
  } kMap[] = {
      {ofReadOnly, OFN_READONLY},
      {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
      {ofHideReadOnly, OFN_HIDEREADONLY},
      {ofNoChangeDir, OFN_NOCHANGEDIR},
      {ofShowHelp, OFN_SHOWHELP},
      {ofNoValidate, OFN_NOVALIDATE},
      {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
      {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
      {ofPathMustExist, OFN_PATHMUSTEXIST},
      {ofFileMustExist, OFN_FILEMUSTEXIST},
      {ofCreatePrompt, OFN_CREATEPROMPT},
      {ofShareAware, OFN_SHAREAWARE},
      {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
      {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
      {ofNoNetworkButton, OFN_NONETWORKBUTTON},
      {ofNoLongNames, OFN_NOLONGNAMES},
      {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
      {ofEnableIncludeNotify, OFN_ENABLEINCLUDENOTIFY},
      {ofEnableSizing, OFN_ENABLESIZING},
  };
  DWORD flags = 0;
  for (const auto& m : kMap)
    if (o & m.Option) flags |= m.Flag;
  // The new-style dialog unless the old one is asked for.
  if (!(o & ofOldStyleDialog)) flags |= OFN_EXPLORER;
  return flags;
}

namespace {
// Wide: a folder of 255 Japanese characters takes three times as many bytes.
std::wstring CurrentDirectory() {
  DWORD n = GetCurrentDirectoryW(0, nullptr);
  if (n == 0) return {};
  std::wstring buf(n, L'\0');
  DWORD got = GetCurrentDirectoryW(n, buf.data());
  return got > 0 && got < n ? buf.substr(0, got) : std::wstring();
}

// Puts the current directory back: the system's dialog moves it to the
// folder of the chosen file, OFN_NOCHANGEDIR or not.
class CurrentDirectoryKeeper {
 public:
  CurrentDirectoryKeeper() : FSaved(CurrentDirectory()) {}
  CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
  CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;
  ~CurrentDirectoryKeeper() {
    if (!FSaved.empty() && CurrentDirectory() != FSaved) SetCurrentDirectoryW(FSaved.c_str());
  }

 private:
  std::wstring FSaved;
};
}  // namespace

bool TOpenDialog::Execute() {
  if (Application) Application->ModalStarted();
  FileDialogRequest r;
  r.Owner = GetActiveWindow();
  if (!r.Owner && Application && Application->MainForm())
    r.Owner = Application->MainForm()->HandleIfAllocated();
  r.Save = IsSaveDialog();
  r.Title = FTitle;
  r.Filter = FFilter;
  r.DefaultExt = FDefaultExt;
  r.InitialDir = FInitialDir;
  r.FileName = FFileName;
  r.Flags = OpenOptionsToFlags(FOptions);
  bool ok;
  {
    CurrentDirectoryKeeper keep;
    ok = RunFileDialog(r);
  }
  if (ok) FFileName = r.FileName;
  return ok;
}
