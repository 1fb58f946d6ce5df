// TForm1: the command line's history: Up and Down walk it from the newest
// command, F8 searches it by the typed prefix, and with HISTORY it is kept
// between runs.
#include <algorithm>

#include "framework/WideText.h"
#include "main/CommandCompletion.h"
#include "main/HistoryFile.h"
#include "main/Main.h"

namespace {
// How soon a command that could not be written is tried again.
constexpr unsigned kHistoryRetryMs = 500;

// Whether entry begins with prefix, without regard to case in any alphabet.
bool BeginsWithText(const std::string& entry, const std::string& prefix) {
  const std::wstring e = AnsiToWide(entry), p = AnsiToWide(prefix);
  if (p.size() > e.size()) return false;
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, e.data(), static_cast<int>(p.size()),
                        p.data(), static_cast<int>(p.size())) == CSTR_EQUAL;
}
}  // namespace

void TForm1::LoadHistory() {
  if (FHistoryLoaded) return;
  FHistoryLoaded = true;
  if (!KeepHistory) return;
  std::wstring folder = AnsiToWide(ProgramDir);
  if (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  FHistoryFile = std::make_unique<THistoryFile>(folder, HistoryFallbackFolder());
  std::vector<std::string> commands;
  for (const std::string& utf8 : FHistoryFile->Load()) {
    // A command the process's code page cannot carry would come back as
    // another command: it stays in the file for a program that can.
    TDecodedText d = DecodeTextBytes(utf8);
    if (d.Exact) commands.push_back(std::move(d.Text));
  }
  if (commands.empty()) return;
  FHistoryRead = std::move(commands);
  // The system's list takes some 40 microseconds a command: 1,000 of them
  // would hold back the window. They go in once it is shown and painted;
  // a key pressed meanwhile waits behind them (a queued call comes first),
  // and the keys' own handlers fill the list first all the same.
  std::weak_ptr<char> alive = FAlive;
  Application->QueueCall([this, alive] {
    if (alive.expired()) return;
    if (HandleAllocated()) UpdateWindow(Handle());
    ShowHistoryList();
  });
}

void TForm1::ShowHistoryList() {
  if (FHistoryRead.empty()) return;
  std::vector<std::string> commands = std::move(FHistoryRead);
  FHistoryRead.clear();
  // Commands entered before the list was filled stay the newest.
  const std::vector<std::string>& entered = CommLine->Items()->Items();
  commands.insert(commands.end(), entered.begin(), entered.end());
  CommLine->Items()->Assign(commands);
}

void TForm1::RememberCommand(const std::string& command) {
  ShowHistoryList();
  CommLine->Items()->Add(command);
  FHistoryWalk.Reset();
  if (!FHistoryFile) return;
  TTextEncoding utf8 = TTextEncoding::Utf8;
  FHistoryFile->Append(EncodeTextBytes(command, utf8));
  if (FHistoryFile->PendingCount() == 0) return;
  // Not written (the file locked by another program, or another instance
  // holding it longer than the wait): the command must not wait for the
  // next one, which may never come. Try again shortly, until it is written.
  if (!FHistoryRetry) {
    FHistoryRetry = new TTimer(this);
    FHistoryRetry->SetInterval(kHistoryRetryMs);
    FHistoryRetry->OnTimer = [this](TObject*) {
      if (!FHistoryFile || FHistoryFile->WritePending()) FHistoryRetry->SetEnabled(false);
    };
  }
  FHistoryRetry->SetEnabled(true);
}

void TForm1::ShowRecalled(const std::string& text) {
  FRecalling = true;
  CommLine->SetText(text);
  FRecalling = false;
  CommLine->SetSelStart(static_cast<int>(text.size()));
}

void TForm1::CommLineKeyDown(TObject*, WORD& Key, TShiftState Shift) {
  // Holding Shift for Shift+Tab is no other key.
  if (Key != VK_SHIFT && Key != VK_CONTROL && Key != VK_MENU) FCompletion->End();
  const TShiftState mods = Shift & (ssShift | ssCtrl | ssAlt);
  if (Key == VK_BACK && mods == ssCtrl) {
    Key = 0;
    DeleteWordBeforeCaret();
    return;
  }
  if (Key == 'A' && mods == ssCtrl) {
    Key = 0;
    CommLine->SelectAll();
    return;
  }
  if (Key != VK_UP && Key != VK_DOWN && Key != VK_F8) return;
  // Alt+Up and Alt+Down open and close the list; an open list takes the
  // arrows itself.
  ShowHistoryList();
  if ((Shift & (ssAlt | ssCtrl)) || CommLine->DroppedDown()) return;
  const std::vector<std::string>& items = CommLine->Items()->Items();
  std::optional<std::string> text;
  if (Key == VK_UP) text = FHistoryWalk.Older(items, CommLine->Text());
  else if (Key == VK_DOWN) text = FHistoryWalk.Newer(items);
  else text = FHistoryWalk.Search(items, CommLine->Text(), BeginsWithText);
  Key = 0;
  if (text) ShowRecalled(*text);
}

void TForm1::CommLineChange(TObject*) {
  // The user's own edit: the next step starts from the newest command again.
  if (!FRecalling) FHistoryWalk.Reset();
}
