// Bytes in memory of their own, mapped from the system on large pages where
// they are large (from 1 MB on) and given back to it the moment they are let
// go. Room that is never written costs no memory, and a page is made when it
// is first written, so a buffer reserved for a whole file costs only what it
// holds.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace headly {

class MappedBytes {
 public:
  MappedBytes() = default;
  // Room for that many bytes, none held yet; std::bad_alloc when the system
  // has no room.
  explicit MappedBytes(size_t room) { reserve(room); }
  ~MappedBytes();
  MappedBytes(MappedBytes&& other) noexcept;
  MappedBytes& operator=(MappedBytes&& other) noexcept;
  MappedBytes(const MappedBytes&) = delete;
  MappedBytes& operator=(const MappedBytes&) = delete;

  char* data() { return data_; }
  const char* data() const { return data_; }
  size_t size() const { return size_; }
  size_t room() const { return room_; }
  std::string_view view() const { return {data_, size_}; }

  // Room for at least that many bytes in all. The whole room, its bytes past
  // those held included, moves with it when it has to grow.
  void reserve(size_t room);
  // The first size bytes are those it holds, whatever they are: nothing is
  // written, and the room grows when it is too small.
  void resize(size_t size) {
    if (size > room_) reserve(size > 2 * room_ ? size : 2 * room_);
    size_ = size;
  }
  void append(std::string_view bytes);

 private:
  char* data_ = nullptr;
  size_t size_ = 0, room_ = 0;
};

// Numbers of type T, one after another, kept in MappedBytes: an index that
// may grow large without costing a page fault every 4 KB.
template <class T>
class MappedArray {
 public:
  size_t size() const { return bytes_.size() / sizeof(T); }
  bool empty() const { return bytes_.size() == 0; }
  size_t capacity() const { return bytes_.room() / sizeof(T); }
  const T* data() const { return reinterpret_cast<const T*>(bytes_.data()); }
  void reserve(size_t count) { bytes_.reserve(count * sizeof(T)); }
  void push_back(T value) {
    const size_t at = bytes_.size();
    bytes_.resize(at + sizeof value);
    std::memcpy(bytes_.data() + at, &value, sizeof value);
  }

 private:
  MappedBytes bytes_;
};

}  // namespace headly
