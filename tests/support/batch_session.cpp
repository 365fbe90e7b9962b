#include "support/batch_session.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "text/encoding.h"
#include "main/batch_run.h"

namespace headly::test {
namespace {

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

}  // namespace

BatchSession::BatchSession() {
  std::string pattern = (std::filesystem::temp_directory_path() / "headly-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  dir_ = pattern;
}

BatchSession::~BatchSession() {
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

const std::string& BatchSession::dir() const { return dir_; }

std::string BatchSession::path(const std::string& name) const { return dir_ + "/" + name; }

std::string BatchSession::internalPath(const std::string& name) const {
  std::string native = name.empty() ? dir_ : path(name);
  std::replace(native.begin(), native.end(), '/', '\\');
  return "C:" + native;
}

void BatchSession::writeSjisFile(const std::string& name, const std::string& utf8Text) {
  std::optional<std::string> bytes = fromUtf8(utf8Text);
  if (!bytes) throw std::invalid_argument("text without a Shift-JIS form");
  writeBytes(name, *bytes);
}

void BatchSession::writeBytes(const std::string& name, const std::string& bytes) {
  std::ofstream file(path(name), std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), std::streamsize(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path(name));
}

std::string BatchSession::readBytes(const std::string& name) const {
  std::ifstream file(path(name), std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path(name));
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::string BatchSession::readAsUtf8(const std::string& name) const { return toUtf8(readBytes(name)); }

BatchResult BatchSession::run(const std::string& script, bool draw) {
  std::ostringstream out;
  const int code = runBatch(replaceAll(script, "@DIR@", dir_), out, draw);
  return {code, out.str()};
}

BatchResult BatchSession::run(const std::string& script, FileSystem& fileSystem) {
  std::ostringstream out;
  const int code = runBatch(replaceAll(script, "@DIR@", dir_), out, false, fileSystem);
  return {code, out.str()};
}

BatchResult BatchSession::runWith(const std::string& script, const std::vector<std::string>& arguments) {
  std::ostringstream out;
  const int code = runBatch(replaceAll(script, "@DIR@", dir_), arguments, out, false);
  return {code, out.str()};
}

std::string layoutFile(const std::vector<std::string>& utf8Lines) {
  std::string bytes;
  for (const std::string& line : utf8Lines) bytes += sjis(line) + "\r\n";
  return bytes + "\x1a";
}

}  // namespace headly::test
