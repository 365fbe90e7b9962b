// Line reading over arbitrary file contents. The first byte chooses how the
// file is served: how many bytes a read call returns at most, and whether
// the rest of the input is repeated into a file of more than 64 KiB (lines
// beyond the 32,767-byte limit, several read blocks). The lines read must be
// those of the line rules below, whatever the read size; written back with
// writeLine they must make a file that reads as the same lines.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "memory_file_system.h"
#include "system/drives.h"
#include "text/runtime_error.h"
#include "system/text_files.h"

namespace headly::fuzz {
namespace {

constexpr size_t kMaxLine = 32767;
constexpr size_t kLongFile = 70000;

struct Reading {
  std::vector<std::string> lines;
  int errorCode = 0;  // the code that stopped the reading, or 0
  bool operator==(const Reading&) const = default;
};

// The line rules: a final 0x1A is not part of the file; a line ends at CR or
// CR LF; NUL bytes are dropped; a line longer than 32,767 bytes is error 15.
Reading expectedLines(std::string_view file) {
  Reading r;
  if (!file.empty() && file.back() == '\x1a') file.remove_suffix(1);
  size_t at = 0;
  while (at < file.size()) {
    const size_t cr = file.find('\r', at);
    const size_t end = cr == std::string_view::npos ? file.size() : cr;
    std::string line(file.substr(at, end - at));
    std::erase(line, '\0');
    if (line.size() > kMaxLine) {
      r.errorCode = err::kStringTooLong;
      return r;
    }
    r.lines.push_back(std::move(line));
    at = end + 1;
    if (cr != std::string_view::npos && at < file.size() && file[at] == '\n') ++at;
  }
  return r;
}

Reading readAll(TextFiles& files, const SjisString& name) {
  Reading r;
  files.openFile(name, FileMode::Input, 1);
  try {
    while (!files.atEnd(1)) r.lines.push_back(files.readLine(1));
  } catch (const RuntimeError& e) {
    r.errorCode = e.errorCode;
  }
  files.closeFiles();
  return r;
}

}  // namespace
}  // namespace headly::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace headly;
  using namespace headly::fuzz;
  if (size == 0) return 0;
  const uint8_t mode = data[0];
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  // Bits 6 and 7 both set: a long file, read at most 1..31 KiB (and one
  // byte) a call; else bits 0-4 give at most 1..31 bytes a call. 0 serves
  // whole blocks.
  const bool longFile = (mode & 0xc0) == 0xc0 && !rest.empty();
  std::string file(rest);
  if (longFile)
    while (file.size() < kLongFile) file.append(file);
  const size_t chunk = (mode & 0x1f) == 0 ? SIZE_MAX : (mode & 0x1f) * (longFile ? 1025 : 1);

  MemoryFileSystem fs(chunk);
  fs.contents("/in.csv") = file;
  Drives drives(fs);
  TextFiles files(fs, drives);

  const Reading read = readAll(files, "C:\\in.csv");
  check(read == expectedLines(file), "lines read follow the line rules");
  check(fs.contents("/in.csv") == file, "reading leaves the file as it was");
  if (read.errorCode != 0) return 0;

  files.openFile("C:\\out.txt", FileMode::Output, 2);
  std::string written;
  for (const std::string& line : read.lines) {
    files.writeLine(2, line);
    written += line + "\r\n";
  }
  files.closeFiles({2});
  check(fs.contents("/out.txt") == written + "\x1a", "written lines end in CR LF and the file in one 0x1A");
  check(readAll(files, "C:\\out.txt") == read, "written lines read back unchanged");
  return 0;
}
