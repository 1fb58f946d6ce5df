// How long the viewer takes to open big files: a 5 MB plain-text file and a
// 1 MB rich-text file, each from the call of OpenViewer until it returns
// with the text loaded and the window shown, and how long freeing it takes.
// Prints the figures.
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
  std::vector<double> OpenMs, CloseMs;
  int Characters = 0;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Opens and frees the viewer runs times; the first figure includes the
// system's first load of the font and the control's code.
Figures Measure(const char* what, const std::string& path, bool rich, int runs) {
  Figures f;
  for (int i = 0; i < runs; ++i) {
    double start = NowMs();
    TWHelp* v = OpenViewer(path, rich, "\\IOrv\\iQuillon -- Benchmark");
    double opened = NowMs();
    f.Characters = GetWindowTextLengthA(v->RichEdit1->Handle());
    TComponent::Free(v);
    Application->ProcessMessages();
    double closed = NowMs();
    f.OpenMs.push_back(opened - start);
    f.CloseMs.push_back(closed - opened);
    std::printf("  %-22s run %d: open %9.1f ms, close %9.1f ms\n", what, i + 1, opened - start,
                closed - opened);
    std::fflush(stdout);
  }
  return f;
}

void Print(const char* what, size_t bytes, const Figures& f) {
  double open = Median(f.OpenMs);
  std::printf("%-22s %8zu bytes %8d chars: open median %9.1f ms (%5.2f MB/s), close median "
              "%9.1f ms\n",
              what, bytes, f.Characters, open,
              static_cast<double>(bytes) / (1024.0 * 1024.0) / (open / 1000.0),
              Median(f.CloseMs));
  std::fflush(stdout);
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

  const int runs = 3;
  std::printf("OpenViewer until it returns (file read, text streamed in, window shown),\n"
              "then freeing the viewer; %d runs each:\n", runs);
  Figures plainFigures = Measure("plain text, FixedSys", plainPath, false, runs);
  Figures richFigures = Measure("rich text", richPath, true, runs);
  Print("plain text, FixedSys", plain.size(), plainFigures);
  Print("rich text", rich.size(), richFigures);

  DeleteFileA(plainPath.c_str());
  DeleteFileA(richPath.c_str());
  RemoveDirectoryA(dir.c_str());
  return 0;
}
