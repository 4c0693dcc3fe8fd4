#include "perf/drive/win32/process_counters.h"

#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <cstddef>
#include <vector>

namespace quorvenda::drive {

namespace {

constexpr std::size_t pebHandleTableOffset = 0xF8;
constexpr std::size_t handleTableEntries = 65536;
constexpr std::size_t handleEntrySize = 24;
constexpr std::size_t entryTypeOffset = 14;

}  // namespace

long countLiveGdiObjects() {
    HANDLE self = GetCurrentProcess();
    PROCESS_BASIC_INFORMATION info{};
    if (NtQueryInformationProcess(self, ProcessBasicInformation, &info, sizeof info, nullptr) != 0) return -1;
    const auto* peb = reinterpret_cast<const unsigned char*>(info.PebBaseAddress);
    ULONG_PTR table = 0;
    SIZE_T read = 0;
    // Read through ReadProcessMemory rather than by pointer: a table that is
    // not where it is expected gives -1 instead of an access violation.
    if (!ReadProcessMemory(self, peb + pebHandleTableOffset, &table, sizeof table, &read) || read != sizeof table ||
        table == 0)
        return -1;
    std::vector<unsigned char> entries(handleTableEntries * handleEntrySize);
    if (!ReadProcessMemory(self, reinterpret_cast<const void*>(table), entries.data(), entries.size(), &read) ||
        read != entries.size())
        return -1;
    long live = 0;
    for (std::size_t i = 0; i < handleTableEntries; ++i) live += entries[i * handleEntrySize + entryTypeOffset] != 0;
    return live;
}

ProcessSample sampleProcess() {
    ProcessSample sample;
    sample.gdiObjects = countLiveGdiObjects();
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        sample.workingSetBytes = counters.WorkingSetSize;
        // The commit charge: the private memory committed to the process. Wine
        // fills this field but leaves the newer PrivateUsage at 0.
        sample.privateBytes = counters.PagefileUsage;
    }
    return sample;
}

}  // namespace quorvenda::drive
