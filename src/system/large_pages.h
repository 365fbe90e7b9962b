// Asks the system to back a large buffer with large memory pages where it
// can, so that filling it costs a page fault every two megabytes rather than
// every four kilobytes, and to have the memory ready before it is filled.
// Only advice: nothing changes where it is not taken.
#pragma once

#include <cstddef>
#include <thread>

namespace headly {

void adviseLargePages(const void* begin, size_t bytes);

// Has the system back the whole pages of the bytes at begin with memory now
// (zeroed pages where there were none; no byte changes), as writing them
// would; false where it refuses.
bool makeReady(void* begin, size_t bytes);
// The size of a large page, where they are made ready one at a time.
inline constexpr size_t kLargePageSize = size_t(2) << 20;

// While it lives, another thread has the system back the bytes at begin with
// memory (zeroed pages where there were none; no byte changes), from the end
// towards the start, so that a caller filling them from the start finds
// them ready. The destructor waits for that thread.
class MemoryMadeReady {
 public:
  MemoryMadeReady(void* begin, size_t bytes);
  ~MemoryMadeReady();
  MemoryMadeReady(const MemoryMadeReady&) = delete;
  MemoryMadeReady& operator=(const MemoryMadeReady&) = delete;

 private:
  std::thread thread_;
};

}  // namespace headly
