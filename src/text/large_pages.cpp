#include "text/large_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace headly {

void adviseLargePages(const void* begin, size_t bytes) {
#ifdef MADV_HUGEPAGE
  // Only the whole large pages inside the buffer; below that size the advice
  // is not worth a system call.
  constexpr uintptr_t kLargePage = uintptr_t(2) << 20;
  const uintptr_t first = (reinterpret_cast<uintptr_t>(begin) + kLargePage - 1) & ~(kLargePage - 1);
  const uintptr_t end = (reinterpret_cast<uintptr_t>(begin) + bytes) & ~(kLargePage - 1);
  if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
  (void)begin;
  (void)bytes;
#endif
}

}  // namespace headly
