// What the running process holds, for the soak and for leak checks in
// tests: its open handles, its private memory and its GDI objects. Each is
// asked of the system in a way that also answers under Wine, where
// GetProcessHandleCount and GetGuiResources answer 0.
#pragma once

#include <cstddef>

// The process's open kernel handles, from the system's handle list.
int OpenHandleCount();
// The private memory the process has committed, in bytes.
std::size_t PrivateBytes();
// The process's GDI objects: the system's count where it keeps one, else
// the size of Wine's handle table less the objects that can still be made
// (found by making regions until the system refuses: slow, about a tenth of
// a second).
int ProbedGdiObjects();
