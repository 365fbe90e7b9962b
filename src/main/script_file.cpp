#include "main/script_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <fstream>

namespace headly {
namespace {

constexpr char kTooLarge[] = "スクリプトが大きすぎます（4MB まで） (larger than 4 MB)";

ScriptFile refused(const std::string& path, const std::string& why) {
  return {false, {}, "headly-batch: " + path + ": " + why};
}

// Reads at most one byte more than a script may have, so that an endless
// input is refused instead of read until memory runs out. A block at a
// time: a script is small, and memory it does not fill costs time to map.
ScriptFile readLimited(const std::string& path, std::istream& in) {
  constexpr size_t kBlock = 64 * 1024;
  std::string text;
  while (in && text.size() <= kMaxScriptBytes) {
    const size_t before = text.size();
    text.resize(before + std::min(kBlock, kMaxScriptBytes + 1 - before));
    in.read(text.data() + before, std::streamsize(text.size() - before));
    text.resize(before + size_t(in.gcount()));
  }
  if (in.bad()) return refused(path, "読めません (cannot be read)");
  if (text.size() > kMaxScriptBytes) return refused(path, kTooLarge);
  return {true, std::move(text), {}};
}

}  // namespace

ScriptFile readScriptFile(const std::string& path, std::istream& standardInput) {
  if (path == "-") return readLimited("-", standardInput);
  struct stat status {};
  if (stat(path.c_str(), &status) != 0)
    return refused(path, std::string("読めません (cannot read: ") + std::strerror(errno) + ")");
  if (!S_ISREG(status.st_mode)) return refused(path, "通常のファイルではありません (not a regular file)");
  if (size_t(status.st_size) > kMaxScriptBytes)
    return refused(path, kTooLarge);
  std::ifstream file(path, std::ios::binary);
  if (!file) return refused(path, std::string("読めません (cannot read: ") + std::strerror(errno) + ")");
  return readLimited(path, file);
}

}  // namespace headly
