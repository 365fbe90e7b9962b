// A data file read the way its InputForm says: its bytes after a BOM, either
// as they stand or converted to Shift-JIS: taken from the text that the look
// converted, or else converted a block at a time as they are read.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "system/file_encoding.h"
#include "system/file_system.h"
#include "text/piece_conversion.h"

namespace headly {

class ConvertedFile : public NativeFile {
 public:
  ConvertedFile(std::unique_ptr<NativeFile> file, const InputForm& form);
  size_t read(char* buffer, size_t n) override;
  // The bytes it reads in all: form.convertedSize when converted.
  uint64_t size() override { return size_; }
  // Only read from its start, never shared with other processes nor put in
  // another's place.
  void write(const char*, size_t) override {}
  void seek(uint64_t) override {}
  void truncate(uint64_t) override {}
  void sync() override {}
  void close() override { file_->close(); }
  void lock() override {}
  void matchOwnerAndMode(const std::string&) override {}

  // The characters the conversion replaced so far.
  const ReplacedCharacters& replaced() const {
    static const ReplacedCharacters none;
    return converter_ ? converter_->replaced() : none;
  }

 private:
  // Converts the next block of the file into converted_; false at the end.
  bool convertMore();

  std::unique_ptr<NativeFile> file_;
  uint64_t size_;
  uint64_t toSkip_;
  std::optional<PieceConverter> converter_;
  // The bytes of the file after the BOM, as they stand.
  size_t readAsTheyStand(char* buffer, size_t n);

  // The text converted by the look, when read from it, and its size: the
  // lines read may take over the memory behind what is read.
  std::shared_ptr<const MappedBytes> ahead_;
  uint64_t aheadSize_ = 0;
  // Bytes read that the conversion has not taken yet, and converted bytes
  // of which those from taken_ on are still to be read.
  std::unique_ptr<char[]> raw_, converted_;
  size_t rawRoom_ = 0, rawLength_ = 0, convertedLength_ = 0, taken_ = 0;
  bool fileEnded_ = false;
};

}  // namespace headly
