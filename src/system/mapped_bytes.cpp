#include "system/mapped_bytes.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#include "system/large_pages.h"

namespace headly {

namespace {

constexpr size_t kLargePage = size_t(2) << 20;
// From this size on, room is whole large pages; below it a large page would
// be mostly memory that nothing fills.
constexpr size_t kLargeFrom = size_t(1) << 20;

size_t wholePages(size_t bytes, size_t page) { return (bytes + page - 1) / page * page; }

// A mapping of room bytes (whole pages). Whole large pages start on a large
// page's boundary, so that all of it can be large pages: filling it then
// costs a page fault every two megabytes.
char* mapRoom(size_t room) {
  const size_t over = room % kLargePage == 0 ? kLargePage : 0;
  void* mapped = mmap(nullptr, room + over, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  char* const start = static_cast<char*>(mapped);
  if (over == 0) return start;
  char* const aligned = reinterpret_cast<char*>((reinterpret_cast<uintptr_t>(start) + over - 1) & ~(over - 1));
  if (aligned > start) munmap(start, size_t(aligned - start));
  if (start + over > aligned) munmap(aligned + room, size_t(start + over - aligned));
  adviseLargePages(aligned, room);
  return aligned;
}

}  // namespace

MappedBytes::~MappedBytes() {
  if (data_) munmap(data_, room_);
}

MappedBytes::MappedBytes(MappedBytes&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      room_(std::exchange(other.room_, 0)) {}

MappedBytes& MappedBytes::operator=(MappedBytes&& other) noexcept {
  if (this != &other) {
    if (data_) munmap(data_, room_);
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    room_ = std::exchange(other.room_, 0);
  }
  return *this;
}

void MappedBytes::reserve(size_t room) {
  if (room <= room_) return;
  static const size_t page = size_t(sysconf(_SC_PAGESIZE));
  const size_t mapped = wholePages(room, room >= kLargeFrom ? kLargePage : page);
  char* const grown = mapRoom(mapped);
  if (data_ && room_ < kLargeFrom) {
    // Small pages are copied, so that the large ones are large from the start.
    std::memcpy(grown, data_, room_);
    munmap(data_, room_);
  } else if (data_ && mremap(data_, room_, room_, MREMAP_MAYMOVE | MREMAP_FIXED, grown) == MAP_FAILED) {
    // Large pages move over without a copy.
    munmap(grown, mapped);
    throw std::bad_alloc();
  }
  data_ = grown;
  room_ = mapped;
}

void MappedBytes::append(std::string_view bytes) {
  const size_t at = size_;
  resize(at + bytes.size());
  if (!bytes.empty()) std::memcpy(data_ + at, bytes.data(), bytes.size());
}

}  // namespace headly
