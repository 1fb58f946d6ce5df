// Prints how long a file list on a visible window takes to list directories
// of 1,000, 10,000 and 100,000 files, next to a bare enumeration of the same
// directory with FindFirstFile/FindNextFile and a sort, and the ratio of
// the two (goal: 1.2 or less from 10,000 files on). Each figure is the best
// of several runs, taken alternately, so that both meet the same caches.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "../tests/framework/ManyFiles.h"
#include "framework/FileCtrl.h"
#include "framework/Forms.h"

namespace {

constexpr int kRuns = 5;

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

// The bare work: every name of the directory, sorted without regard to case
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

void Measure(TBenchForm* form, int count) {
  std::string dir = MakeFolder(count);
  double t0 = Now();
  if (!manyfiles::MakeEmptyFiles(dir, count)) {
    std::printf("%7d files: could not create the files\n", count);
    RemoveFolder(dir, count);
    return;
  }
  double made = Now() - t0;
  TFileListBox* files = form->Files;
  files->SetDirectory(dir);  // first read: warms the caches for both
  BareListing(dir);
  double bare = 1e9, list = 1e9;
  size_t bareCount = 0;
  for (int run = 0; run < kRuns; ++run) {
    double a = Now();
    bareCount = BareListing(dir);
    double b = Now();
    files->Update();
    // The first paint of the new rows belongs to the cost.
    RedrawWindow(files->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    double c = Now();
    bare = std::min(bare, b - a);
    list = std::min(list, c - b);
  }
  std::printf("%7d files: bare enumeration + sort %8.1f ms (%zu names), file list %8.1f ms "
              "(%d rows), ratio %.2f   [creating the files took %.1f s]\n",
              count, bare * 1000, bareCount, list * 1000, files->Items()->Count(), list / bare,
              made);
  std::fflush(stdout);
  files->SetDirectory(std::string(1, dir[0]) + ":\\");
  RemoveFolder(dir, count);
}

}  // namespace

int main() {
  InitFramework();
  Application->SetTitle("FileListBench");
  auto* form = Application->CreateForm<TBenchForm>();
  form->Show();
  Application->ProcessMessages();
  for (int count : {1000, 10000, 100000}) Measure(form, count);
  TComponent::Free(form);
  return 0;
}
