#include "system/large_pages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <system_error>

namespace headly {

namespace {

#ifdef MADV_POPULATE_WRITE
// The whole small pages inside a buffer, from first up to end.
struct WholePages {
  uintptr_t first, end;
};
WholePages wholePagesOf(const void* begin, size_t bytes) {
  const uintptr_t pageSize = uintptr_t(sysconf(_SC_PAGESIZE));
  return {(reinterpret_cast<uintptr_t>(begin) + pageSize - 1) & ~(pageSize - 1),
          (reinterpret_cast<uintptr_t>(begin) + bytes) & ~(pageSize - 1)};
}
#endif
}  // namespace

void adviseLargePages(const void* begin, size_t bytes) {
#ifdef MADV_HUGEPAGE
  // Only the whole large pages inside the buffer; below that size the advice
  // is not worth a system call.
  const uintptr_t first = (reinterpret_cast<uintptr_t>(begin) + kLargePageSize - 1) & ~(kLargePageSize - 1);
  const uintptr_t end = (reinterpret_cast<uintptr_t>(begin) + bytes) & ~(kLargePageSize - 1);
  if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
  (void)begin;
  (void)bytes;
#endif
}

bool makeReady(void* begin, size_t bytes) {
#ifdef MADV_POPULATE_WRITE
  const auto [first, end] = wholePagesOf(begin, bytes);
  return end <= first || madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE) == 0;
#else
  (void)begin;
  (void)bytes;
  return false;
#endif
}

MemoryMadeReady::MemoryMadeReady(void* begin, size_t bytes) {
#ifdef MADV_POPULATE_WRITE
  // Below a few large pages a thread is not worth it.
  const WholePages pages = wholePagesOf(begin, bytes);
  const uintptr_t first = pages.first, end = pages.end;
  if (end <= first || end - first < 4 * kLargePageSize) return;
  try {
    thread_ = std::thread([first, end] {
      // A large page at a time, each on its boundary; a system without the
      // advice refuses it and the filling makes the pages as before.
      for (uintptr_t high = end; high > first;) {
        const uintptr_t low = std::max(first, (high - 1) & ~(kLargePageSize - 1));
        if (!makeReady(reinterpret_cast<void*>(low), high - low)) return;
        high = low;
      }
    });
  } catch (const std::system_error&) {
  }
#else
  (void)begin;
  (void)bytes;
#endif
}

MemoryMadeReady::~MemoryMadeReady() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace headly
