// A native file layer held in memory, for fuzz targets that drive the file
// layer many thousand times a second. Reads return at most readChunk bytes a
// call, as a pipe or a network file may, so that a reader that relies on
// full blocks shows it.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "system/file_system.h"
#include "text/runtime_error.h"

namespace headly::fuzz {

class MemoryFileSystem : public FileSystem {
 public:
  explicit MemoryFileSystem(size_t readChunk) : readChunk_(std::max<size_t>(readChunk, 1)) {}

  std::string& contents(const std::string& path) { return files_[path]; }

  std::unique_ptr<NativeFile> openForReading(const std::string& path) override {
    return std::make_unique<File>(existing(path), readChunk_);
  }
  std::unique_ptr<NativeFile> createNew(const std::string& path) override {
    if (kind(path) != EntryKind::Missing) raise(err::kFileExists);
    return std::make_unique<File>(files_[path], readChunk_);
  }
  std::unique_ptr<NativeFile> openForAppending(const std::string& path) override {
    if (kind(path) == EntryKind::Folder) raise(err::kAccessDenied);
    return std::make_unique<File>(files_[path], readChunk_);
  }
  // Folders are not made here, nor held.
  std::unique_ptr<NativeFolder> openFolder(const std::string&) override { raise(err::kAccessDenied); }
  EntryKind kind(const std::string& path) override {
    if (path == "/") return EntryKind::Folder;
    return files_.count(path) ? EntryKind::RegularFile : EntryKind::Missing;
  }
  FileStamp stamp(const std::string& path) override {
    return {0, 1, uint64_t(existing(path).size()), 0, 0};
  }
  void removeFile(const std::string& path) override {
    if (!files_.erase(path)) raise(err::kFileNotFound);
  }
  void makeFolder(const std::string&) override { raise(err::kAccessDenied); }
  void rename(const std::string& from, const std::string& to) override {
    std::string moved = std::move(existing(from));
    files_.erase(from);
    files_[to] = std::move(moved);
  }
  // No links and no other processes in memory.
  std::string linkTarget(const std::string& path) override { return path; }
  bool mayWrite(const std::string&) override { return true; }
  bool removeUnlocked(const std::string&) override { return false; }
  std::vector<FolderEntry> listFolder(const std::string&) override { return {}; }
  std::string processCurrentFolder() override { return "/"; }
  std::string homeFolder() override { return "/"; }

 private:
  class File : public NativeFile {
   public:
    File(std::string& bytes, size_t readChunk) : bytes_(bytes), readChunk_(readChunk) {}
    size_t read(char* buffer, size_t n) override {
      const size_t take = std::min({n, readChunk_, bytes_.size() - std::min(position_, bytes_.size())});
      std::memcpy(buffer, bytes_.data() + position_, take);
      position_ += take;
      return take;
    }
    void write(const char* data, size_t n) override {
      if (bytes_.size() < position_ + n) bytes_.resize(position_ + n);
      std::memcpy(bytes_.data() + position_, data, n);
      position_ += n;
    }
    uint64_t size() override { return bytes_.size(); }
    void seek(uint64_t position) override { position_ = size_t(position); }
    void truncate(uint64_t size) override { bytes_.resize(size_t(size)); }
    void sync() override {}
    void close() override {}
    void lock() override {}
    void matchOwnerAndMode(const std::string&) override {}

   private:
    std::string& bytes_;
    size_t readChunk_;
    size_t position_ = 0;
  };

  std::string& existing(const std::string& path) {
    const auto found = files_.find(path);
    if (found == files_.end()) raise(err::kFileNotFound);
    return found->second;
  }

  size_t readChunk_;
  std::map<std::string, std::string> files_;
};

}  // namespace headly::fuzz
