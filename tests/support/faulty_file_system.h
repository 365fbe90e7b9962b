// A native file layer that passes everything to the real one but lets only a
// given number of bytes be written in all; the write that goes past it fails
// as a full disk does (ENOSPC) after writing what still fitted. It also
// counts the read calls, so that tests can see that input goes in blocks.
#pragma once

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "text/file_system.h"
#include "text/runtime_error.h"

namespace headly::test {

class FaultyFileSystem : public FileSystem {
 public:
  explicit FaultyFileSystem(size_t bytesThatFit) : room_(bytesThatFit) {}

  std::unique_ptr<NativeFile> openForReading(const std::string& path) override {
    return std::make_unique<File>(real_->openForReading(path), room_, reads_);
  }
  std::unique_ptr<NativeFile> createNew(const std::string& path) override {
    return std::make_unique<File>(real_->createNew(path), room_, reads_);
  }
  std::unique_ptr<NativeFile> openForAppending(const std::string& path) override {
    return std::make_unique<File>(real_->openForAppending(path), room_, reads_);
  }
  EntryKind kind(const std::string& path) override { return real_->kind(path); }
  void removeFile(const std::string& path) override { real_->removeFile(path); }
  void makeFolder(const std::string& path) override { real_->makeFolder(path); }
  void rename(const std::string& from, const std::string& to) override { real_->rename(from, to); }
  std::vector<FolderEntry> listFolder(const std::string& path) override { return real_->listFolder(path); }
  std::string processCurrentFolder() override { return real_->processCurrentFolder(); }
  std::string homeFolder() override { return real_->homeFolder(); }

  // Number of read calls made on the files of this layer.
  int reads() const { return reads_; }

 private:
  class File : public NativeFile {
   public:
    File(std::unique_ptr<NativeFile> real, size_t& room, int& reads)
        : real_(std::move(real)), room_(room), reads_(reads) {}
    size_t read(char* buffer, size_t n) override {
      ++reads_;
      return real_->read(buffer, n);
    }
    void write(const char* data, size_t n) override {
      const size_t fits = n < room_ ? n : room_;
      real_->write(data, fits);
      room_ -= fits;
      if (fits < n) raise(errorCodeFromErrno(ENOSPC));
    }
    uint64_t size() override { return real_->size(); }
    void seek(uint64_t position) override { real_->seek(position); }
    void truncate(uint64_t size) override { real_->truncate(size); }
    void close() override { real_->close(); }

   private:
    std::unique_ptr<NativeFile> real_;
    size_t& room_;
    int& reads_;
  };

  std::unique_ptr<FileSystem> real_ = makePosixFileSystem();
  size_t room_;
  int reads_ = 0;
};

}  // namespace headly::test
