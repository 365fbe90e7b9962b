// Bytes in memory of their own, mapped from the system and given back to it
// the moment they are let go, so that memory freed piece by piece while
// other memory fills shows at once in what the program holds. Room that is
// never written costs no memory.
#pragma once

#include <cstddef>
#include <string_view>

namespace headly {

class MappedBytes {
 public:
  // Room for that many bytes (not 0); std::bad_alloc when the system has none.
  explicit MappedBytes(size_t room);
  ~MappedBytes();
  MappedBytes(MappedBytes&& other) noexcept;
  MappedBytes& operator=(MappedBytes&& other) noexcept;
  MappedBytes(const MappedBytes&) = delete;
  MappedBytes& operator=(const MappedBytes&) = delete;

  char* data() { return data_; }
  // The bytes at the start are all it holds: the room after them goes back.
  void keep(size_t size);
  std::string_view view() const { return {data_, size_}; }

 private:
  void unmap();
  char* data_;
  size_t size_, mapped_;
};

}  // namespace headly
