// Prints how long the list box takes to show a big directory and how long
// the rich edit takes to load big files, on a visible window.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/ComCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace {

double Seconds(const LARGE_INTEGER& a, const LARGE_INTEGER& b) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

template <class F>
double Time(F&& f) {
  LARGE_INTEGER a, b;
  QueryPerformanceCounter(&a);
  f();
  Application->ProcessMessages();  // the repaint belongs to the cost
  QueryPerformanceCounter(&b);
  return Seconds(a, b);
}

class TBenchForm : public TForm {
 public:
  explicit TBenchForm(TComponent* owner) : TForm(owner) {
    SetBounds(20, 20, 640, 480);
    List = new TListBox(this);
    List->SetParent(this);
    List->SetBounds(8, 8, 300, 440);
    List->SetStyle(lbOwnerDrawFixed);
    List->SetItemHeight(16);
    Rich = new TRichEdit(this);
    Rich->SetParent(this);
    Rich->SetBounds(320, 8, 300, 440);
    Rich->SetReadOnly(true);
    Rich->SetScrollBars(ssVertical);
  }
  TListBox* List;
  TRichEdit* Rich;
};

std::string TempFile(const char* name, const std::string& data) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + name;
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD put = 0;
  WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &put, nullptr);
  CloseHandle(h);
  return path;
}

}  // namespace

int main() {
  setvbuf(stdout, nullptr, _IONBF, 0);  // figures show as they come
  InitFramework();
  auto* form = Application->CreateForm<TBenchForm>();
  form->Show();
  Application->ProcessMessages();

  std::vector<std::string> names, others;
  for (int i = 0; i < 100000; ++i) {
    names.push_back("file" + std::to_string(100000 + i) + ".txt");
    others.push_back("other" + std::to_string(100000 + i) + ".dat");
  }
  std::printf("list box, 100000 entries, first listing: %.3f s\n",
              Time([&] { form->List->Items()->Assign(names); }));
  std::printf("list box, one entry appended to 100000: %.4f s\n",
              Time([&] { form->List->Items()->Add("zz.txt"); }));
  std::printf("list box, 100000 entries, new listing:   %.3f s\n",
              Time([&] { form->List->Items()->Assign(others); }));
  std::printf("list box, sorting 100000 entries:        %.3f s\n",
              Time([&] { form->List->SetSorted(true); }));

  std::string text;
  while (text.size() < 5 * 1024 * 1024)
    text += "C:\\WINDOWS\\SYSTEM32\\DRIVERS\\ETC\\HOSTS  1234 bytes  01.02.2003\r\n";
  std::string plain = TempFile("oq-bench-plain.txt", text);
  std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
  for (int i = 0; rtf.size() < 1024 * 1024; ++i)
    rtf += "Paragraph " + std::to_string(i) + " with {\\b bold} and {\\i italic} words.\\par\n";
  rtf += "}";
  std::string rich = TempFile("oq-bench-rich.rtf", rtf);

  form->Rich->SetPlainText(true);
  std::printf("rich edit, 5 MB plain text:              %.3f s\n",
              Time([&] { form->Rich->LoadFromFile(plain); }));
  std::printf("rich edit, 5 MB plain text to FixedSys:  %.3f s\n", Time([&] {
                TFont f;
                f.SetName("FixedSys");
                f.SetSize(10);
                form->Rich->SetFont(f);
              }));
  size_t chars = 0;
  double tRead = Time([&] { chars = form->Rich->Text().size(); });
  std::printf("rich edit, 5 MB plain text read back:    %.3f s (%zu characters)\n", tRead, chars);
  form->Rich->SetPlainText(false);
  double tRich = Time([&] { form->Rich->LoadFromFile(rich); });
  std::printf("rich edit, 1 MB rich text:               %.3f s\n", tRich);
  DeleteFileA(plain.c_str());
  DeleteFileA(rich.c_str());
  TComponent::Free(form);
  return 0;
}
