// How long the viewer takes to open big files: a 5 MB plain-text file and a
// 1 MB rich-text file, each from the call of OpenViewer until it returns
// with the text loaded and the window shown. Prints the figures.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "dialogs/UHelp.h"
#include "framework/Forms.h"

namespace {

double NowMs() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

bool WriteWholeFile(const std::string& path, const std::string& data) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD put = 0;
  BOOL ok = WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &put, nullptr);
  CloseHandle(h);
  return ok && put == data.size();
}

// Numbered lines of ordinary text, like a long log file.
std::string PlainText(size_t bytes) {
  std::string s;
  s.reserve(bytes + 128);
  char line[160];
  for (unsigned n = 1; s.size() < bytes; ++n) {
    int len = std::snprintf(line, sizeof line,
                            "%08u  The quick brown fox jumps over the lazy dog; "
                            "C:\\TOOLS\\BUILD.BAT ran %u times.\r\n",
                            n, n % 977);
    s.append(line, static_cast<size_t>(len));
  }
  s.resize(bytes);
  return s;
}

// Paragraphs with headings, bold, italic and coloured runs, like a manual.
std::string RichText(size_t bytes) {
  std::string s =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier "
      "New;}}{\\colortbl ;\\red0\\green0\\blue128;\\red128\\green0\\blue0;}\\f0\\fs20\n";
  char para[512];
  for (unsigned n = 1; s.size() < bytes; ++n) {
    int len = std::snprintf(
        para, sizeof para,
        "\\pard\\sb120\\b\\fs28\\cf1 Section %u\\cf0\\b0\\fs20\\par\n"
        "\\pard\\sa60 Plain words, {\\b bold words}, {\\i italic words} and {\\cf2 red words}; "
        "the command {\\f1 copy a.txt b.txt} and the path C:\\\\TOOLS\\\\BUILD.BAT.\\par\n",
        n);
    s.append(para, static_cast<size_t>(len));
  }
  s += "}\n";
  return s;
}

struct Figures {
  std::vector<double> Ms;
  int Characters = 0;
};

Figures Measure(const std::string& path, bool rich, int runs) {
  Figures f;
  for (int i = 0; i < runs; ++i) {
    double start = NowMs();
    TWHelp* v = OpenViewer(path, rich, "\\IOrv\\iQuillon -- Benchmark");
    f.Ms.push_back(NowMs() - start);
    f.Characters = GetWindowTextLengthA(v->RichEdit1->Handle());
    TComponent::Free(v);
    Application->ProcessMessages();
  }
  std::sort(f.Ms.begin(), f.Ms.end());
  return f;
}

void Print(const char* what, size_t bytes, const Figures& f) {
  double median = f.Ms[f.Ms.size() / 2];
  std::printf("%-24s %9zu bytes  %9d chars  min %8.1f ms  median %8.1f ms  max %8.1f ms  "
              "%6.2f MB/s\n",
              what, bytes, f.Characters, f.Ms.front(), median, f.Ms.back(),
              static_cast<double>(bytes) / (1024.0 * 1024.0) / (median / 1000.0));
}

}  // namespace

int main() {
  InitFramework();
  // A hidden main form: closing a viewer must not end the program.
  Application->CreateForm<TForm>();

  char tempRoot[MAX_PATH];
  GetTempPathA(MAX_PATH, tempRoot);
  std::string dir = std::string(tempRoot) + "ViewerBench" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);
  const std::string plainPath = dir + "\\big.txt", richPath = dir + "\\big.rtf";
  const std::string plain = PlainText(5u * 1024 * 1024), rich = RichText(1u * 1024 * 1024);
  if (!WriteWholeFile(plainPath, plain) || !WriteWholeFile(richPath, rich)) {
    std::fprintf(stderr, "cannot write the test files in %s\n", dir.c_str());
    return 1;
  }

  const int runs = 5;
  std::printf("OpenViewer, %d runs each (file read, streamed in, window shown):\n", runs);
  Print("plain text, FixedSys", plain.size(), Measure(plainPath, false, runs));
  Print("rich text", rich.size(), Measure(richPath, true, runs));
  std::fflush(stdout);

  DeleteFileA(plainPath.c_str());
  DeleteFileA(richPath.c_str());
  RemoveDirectoryA(dir.c_str());
  return 0;
}
