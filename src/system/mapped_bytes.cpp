#include "system/mapped_bytes.h"

#include <sys/mman.h>
#include <unistd.h>

#include <new>
#include <utility>

#include "system/large_pages.h"

namespace headly {

namespace {

size_t wholePages(size_t bytes) {
  static const size_t page = size_t(sysconf(_SC_PAGESIZE));
  return (bytes + page - 1) / page * page;
}

}  // namespace

MappedBytes::MappedBytes(size_t room) : size_(room), mapped_(wholePages(room)) {
  void* mapped = mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  data_ = static_cast<char*>(mapped);
  adviseLargePages(data_, mapped_);
}

MappedBytes::~MappedBytes() { unmap(); }

MappedBytes::MappedBytes(MappedBytes&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, 0)) {}

MappedBytes& MappedBytes::operator=(MappedBytes&& other) noexcept {
  if (this != &other) {
    unmap();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    mapped_ = std::exchange(other.mapped_, 0);
  }
  return *this;
}

void MappedBytes::keep(size_t size) {
  const size_t kept = wholePages(size);
  if (kept < mapped_) munmap(data_ + kept, mapped_ - kept);
  mapped_ = kept;
  size_ = size;
}

void MappedBytes::unmap() {
  if (data_ && mapped_ > 0) munmap(data_, mapped_);
  data_ = nullptr;
}

}  // namespace headly
