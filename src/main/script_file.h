// Reading a script for headly-batch: a regular file of at most
// kMaxScriptBytes, or standard input ("-") up to the same size. Anything
// else (a folder, a device such as /dev/zero, a pipe named as the script, a
// larger file) is refused before it is read.
#pragma once

#include <istream>
#include <string>

namespace headly {

inline constexpr size_t kMaxScriptBytes = 4 * 1024 * 1024;

struct ScriptFile {
  bool ok = false;
  std::string text;   // the script when ok
  std::string fault;  // the message for the user otherwise
};

ScriptFile readScriptFile(const std::string& path, std::istream& standardInput);

}  // namespace headly
