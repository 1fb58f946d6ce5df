// Tab in the command line: the word at the caret completed with the names of
// its folder, one after the other. The folder is read once per cycle, on a
// thread of its own, so that the window answers while a big folder or a
// slow drive is read; the names are those the file list would show (with
// directories), in its order.
#pragma once

#include <string>

#include "framework/BackgroundTask.h"
#include "main/NameCompletion.h"

class TComboBox;
class TFileListBox;

class TCommandCompletion {
 public:
  // The command line completed, and the file list whose directory, filter
  // and order the names follow.
  TCommandCompletion(TComboBox* line, TFileListBox* files) : FLine(line), FFiles(files) {}

  // Tab (forward) or Shift+Tab. True when the key was taken: a cycle went
  // a step, or a word at the caret is being completed (a word without a
  // name to complete stays as it is). False when no word ends at the caret
  // or the line's list is open: the key then does what it always does.
  bool Step(bool forward);
  // Any other key, or the focus gone: the cycle ends, the text stays.
  void End();
  // The folder is still being read for the first step.
  bool Busy() const { return FSearch.Busy(); }

 private:
  void Found(std::vector<std::string> names);
  void Show();

  TComboBox* FLine;
  TFileListBox* FFiles;
  TBackgroundTask FSearch;
  CompletionCycle FCycle;
  bool FForward = true;
  // The line when the cycle began, and the word completed in it.
  std::string FOriginal;
  CompletionWord FWord;
  // What the last step left, caret included: a line still like this
  // continues the cycle.
  std::string FShown;
  int FShownCaret = -1;
};
