#include "framework/ProcessFigures.h"

#include <windows.h>

#include <vector>

namespace {

// NtQuerySystemInformation's list of every handle of the system.
constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
struct HandleEntry {
  ULONG OwnerPid;
  BYTE ObjectType;
  BYTE Flags;
  USHORT Handle;
  PVOID Object;
  ACCESS_MASK Access;
};
struct HandleList {
  ULONG Count;
  HandleEntry Handles[1];
};
using QueryFn = LONG(NTAPI*)(ULONG, PVOID, ULONG, PULONG);

// Wine's table of GDI handles holds this many.
constexpr int kWineGdiHandles = 65536;

}  // namespace

int OpenHandleCount() {
  auto query = reinterpret_cast<QueryFn>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation"));
  if (!query) return -1;
  std::vector<char> buf(1 << 16);
  ULONG needed = 0;
  LONG status;
  while ((status = query(kSystemHandleInformation, buf.data(), static_cast<ULONG>(buf.size()),
                         &needed)) == kInfoLengthMismatch)
    buf.resize(buf.size() * 2);
  if (status != 0) {
    DWORD n = 0;
    return GetProcessHandleCount(GetCurrentProcess(), &n) ? static_cast<int>(n) : -1;
  }
  const auto* list = reinterpret_cast<const HandleList*>(buf.data());
  const ULONG self = GetCurrentProcessId();
  int mine = 0;
  for (ULONG i = 0; i < list->Count; ++i)
    if (list->Handles[i].OwnerPid == self) ++mine;
  return mine;
}

std::size_t PrivateBytes() {
  std::size_t total = 0;
  MEMORY_BASIC_INFORMATION m;
  for (char* p = nullptr; VirtualQuery(p, &m, sizeof m) == sizeof m; p += m.RegionSize) {
    if (m.State == MEM_COMMIT && m.Type == MEM_PRIVATE) total += m.RegionSize;
    if (m.RegionSize == 0 || p + m.RegionSize < p) break;
  }
  return total;
}

int ProbedGdiObjects() {
  const int n = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  if (n > 0) return n;
  std::vector<HRGN> probes;
  probes.reserve(kWineGdiHandles);
  for (int i = 0; i < kWineGdiHandles; ++i) {
    HRGN r = CreateRectRgn(0, 0, 1, 1);
    if (!r) break;
    probes.push_back(r);
  }
  for (HRGN r : probes) DeleteObject(r);
  return kWineGdiHandles - static_cast<int>(probes.size());
}
