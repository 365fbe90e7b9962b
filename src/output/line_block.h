// The bytes of a block of output lines, kept from block to block: room that
// was grown once is written over as lines are added, never filled first,
// and it grows on large pages without a copy (system/mapped_bytes.h).
#pragma once

#include <algorithm>
#include <string_view>

#include "system/mapped_bytes.h"

namespace headly {

class LineBlock {
 public:
  void clear() { bytes_.resize(0); }
  // Room for count more bytes after the lines, which the caller writes and
  // then ends with commit; what it holds before is undefined.
  char* room(size_t count) {
    const size_t used = bytes_.size();
    if (bytes_.room() < used + count) bytes_.reserve(std::max(used + count, 2 * bytes_.room()));
    return bytes_.data() + used;
  }
  // The lines now end at end, in the room last asked for.
  void commit(const char* end) { bytes_.resize(size_t(end - bytes_.data())); }
  void append(std::string_view bytes) { commit(std::copy(bytes.begin(), bytes.end(), room(bytes.size()))); }

  size_t size() const { return bytes_.size(); }
  std::string_view lines() const { return bytes_.view(); }

 private:
  MappedBytes bytes_;
};

}  // namespace headly
