// The drag-and-drop core and the file drops on it, through the real COM
// interfaces, on a real control of a shown form. Drags between processes,
// with the real mouse, are tested with the main window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "ControlsTestUtil.h"
#include "dragdrop/DragDropFiles.h"
#include "dragdrop/DragDropRules.h"
#include "framework/StdCtrls.h"
#include "progs/StackCom.h"

using ctltest::Owned;
using namespace std::string_literals;

namespace {
// Counts the releases of a medium that its data object keeps.
class MediumKeeper : public IUnknown {
 public:
  int Releases = 0;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    *ppv = IsEqualIID(riid, IID_IUnknown) ? this : nullptr;
    return *ppv ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override {
    ++Releases;
    return 1;
  }
};

// Another program's data object: the bytes it is given, in the format it
// is given, or a GetData that fails although the format was announced. With
// a keeper, the block stays the object's own (the receiver releases the
// keeper instead of the block) and GetData answers the given code.
class ForeignData : public StackCom<IDataObject, &IID_IDataObject> {
 public:
  ForeignData(CLIPFORMAT format, std::vector<uint8_t> bytes, bool failGetData = false)
      : FFormat(format), FBytes(std::move(bytes)), FFail(failGetData) {}
  ~ForeignData() {
    if (FKept) GlobalFree(FKept);
  }
  void KeepBlock(MediumKeeper* keeper, HRESULT answer) {
    FKeeper = keeper;
    FAnswer = answer;
  }
  HGLOBAL Kept() const { return FKept; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override {
    if (FFail || QueryGetData(f) != S_OK) return DV_E_FORMATETC;
    // Movable, so that the system counts its locks.
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, FBytes.size());
    if (!FBytes.empty()) {
      std::memcpy(GlobalLock(g), FBytes.data(), FBytes.size());
      GlobalUnlock(g);
    }
    *m = STGMEDIUM{};
    m->tymed = TYMED_HGLOBAL;
    m->hGlobal = g;
    if (!FKeeper) return S_OK;
    if (FKept) GlobalFree(FKept);
    FKept = g;
    m->pUnkForRelease = FKeeper;
    return FAnswer;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
    return f->cfFormat == FFormat && (f->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  CLIPFORMAT FFormat;
  std::vector<uint8_t> FBytes;
  bool FFail;
  MediumKeeper* FKeeper = nullptr;
  HRESULT FAnswer = S_OK;
  HGLOBAL FKept = nullptr;
};

// A drop target of nobody, to see whether a window is registered already.
class NoTarget : public StackCom<IDropTarget, &IID_IDropTarget> {
 public:
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }
};

bool Registered(HWND wnd) {
  static NoTarget probe;
  HRESULT hr = RegisterDragDrop(wnd, &probe);
  if (hr == S_OK) RevokeDragDrop(wnd);
  return hr == DRAGDROP_E_ALREADYREGISTERED;
}

// The UTF-8 form of a text, as the program holds names under its manifest.
std::string U8(const std::u16string& w) {
  const auto* p = reinterpret_cast<const wchar_t*>(w.data());
  const int len = static_cast<int>(w.size());
  std::string s(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, p, len, nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, p, len, s.data(), static_cast<int>(s.size()), nullptr, nullptr);
  return s;
}

ULONG References(IUnknown* u) {
  u->AddRef();
  return u->Release();
}

std::vector<uint8_t> Header(uint32_t first, uint32_t wide, const std::string& rest) {
  std::vector<uint8_t> b(20, 0);
  std::memcpy(b.data(), &first, 4);
  std::memcpy(b.data() + 16, &wide, 4);
  b.insert(b.end(), rest.begin(), rest.end());
  return b;
}

std::vector<uint8_t> WideNames(const std::u16string& joined) {
  std::vector<uint8_t> b = BuildWideFileDropBlock({});
  b.resize(20);
  for (char16_t c : joined) {
    b.push_back(static_cast<uint8_t>(c & 0xFF));
    b.push_back(static_cast<uint8_t>(c >> 8));
  }
  return b;
}

// A combo box on the host form bound to a file drag-and-drop component that
// counts its events.
struct DropBench {
  Owned<TComboBox> Combo{new TComboBox(ctltest::HostForm())};
  Owned<TDragDropFiles> DD{new TDragDropFiles(ctltest::HostForm())};
  int Drops = 0, Processed = 0;
  DWORD ProcessedKeys = 0, ProcessedEffect = 0;
  POINTL ProcessedPoint{0, 0};

  DropBench() {
    Combo->SetParent(ctltest::HostForm());
    Combo->SetBounds(10, 10, 200, 24);
    DD->SetTargetEffects(deCopy | deMove);
    DD->SetDragDropControl(Combo.get());
    DD->OnDrop = [this](IDataObject*, DWORD, POINTL, DWORD&) { ++Drops; };
    DD->OnProcessDropped = [this](TObject* s, DWORD keys, POINTL pt, DWORD effect) {
      EXPECT_EQ(s, DD.get());
      ++Processed;
      ProcessedKeys = keys;
      ProcessedPoint = pt;
      ProcessedEffect = effect;
    };
  }

  // Enter, move and drop as the system's drag loop does; returns the
  // answer of the drop and the effect it chose.
  HRESULT DropOn(IDataObject* data, DWORD offered, DWORD keys, DWORD& effect) {
    IDropTarget* t = DD->DropTarget();
    effect = offered;
    t->DragEnter(data, keys | MK_LBUTTON, POINTL{40, 50}, &effect);
    effect = offered;
    t->DragOver(keys | MK_LBUTTON, POINTL{41, 51}, &effect);
    effect = offered;
    return t->Drop(data, keys, POINTL{42, 52}, &effect);
  }
};
}  // namespace

TEST(DragDropCore, FormatListAndEnumerator) {
  const int live = DragDropLiveObjects();
  TFormatEtcList list;
  EXPECT_THROW(list.Items(0), EListError);
  EXPECT_EQ(list.Add(FileDropFormat()), 0);
  FORMATETC text{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  EXPECT_EQ(list.Add(text), 1);
  for (int bad : {-1, 2}) {
    try {
      list.SetItems(bad, text);
      ADD_FAILURE() << bad;
    } catch (const EListError& e) {
      EXPECT_STREQ(e.what(), "Invalid item index");
    }
  }
  auto copy = list.Clone();
  copy->SetItems(0, text);
  EXPECT_EQ(list.Items(0).cfFormat, CF_HDROP);  // the clone is a copy

  // One record asked for five: one, and S_FALSE as COM wants for fewer.
  TFormatEtcList one;
  one.Add(FileDropFormat());
  auto* e = new TEnumFormatEtc(one.Clone());
  FORMATETC got[5]{};
  ULONG fetched = 99;
  EXPECT_EQ(e->Next(5, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 1u);
  EXPECT_EQ(got[0].cfFormat, CF_HDROP);
  EXPECT_EQ(e->Next(1, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
  EXPECT_EQ(e->Reset(), S_OK);
  EXPECT_EQ(e->Next(2, got, nullptr), S_FALSE);  // more than one needs the count
  EXPECT_EQ(e->Next(1, got, nullptr), S_OK);
  EXPECT_EQ(e->Skip(1), S_FALSE);  // at the end: no move
  e->Reset();
  EXPECT_EQ(e->Skip(0xFFFFFFFFu), S_FALSE);
  EXPECT_EQ(e->Skip(1), S_OK);
  IEnumFORMATETC* c = nullptr;
  ASSERT_EQ(e->Clone(&c), S_OK);
  EXPECT_EQ(c->Next(1, got, &fetched), S_FALSE);  // the clone keeps the position
  c->Reset();
  EXPECT_EQ(c->Next(1, got, &fetched), S_OK);
  EXPECT_EQ(c->Release(), 0u);
  EXPECT_EQ(e->Release(), 0u);
  EXPECT_EQ(DragDropLiveObjects(), live);
}

TEST(DragDropCore, FileDataObjectAnswers) {
  const int live = DragDropLiveObjects();
  // Wide names: a receiver of any code page reads them exactly.
  std::vector<std::u16string> names{u"C:\\one.txt", u"C:\\Za\u017c\u00f3\u0142\u0107 \U0001F600.txt"};
  const size_t blockSize = 20 + 2 * (names[0].size() + 1) + 2 * (names[1].size() + 1) + 2;
  auto* d = new TDataObjectFiles(names);
  const std::vector<std::u16string> written = names;
  names.push_back(u"C:\\late.txt");  // after the block was made: not in it

  FORMATETC f = FileDropFormat();
  struct Stage {
    CLIPFORMAT cf;
    DWORD tymed, aspect;
    LONG index;
    HRESULT expected;
  } stages[] = {
      {CF_HDROP, TYMED_HGLOBAL, DVASPECT_CONTENT, -1, S_OK},
      {CF_HDROP, TYMED_HGLOBAL | TYMED_ISTREAM, DVASPECT_CONTENT, -1, S_OK},
      {CF_TEXT, TYMED_HGLOBAL, DVASPECT_CONTENT, -1, DV_E_FORMATETC},
      {CF_HDROP, TYMED_ISTREAM, DVASPECT_CONTENT, -1, DV_E_TYMED},
      {CF_HDROP, TYMED_HGLOBAL, DVASPECT_ICON, -1, DV_E_DVASPECT},
      {CF_HDROP, TYMED_HGLOBAL, DVASPECT_CONTENT, 0, DV_E_LINDEX},
  };
  for (const Stage& s : stages) {
    FORMATETC q{s.cf, nullptr, s.aspect, s.index, s.tymed};
    EXPECT_EQ(d->QueryGetData(&q), s.expected) << s.cf << " " << s.tymed << " " << s.aspect;
  }
  FORMATETC text{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM m{};
  EXPECT_EQ(d->GetData(&text, &m), DV_E_FORMATETC);

  // Every request renders a fresh block the receiver frees.
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(d->GetData(&f, &m), S_OK);
    EXPECT_EQ(m.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
    EXPECT_EQ(m.pUnkForRelease, nullptr);
    EXPECT_EQ(GlobalSize(m.hGlobal), blockSize);
    auto* p = static_cast<const uint8_t*>(GlobalLock(m.hGlobal));
    FileDropNames r = ReadFileDropBlock(p, GlobalSize(m.hGlobal));
    GlobalUnlock(m.hGlobal);
    EXPECT_TRUE(r.Wide);
    EXPECT_EQ(r.WideNames, written);
    ReleaseStgMedium(&m);
  }

  // SetData records formats and keeps no medium: always E_FAIL.
  EXPECT_EQ(d->Formats().Count(), 1);
  EXPECT_EQ(d->SetData(&text, &m, TRUE), E_FAIL);
  EXPECT_EQ(d->Formats().Count(), 1);
  EXPECT_EQ(d->SetData(&text, &m, FALSE), E_FAIL);
  EXPECT_EQ(d->Formats().Count(), 2);
  text.tymed = TYMED_ISTREAM;
  EXPECT_EQ(d->SetData(&text, &m, FALSE), E_FAIL);
  ASSERT_EQ(d->Formats().Count(), 2);
  EXPECT_EQ(d->Formats().Items(1).tymed, static_cast<DWORD>(TYMED_ISTREAM));

  IEnumFORMATETC* e = nullptr;
  ASSERT_EQ(d->EnumFormatEtc(DATADIR_GET, &e), S_OK);
  FORMATETC got[4]{};
  ULONG n = 0;
  e->Next(4, got, &n);
  EXPECT_EQ(n, 2u);
  EXPECT_EQ(got[0].cfFormat, CF_HDROP);
  e->Release();
  e = reinterpret_cast<IEnumFORMATETC*>(1);
  EXPECT_EQ(d->EnumFormatEtc(DATADIR_SET, &e), static_cast<HRESULT>(0x00040000));
  EXPECT_EQ(e, nullptr);
  IEnumSTATDATA* a = reinterpret_cast<IEnumSTATDATA*>(1);
  EXPECT_EQ(d->EnumDAdvise(&a), OLE_E_ADVISENOTSUPPORTED);
  EXPECT_EQ(a, nullptr);
  EXPECT_EQ(d->GetDataHere(&f, &m), E_NOTIMPL);
  EXPECT_EQ(d->DAdvise(&f, 0, nullptr, nullptr), E_NOTIMPL);
  EXPECT_EQ(d->Release(), 0u);
  EXPECT_EQ(DragDropLiveObjects(), live);
}

TEST(DragDropCore, DropsOfEveryKindOnAControl) {
  // The test programs carry the manifest that makes the program's code page
  // UTF-8; another program's 8-bit names are in the legacy code page.
  ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
  ASSERT_EQ(LegacyCodePage(), 1252u);
  DropBench b;
  ASSERT_TRUE(b.DD->IsDropTarget());
  auto* own = new TDataObjectFiles({u"C:\\a.txt", u"D:\\b c.dat"});
  std::string longName(1000, 'L');
  struct Case {
    const char* what;
    IDataObject* data;
    DWORD keys;
    HRESULT answer;
    DWORD effect;
    std::vector<std::string> names;  // after the drop
    bool refused;
  };
  ForeignData wide(CF_HDROP, WideNames(u"C:\\w\u00e9.txt\0Z:\\\u65e5 \U0001F600.txt\0\0"s));
  ForeignData legacy(CF_HDROP, Header(20, 0, std::string("C:\\Caf\xe9.txt\0D:\\\x80 5.txt\0\0", 24)));
  // Half a surrogate pair: a first half in the second name, a second half
  // alone.
  ForeignData lonelyHigh(CF_HDROP, WideNames(u"C:\\ok.txt\0C:\\a\xD83D.txt\0\0"s));
  ForeignData lonelyLow(CF_HDROP, WideNames(u"C:\\\xDE00\0\0"s));
  ForeignData noTerminator(CF_HDROP, Header(20, 0, "C:\\cut"));
  ForeignData offsetPastEnd(CF_HDROP, Header(4000, 0, std::string("C:\\x\0\0", 6)));
  ForeignData oddWide(CF_HDROP, Header(20, 1, std::string("a\0\0\0b", 5)));
  ForeignData longOne(CF_HDROP, Header(20, 0, longName + std::string("\0\0", 2)));
  ForeignData empty(CF_HDROP, Header(20, 0, std::string("\0", 1)));
  ForeignData text(CF_TEXT, {'h', 'i', 0});
  ForeignData failing(CF_HDROP, {}, true);
  Case cases[] = {
      {"our own data", own, 0, S_OK, DROPEFFECT_COPY, {"C:\\a.txt", "D:\\b c.dat"}, false},
      {"the move key", own, MK_SHIFT, S_OK, DROPEFFECT_MOVE, {"C:\\a.txt", "D:\\b c.dat"}, false},
      // Wide names arrive exactly, whatever their alphabet.
      {"wide names", &wide, 0, S_OK, DROPEFFECT_COPY,
       {U8(u"C:\\w\u00e9.txt"), U8(u"Z:\\\u65e5 \U0001F600.txt")}, false},
      // 8-bit names are in the dropping program's code page, not ours.
      {"8-bit names", &legacy, 0, S_OK, DROPEFFECT_COPY,
       {U8(u"C:\\Caf\u00e9.txt"), U8(u"D:\\\u20ac 5.txt")}, false},
      // No look-alike for a name that has no exact form: the drop is refused.
      {"half a surrogate pair", &lonelyHigh, 0, S_OK, DROPEFFECT_COPY, {}, true},
      {"the other half alone", &lonelyLow, 0, S_OK, DROPEFFECT_COPY, {}, true},
      {"a name without its end", &noTerminator, 0, S_OK, DROPEFFECT_COPY, {}, false},
      {"names past the block", &offsetPastEnd, 0, S_OK, DROPEFFECT_COPY, {}, false},
      {"half a wide character", &oddWide, 0, S_OK, DROPEFFECT_COPY, {"a"}, false},
      {"a long name", &longOne, 0, S_OK, DROPEFFECT_COPY, {longName}, false},
      {"no names", &empty, 0, S_OK, DROPEFFECT_COPY, {}, false},
      // GetData fails: the names of the drop before do not survive it.
      {"data that cannot be had", &failing, 0, S_OK, DROPEFFECT_COPY, {}, false},
  };
  for (const Case& c : cases) {
    b.DD->FileNames()->Assign({"stale"});
    const int drops = b.Drops, processed = b.Processed;
    DWORD effect = 0;
    EXPECT_EQ(b.DropOn(c.data, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, c.keys, effect),
              c.answer)
        << c.what;
    EXPECT_EQ(effect, c.effect) << c.what;
    EXPECT_EQ(b.DD->FileNames()->Items(), c.names) << c.what;
    EXPECT_EQ(b.DD->NamesRefused(), c.refused) << c.what;
    EXPECT_EQ(b.Drops, drops + 1) << c.what;
    // The form hears of it from the message loop, after the source has its
    // answer, with what the drop had.
    EXPECT_EQ(b.Processed, processed) << c.what;
    EXPECT_TRUE(testkit::PumpUntil([&] { return b.Processed == processed + 1; })) << c.what;
    EXPECT_EQ(b.ProcessedEffect, c.effect) << c.what;
    EXPECT_EQ(b.ProcessedKeys, c.keys) << c.what;
    EXPECT_EQ(b.ProcessedPoint.x, 42) << c.what;
  }

  // Data without file names is refused from the start, also with Shift:
  // no effect, and a drop fails without raising anything.
  b.DD->FileNames()->Assign({"kept"});
  for (DWORD keys : {DWORD(0), DWORD(MK_SHIFT)}) {
    DWORD effect = 0;
    EXPECT_EQ(b.DropOn(&text, DROPEFFECT_COPY | DROPEFFECT_MOVE, keys, effect), E_FAIL);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  }
  // A source that offers only linking finds nothing it takes.
  DWORD effect = 0;
  EXPECT_EQ(b.DropOn(own, DROPEFFECT_LINK, 0, effect), E_FAIL);
  const int processed = b.Processed;
  testkit::PumpPending();
  EXPECT_EQ(b.Processed, processed);
  EXPECT_EQ(b.DD->FileNames()->Items(), std::vector<std::string>{"kept"});
  own->Release();
}

// 8-bit names from a program of another legacy code page: decoded from it,
// and refused where its bytes are not a text of that code page.
TEST(DragDropCore, EightBitNamesOfEveryCodePage) {
  struct Case {
    UINT codePage;
    std::string bytes;
    std::string name;  // empty: refused
  } cases[] = {
      {1252, "C:\\Caf\xe9.txt", U8(u"C:\\Caf\u00e9.txt")},
      {1250, "C:\\Za\xbf\xf3\xb3\xe6.txt", U8(u"C:\\Za\u017c\u00f3\u0142\u0107.txt")},
      {932, "C:\\\x93\xfa\x96\x7b.txt", U8(u"C:\\\u65e5\u672c.txt")},
      {932, "C:\\\x93.txt", ""},         // a lead byte without its second byte
      {CP_UTF8, "C:\\\xe6\x97\xa5.txt", U8(u"C:\\\u65e5.txt")},
      {CP_UTF8, "C:\\\xc3(.txt", ""},      // a sequence cut short
      {CP_UTF8, "C:\\\xed\xa0\xbd.txt", ""},  // a surrogate written as UTF-8
  };
  for (const Case& c : cases) {
    FileDropNames block;
    block.Names = {"C:\\plain.txt", c.bytes};
    const DroppedFileNames got = ProgramFileNames(block, c.codePage);
    const std::vector<std::string> expected =
        c.name.empty() ? std::vector<std::string>{} : std::vector<std::string>{"C:\\plain.txt", c.name};
    EXPECT_EQ(got.Names, expected) << c.codePage << " " << c.bytes;
    EXPECT_EQ(got.Refused, c.name.empty()) << c.codePage << " " << c.bytes;
  }
}

namespace {
// Memory that runs out: while a budget is set, allocations beyond it fail
// as they do when the process has no more memory to give.
size_t g_AllocationBudget = 0;
bool g_Budgeted = false;
struct AllocationBudget {
  explicit AllocationBudget(size_t bytes) {
    g_AllocationBudget = bytes;
    g_Budgeted = true;
  }
  ~AllocationBudget() { g_Budgeted = false; }
};
}  // namespace

void* operator new(size_t n) {
  if (g_Budgeted) {
    if (n > g_AllocationBudget) throw std::bad_alloc();
    g_AllocationBudget -= n;
  }
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}

// The dropped block goes back to its owner, unlocked, whatever the drop
// brought and however reading it ended.
TEST(DragDropCore, DroppedDataIsGivenBackWhateverHappens) {
  DropBench b;
  std::vector<std::string> many;
  for (int i = 0; i < 10000; ++i) many.push_back("C:\\" + std::string(250, 'n') + std::to_string(i));
  struct Case {
    const char* what;
    std::vector<std::string> names;
    HRESULT answer;     // of GetData
    size_t budget;      // 0: memory enough
    size_t expected;    // names taken
  } cases[] = {
      {"a drop", {"C:\\a.txt"}, S_OK, 0, 1},
      // Another success: the medium is ours to release, its content no block.
      {"the same format", {"C:\\a.txt"}, DATA_S_SAMEFORMATETC, 0, 0},
      {"no memory for 10,000 long names", many, S_OK, 1 << 20, 0},
  };
  testkit::MessageBoxRecorder boxes;
  for (const Case& c : cases) {
    ForeignData data(CF_HDROP, BuildFileDropBlock(c.names));
    MediumKeeper keeper;
    data.KeepBlock(&keeper, c.answer);
    b.DD->FileNames()->Assign({"stale"});
    DWORD effect = 0;
    {
      std::optional<AllocationBudget> budget;
      if (c.budget) budget.emplace(c.budget);
      EXPECT_EQ(b.DropOn(&data, DROPEFFECT_COPY, 0, effect), S_OK) << c.what;
    }
    EXPECT_EQ(keeper.Releases, 1) << c.what;
    ASSERT_NE(data.Kept(), nullptr) << c.what;
    EXPECT_EQ(GlobalFlags(data.Kept()) & GMEM_LOCKCOUNT, 0u) << c.what;
    EXPECT_EQ(static_cast<size_t>(b.DD->FileNames()->Count()), c.expected) << c.what;
    testkit::PumpPending();
  }
  EXPECT_TRUE(boxes.Boxes.empty());
}

namespace {
// A component whose memory, once freed, is kept filled with a pattern and
// never given to anything else: a write to it after the free shows.
struct Watched : TDragDropFiles {
  using TDragDropFiles::TDragDropFiles;
  static inline void* Memory = nullptr;
  static inline size_t Size = 0;
  static void* operator new(size_t n) {
    Size = n;
    return Memory = std::malloc(n);
  }
  static void operator delete(void* p) { std::memset(p, 0xDD, Size); }
  static bool UntouchedSinceFreed() {
    const auto* b = static_cast<const uint8_t*>(Memory);
    return std::all_of(b, b + Size, [](uint8_t v) { return v == 0xDD; });
  }
};
}  // namespace

// A message handled inside the system's drag loop frees the component that
// started the drag: the drag ends, and nothing of the component is used
// after the free.
TEST(DragDropCore, AComponentFreedDuringItsDrag) {
  Owned<TComboBox> combo{new TComboBox(ctltest::HostForm())};
  combo->SetParent(ctltest::HostForm());
  combo->Handle();
  const int live = DragDropLiveObjects();
  auto* dd = new Watched(ctltest::HostForm());
  dd->SetSourceEffects(deCopy | deMove);
  dd->SetDragDropControl(combo.get());
  int asked = 0;
  bool freed = false;
  dd->OnQueryContinueDrag = [&](BOOL, DWORD, HRESULT& r) {
    // Its window closes by a posted message: a call from the loop.
    if (asked++ == 0)
      Application->QueueCall([&] {
        TComponent::Free(dd);
        freed = true;
      });
    r = S_OK;  // goes on: no real mouse here
  };
  dd->FileNames()->Assign({"C:\\a.txt"});
  EXPECT_FALSE(dd->StartFileDrag());
  EXPECT_TRUE(freed);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(Watched::UntouchedSinceFreed());
  std::free(Watched::Memory);
  EXPECT_EQ(DragDropLiveObjects(), live);
}

TEST(DragDropCore, RegistrationFollowsTheControlItsEffectsAndItsWindow) {
  DropBench b;
  HWND first = b.Combo->Handle();
  ASSERT_TRUE(Registered(first));
  TDropTarget* target = b.DD->DropTarget();

  // Effects off withdraw the window; on again register it anew.
  b.DD->SetTargetEffects(0);
  EXPECT_FALSE(b.DD->IsDropTarget());
  EXPECT_FALSE(Registered(first));
  EXPECT_EQ(References(target), 1u);  // only the component's
  b.DD->SetTargetEffects(deCopy);
  EXPECT_TRUE(Registered(first));

  // A window made anew for the control is a drop target again.
  b.Combo->SetStyle(csDropDownList);
  HWND second = b.Combo->Handle();
  ASSERT_NE(second, first);
  EXPECT_TRUE(b.DD->IsDropTarget());
  EXPECT_TRUE(Registered(second));
  DWORD effect = 0;
  auto* own = new TDataObjectFiles({});
  b.DropOn(own, DROPEFFECT_COPY, 0, effect);
  own->Release();
  const int processed = b.Processed;
  EXPECT_TRUE(testkit::PumpUntil([&] { return b.Processed == processed + 1; }));

  // A registration that fails leaves no lock behind.
  b.DD->SetTargetEffects(0);
  NoTarget other;
  ASSERT_EQ(RegisterDragDrop(second, &other), S_OK);
  b.DD->SetTargetEffects(deCopy);
  EXPECT_FALSE(b.DD->IsDropTarget());
  EXPECT_EQ(References(target), 1u);
  RevokeDragDrop(second);

  // Another control: the old one is let go whatever the effects, also when
  // it was only followed as a drag source.
  b.DD->SetTargetEffects(0);
  b.DD->SetSourceEffects(deCopy);
  EXPECT_TRUE(b.DD->Hooked());
  Owned<TEdit> edit{new TEdit(ctltest::HostForm())};
  edit->SetParent(ctltest::HostForm());
  b.DD->SetTargetEffects(deCopy | deMove);
  b.DD->SetDragDropControl(edit.get());
  EXPECT_TRUE(Registered(edit->Handle()));
  EXPECT_FALSE(Registered(second));
  const int before = b.Processed;
  PostMessageA(second, DDM_ProcessDropped(), 0, 0);
  PostMessageA(edit->Handle(), DDM_ProcessDropped(), 0, 0);
  EXPECT_TRUE(testkit::PumpUntil([&] { return b.Processed == before + 1; }));
  testkit::PumpPending();
  EXPECT_EQ(b.Processed, before + 1);  // the combo box's message went unheard

  // The control goes first: the component forgets it, and takes nothing.
  HWND gone = edit->Handle();
  edit.reset();
  EXPECT_EQ(b.DD->DragDropControl(), nullptr);
  EXPECT_FALSE(b.DD->IsDropTarget());
  EXPECT_FALSE(IsWindow(gone));
  EXPECT_EQ(References(target), 1u);

  // The component goes while the system might still hold its target.
  target->AddRef();
  b.DD.reset();
  effect = DROPEFFECT_COPY;
  ForeignData files(CF_HDROP, BuildFileDropBlock({"C:\\x"}));
  IDropTarget* t = target;
  EXPECT_EQ(t->DragEnter(&files, MK_LBUTTON, POINTL{0, 0}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  effect = DROPEFFECT_COPY;
  EXPECT_EQ(t->Drop(&files, 0, POINTL{0, 0}, &effect), E_FAIL);
  EXPECT_EQ(target->Release(), 0u);
}

TEST(DragDropCore, DropSourceAndStartingADrag) {
  DropBench b;
  const int live = DragDropLiveObjects();
  auto* source = new TDropSource(b.DD.get());
  struct Case {
    BOOL escape;
    DWORD keys;
    HRESULT expected;
  } cases[] = {
      {FALSE, MK_LBUTTON, S_OK},
      {FALSE, MK_RBUTTON, S_OK},
      {TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL},
      {FALSE, MK_LBUTTON | MK_RBUTTON, DRAGDROP_S_CANCEL},
      {FALSE, 0, DRAGDROP_S_DROP},
      {FALSE, MK_SHIFT, DRAGDROP_S_DROP},
  };
  for (const Case& c : cases)
    EXPECT_EQ(source->QueryContinueDrag(c.escape, c.keys), c.expected) << c.escape << " " << c.keys;
  EXPECT_EQ(source->GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
  b.DD->OnGiveFeedback = [](DWORD, HRESULT& r) { r = S_OK; };
  EXPECT_EQ(source->GiveFeedback(DROPEFFECT_COPY), S_OK);
  // A handler's error does not cross the system's drag loop.
  b.DD->OnQueryContinueDrag = [](BOOL, DWORD, HRESULT&) { throw Exception("handler failed"); };
  testkit::MessageBoxRecorder boxes;
  EXPECT_EQ(source->QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
  source->Release();
  EXPECT_TRUE(testkit::PumpUntil([&] { return boxes.Boxes.size() == 1; }));

  // No names: no drag, no event.
  int asked = 0;
  b.DD->OnQueryContinueDrag = [&](BOOL, DWORD, HRESULT& r) {
    ++asked;
    EXPECT_TRUE(b.DD->Dragging());
    r = DRAGDROP_S_CANCEL;
  };
  b.DD->SetSourceEffects(deCopy | deMove | deLink);
  b.DD->StartFileDrag();
  EXPECT_EQ(asked, 0);
  // A drag that its handler cancels at once: over, flag down, nothing kept.
  b.DD->FileNames()->Assign({"C:\\a.txt"});
  b.DD->StartFileDrag();
  EXPECT_GE(asked, 1);
  EXPECT_FALSE(b.DD->Dragging());
  EXPECT_EQ(b.Drops, 0);
  EXPECT_EQ(DragDropLiveObjects(), live);
}
