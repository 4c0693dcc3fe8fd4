#pragma once
// What a soak watches in its own process: live GDI objects and memory.
#include "perf/drive/soak_verdict.h"

namespace quorvenda::drive {

// Live GDI objects of this process, stock objects included; -1 when they
// cannot be counted. GetGuiResources answers 0 under Wine, so the process's
// GDI handle table is read instead: the PEB points to it at offset 0xF8 on
// 64-bit Windows and Wine alike, 65536 entries of 24 bytes, an entry in use
// having a non-zero object type in byte 14.
long countLiveGdiObjects();

// GDI objects, working set and private bytes (the commit charge), now.
ProcessSample sampleProcess();

}  // namespace quorvenda::drive
