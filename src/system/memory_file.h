// A file held in memory, read like a native file: the converted text of a
// data file written by another tool.
#pragma once

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "system/file_system.h"

namespace headly {

class MemoryFile : public NativeFile {
 public:
  explicit MemoryFile(std::shared_ptr<const std::string> bytes) : bytes_(std::move(bytes)) {}
  size_t read(char* buffer, size_t n) override {
    const size_t take = std::min<size_t>(n, bytes_->size() - position_);
    std::memcpy(buffer, bytes_->data() + position_, take);
    position_ += take;
    return take;
  }
  void write(const char*, size_t) override {}
  uint64_t size() override { return bytes_->size(); }
  void seek(uint64_t position) override { position_ = size_t(std::min<uint64_t>(position, bytes_->size())); }
  void truncate(uint64_t) override {}
  void sync() override {}
  void close() override {}
  // Only read, never shared with other processes nor put in another's place.
  void lock() override {}
  void matchOwnerAndMode(const std::string&) override {}

 private:
  std::shared_ptr<const std::string> bytes_;
  size_t position_ = 0;
};

}  // namespace headly
