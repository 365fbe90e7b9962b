#include "main/script_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>

namespace headly {
namespace {

constexpr char kTooLarge[] = "スクリプトが大きすぎます（4MB まで） (larger than 4 MB)";

ScriptFile refused(const std::string& path, const std::string& why) {
  return {false, {}, "headly-batch: " + path + ": " + why};
}

// Reads at most one byte more than a script may have, so that an endless
// input is refused instead of read until memory runs out.
ScriptFile readLimited(const std::string& path, std::istream& in) {
  std::string text(kMaxScriptBytes + 1, '\0');
  in.read(text.data(), std::streamsize(text.size()));
  text.resize(size_t(in.gcount()));
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
