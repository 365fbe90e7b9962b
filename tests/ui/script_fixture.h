// A script driver with the program's windows, start-up and handlers, but no
// main sequence: tests drive the toolkit by hand and let the script answer.
#pragma once

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "main/program_assembly.h"
#include "system/drives.h"
#include "system/file_system.h"
#include "system/text_files.h"
#include "ui/script/script_backend.h"
#include "ui/script/script_reader.h"
#include "ui/toolkit.h"

namespace headly::test {

struct ScriptedUi {
  explicit ScriptedUi(const std::string& script, bool draw = false)
      : reader(script),
        fileSystem(makePosixFileSystem()),
        drives(*fileSystem),
        files(*fileSystem, drives),
        backend(reader, drives, out, draw),
        assembled(backend, files),
        ui(assembled.ui) {
    out.str("");  // the start-up's own transcript line is not what the tests look at
  }
  std::vector<std::string> lines() const {
    std::vector<std::string> result;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
  }

  ScriptReader reader;
  std::unique_ptr<FileSystem> fileSystem;
  Drives drives;
  TextFiles files;
  std::ostringstream out;
  ScriptBackend backend;
  AssembledProgram assembled;
  Ui& ui;
};

// The message of the misfit that call raises, or "" when it raises none.
inline std::string misfitOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const ScriptMisfit& misfit) {
    return misfit.message;
  }
  return "";
}

}  // namespace headly::test
