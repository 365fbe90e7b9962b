// Asks the system to back a large buffer with large memory pages where it
// can, so that filling it costs a page fault every two megabytes rather than
// every four kilobytes, and to have the memory ready before it is filled.
// Only advice: nothing changes where it is not taken.
#pragma once

#include <cstddef>
#include <thread>

namespace headly {

void adviseLargePages(const void* begin, size_t bytes);

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
