#include "main/CommandCompletion.h"

#include "framework/FileCtrl.h"
#include "framework/FileListing.h"
#include "framework/StdCtrls.h"
#include "framework/WideText.h"

namespace {
// The full path of a folder as the system resolves it now, on the GUI
// thread: "C:" alone is that drive's current directory, ".." goes up.
// Without a trailing backslash but at a root. Empty when there is none.
std::string FullFolderPath(const std::string& folder) {
  const std::wstring wide = AnsiToWide(folder);
  const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return {};
  std::wstring full(size, L'\0');
  const DWORD n = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  if (n == 0 || n >= size) return {};
  full.resize(n);
  if (full.size() > 3 && full.back() == L'\\') full.pop_back();
  return WideToAnsi(full);
}
}  // namespace

bool TCommandCompletion::Step(bool forward) {
  if (FLine->DroppedDown()) return false;
  const std::string text = FLine->Text();
  const bool exact = FLine->TextExact();
  const int caret = FLine->SelStart();
  const bool asLeft = FLine->SelLength() == 0 && caret == FShownCaret && text == FShown;
  if (FCycle.Active() && asLeft) {
    FCycle.Step(forward);
    Show();
    return true;
  }
  // The folder is being read for this very word: nothing to add.
  if (FSearch.Busy() && asLeft) return true;
  End();
  if (FLine->SelLength() != 0) return false;
  const CompletionWord word = FindCompletionWord(text, static_cast<std::size_t>(caret));
  if (!word.Found) return false;
  // A stand-in character would be looked for as itself: no name begins so.
  if (!exact) return true;
  FWord = word;
  FOriginal = FShown = text;
  FShownCaret = caret;
  FForward = forward;
  const std::string folder = FullFolderPath(CompletionFolder(FFiles->Directory(), word.Folder));
  if (folder.empty()) return true;
  // What the file list shows, and the directories whether it shows them or not.
  const TFileType filter = (FFiles->FileType() | ftNormal | ftDirectory) & ~ftVolumeID;
  const std::string prefix = word.Prefix;
  FSearch.Start([this, folder, prefix, filter](const std::atomic<bool>& cancelled) {
    // A drive without its medium fails at once instead of asking for one.
    DWORD oldMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
    std::vector<std::string> names = ListNamesBeginningWith(folder, prefix, filter, &cancelled);
    SetThreadErrorMode(oldMode, nullptr);
    return TBackgroundTask::TResult(
        [this, names = std::move(names)]() mutable { Found(std::move(names)); });
  });
  return true;
}

void TCommandCompletion::End() {
  FSearch.Cancel();
  FCycle.End();
  FShownCaret = -1;
}

void TCommandCompletion::Found(std::vector<std::string> names) {
  // Only for the line as the key left it; no name leaves it as it is.
  if (FLine->Text() != FShown || FLine->SelStart() != FShownCaret || FLine->SelLength() != 0)
    return;
  FCycle.Begin(std::move(names), FForward);
  if (FCycle.Active()) Show();
}

void TCommandCompletion::Show() {
  const std::string word = CompletedWord(FWord, FCycle.Current());
  FShown = FOriginal.substr(0, FWord.Start) + word + FOriginal.substr(FWord.End);
  FShownCaret = static_cast<int>(FWord.Start + word.size());
  FLine->SetText(FShown);
  FLine->SetSelStart(FShownCaret);
}
