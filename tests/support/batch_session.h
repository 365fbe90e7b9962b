// End-to-end test helper: a fresh temporary folder per test and a way to run
// the whole program headless against a script, in this process.
#pragma once

#include <string>
#include <vector>

namespace headly {
class FileSystem;
}

namespace headly::test {

struct BatchResult {
  int exitCode;
  std::string transcript;
};

class BatchSession {
 public:
  BatchSession();
  ~BatchSession();
  BatchSession(const BatchSession&) = delete;
  BatchSession& operator=(const BatchSession&) = delete;

  // The native path of the temporary folder (no trailing slash).
  const std::string& dir() const;
  // dir()/name.
  std::string path(const std::string& name) const;
  // The path as the program sees it and the transcript shows it (drive c is
  // the native root): "C:\tmp\headly-x\name"; with an empty name the folder.
  std::string internalPath(const std::string& name = "") const;

  // Writes utf8Text converted to Shift-JIS (CP932); bytes are kept as given.
  void writeSjisFile(const std::string& name, const std::string& utf8Text);
  void writeBytes(const std::string& name, const std::string& bytes);
  std::string readBytes(const std::string& name) const;
  // The file's Shift-JIS bytes as UTF-8.
  std::string readAsUtf8(const std::string& name) const;

  // Runs the program with every "@DIR@" of script replaced by dir().
  BatchResult run(const std::string& script, bool draw = false);
  // The same over the given native file layer.
  BatchResult run(const std::string& script, FileSystem& fileSystem);
  // The same with the script's arguments ("$1"...).
  BatchResult runWith(const std::string& script, const std::vector<std::string>& arguments);

 private:
  std::string dir_;
};

// The bytes of a layout file holding these lines (given in UTF-8): each line
// ends in CR LF and the file in its 0x1A end mark.
std::string layoutFile(const std::vector<std::string>& utf8Lines);

}  // namespace headly::test
