// The bytes of a block of output lines, kept from block to block: room that
// was grown once is written over as lines are added, never filled first.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace headly {

class LineBlock {
 public:
  void clear() { used_ = 0; }
  // Room for count more bytes after the lines, which the caller writes and
  // then ends with commit; what it holds before is undefined.
  char* room(size_t count) {
    if (bytes_.size() < used_ + count) bytes_.resize(std::max(used_ + count, 2 * bytes_.size()));
    return bytes_.data() + used_;
  }
  // The lines now end at end, in the room last asked for.
  void commit(const char* end) { used_ = size_t(end - bytes_.data()); }
  void append(std::string_view bytes) { commit(std::copy(bytes.begin(), bytes.end(), room(bytes.size()))); }

  size_t size() const { return used_; }
  std::string_view lines() const { return std::string_view(bytes_.data(), used_); }

 private:
  std::string bytes_;
  size_t used_ = 0;
};

}  // namespace headly
