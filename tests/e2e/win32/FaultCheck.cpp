// faultcheck: whether Wine turns a program's own access violations into exceptions the
// program handles, as Windows does and as Wine's own code (IsBadReadPtr, stack growth)
// expects. Prints "unmapped<TAB>1" and "readonly<TAB>1" when both faults were handled.
#include "ProbeIo.h"
#include <windows.h>
#include <memory>

namespace {

struct PageRelease {
    void operator()(void* page) const { VirtualFree(page, 0, MEM_RELEASE); }
};
using Page = std::unique_ptr<void, PageRelease>;

constexpr SIZE_T kPageSize = 4096;

} // namespace

int wmain() {
    // The first 64 KB of an address space are never mapped.
    const bool unmapped = IsBadReadPtr(reinterpret_cast<const void*>(16), 4) != FALSE;
    PrintLine(L"unmapped\t" + Fields({unmapped}));
    const Page page(VirtualAlloc(nullptr, kPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_READONLY));
    if (!page)
        return Fail(L"VirtualAlloc failed", kExitFailed);
    const bool readOnly = IsBadWritePtr(page.get(), 4) != FALSE;
    PrintLine(L"readonly\t" + Fields({readOnly}));
    return 0;
}
