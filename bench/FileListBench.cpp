// Prints how long a file list on a visible window takes to list folders of
// 1,000, 10,000 and 100,000 files, next to a bare loop over the same folder
// with FindFirstFileA/FindNextFileA that collects the names and sorts them,
// and the ratio of the two. Goals: 1.5 or less at 1,000 files, 0.8 or less
// at 100,000. Two listings are timed: the refresh of the folder shown (the
// Update button, and after every command), and the change into the folder
// from an empty one. Each figure is the best of several runs, taken
// alternately, so that all meet the same caches; the first paint of the new
// rows belongs to the file list's cost.
//
// The program shows a folder in two linked panes: a third figure is the
// change into the folder made by the directory list, which lists the
// subdirectories and has the file list beside it follow.
//
// Two more figures say what lies below the file list's own work: the
// system's native directory query alone, reading the same folder into a
// buffer of 1 MB and handing the names over to nothing (the file list reads
// this way, so its ratio is the least the list can reach), and the drawing
// of the list's frame with the scroll bar that appears when the list
// changes from an empty folder into a full one (part of every change into
// the folder: under Wine's default theme a scroll bar costs several
// milliseconds to draw).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "../tests/framework/ManyFiles.h"
#include "framework/FileCtrl.h"
#include "framework/FolderReader.h"
#include "framework/Forms.h"
#include "framework/WideText.h"

namespace {

// Small folders take milliseconds: more runs there, for a best figure that
// a moment's load elsewhere on the machine does not decide.
int RunsFor(int count) { return count <= 10000 ? 15 : 9; }

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return double(c.QuadPart) / double(f.QuadPart);
}

class TBenchForm : public TForm {
 public:
  explicit TBenchForm(TComponent* owner) : TForm(owner) {
    SetBounds(20, 20, 300, 480);
    Files = new TFileListBox(this);
    Files->SetParent(this);
    Files->SetBounds(8, 8, 280, 440);
    Files->SetShowGlyphs(true);
  }
  TFileListBox* Files;
};

class TPanesBenchForm : public TForm {
 public:
  explicit TPanesBenchForm(TComponent* owner) : TForm(owner) {
    SetBounds(330, 20, 580, 480);
    Dirs = new TDirectoryListBox(this);
    Dirs->SetParent(this);
    Dirs->SetBounds(8, 8, 270, 440);
    Files = new TFileListBox(this);
    Files->SetParent(this);
    Files->SetBounds(290, 8, 280, 440);
    Files->SetShowGlyphs(true);
    Dirs->SetFileList(Files);
  }
  TDirectoryListBox* Dirs;
  TFileListBox* Files;
};

// The bare work: every name of the folder, sorted without regard to case
// (on upper-case keys made once per name).
size_t BareListing(const std::string& dir) {
  std::vector<std::pair<std::string, std::string>> names;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "\\*.*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do {
    std::string n = fd.cFileName;
    std::string key = n;
    CharUpperBuffA(key.data(), static_cast<DWORD>(key.size()));
    names.emplace_back(std::move(key), std::move(n));
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  std::sort(names.begin(), names.end());
  return names.size();
}

std::string MakeFolder(int count) {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  std::string dir = std::string(base) + "oqbench" + std::to_string(GetCurrentProcessId()) + "_" +
                    std::to_string(count);
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

void RemoveFolder(const std::string& dir, int count) {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  std::string parent(base);
  if (!parent.empty() && parent.back() == '\\') parent.pop_back();
  if (manyfiles::UnderWine() && manyfiles::RemoveFromOutside(dir, parent)) return;
  for (int i = 0; i < count; ++i)
    DeleteFileA((dir + "\\" + manyfiles::FileNameOf("file_", i, ".dat")).c_str());
  RemoveDirectoryA(dir.c_str());
}

void Measure(TBenchForm* form, TPanesBenchForm* panes, int count, const std::string& empty) {
  std::string dir = MakeFolder(count);
  double t0 = Now();
  if (!manyfiles::MakeEmptyFiles(dir, count)) {
    std::printf("%7d files: could not create the files\n", count);
    RemoveFolder(dir, count);
    return;
  }
  double made = Now() - t0;
  TFileListBox* files = form->Files;
  files->SetDirectory(dir);  // first read: warms the caches for all
  BareListing(dir);
  auto shown = [files] {
    RedrawWindow(files->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  };
  auto panesShown = [panes] {
    RedrawWindow(panes->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  };
  const std::wstring wideDir = AnsiToWide(dir);
  double bare = 1e9, refresh = 1e9, change = 1e9, query = 1e9, frame = 1e9, panesChange = 1e9;
  size_t bareCount = 0;
  for (int run = 0; run < RunsFor(count); ++run) {
    double q = Now();
    size_t entries = 0;
    ReadFolderNative(wideDir, false, [&entries](const TFolderEntry&) { ++entries; });
    double a = Now();
    bareCount = BareListing(dir);
    double b = Now();
    files->Update();
    shown();
    double c = Now();
    files->SetDirectory(empty);
    shown();
    double d = Now();
    files->SetDirectory(dir);
    shown();
    double e = Now();
    SendMessageW(files->Handle(), WM_NCPAINT, 1, 0);  // 1: the whole frame
    double f = Now();
    panes->Dirs->SetDirectory(empty);
    panesShown();
    double g = Now();
    panes->Dirs->SetDirectory(dir);
    panesShown();
    double h = Now();
    query = std::min(query, a - q);
    bare = std::min(bare, b - a);
    refresh = std::min(refresh, c - b);
    change = std::min(change, e - d);
    frame = std::min(frame, f - e);
    panesChange = std::min(panesChange, h - g);
  }
  std::printf("%7d files: bare loop %8.1f ms (%zu names); file list: refresh %8.1f ms, ratio "
              "%.2f; change into the folder %8.1f ms, ratio %.2f (%d rows)   [files made in %.1f s]\n",
              count, bare * 1000, bareCount, refresh * 1000, refresh / bare, change * 1000,
              change / bare, files->Items()->Count(), made);
  std::printf("%7s        both panes (directory list and file list): change into the folder "
              "%8.1f ms, ratio %.2f\n",
              "", panesChange * 1000, panesChange / bare);
  std::printf("%7s        below the list: the native query alone %8.1f ms, ratio %.2f; the frame "
              "with its scroll bar drawn %.1f ms, ratio %.2f\n",
              "", query * 1000, query / bare, frame * 1000, frame / bare);
  std::fflush(stdout);
  files->SetDirectory(empty);
  panes->Dirs->SetDirectory(empty);  // the current directory leaves the folder
  RemoveFolder(dir, count);
}

}  // namespace

int main() {
  InitFramework();
  Application->SetTitle("FileListBench");
  auto* form = Application->CreateForm<TBenchForm>();
  form->Show();
  const std::string empty = MakeFolder(0);
  auto* panes = Application->CreateForm<TPanesBenchForm>();
  panes->Dirs->SetDirectory(empty);
  panes->Show();
  Application->ProcessMessages();
  for (int count : {1000, 10000, 100000}) Measure(form, panes, count, empty);
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  panes->Dirs->SetDirectory(base);
  RemoveDirectoryA(empty.c_str());
  TComponent::Free(panes);
  TComponent::Free(form);
  return 0;
}
