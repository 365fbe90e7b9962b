#include "main/batch_run.h"

#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <iostream>
#include <new>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "main/program_assembly.h"
#include "system/drives.h"
#include "text/encoding.h"
#include "text/error_report.h"
#include "system/file_system.h"
#include "text/runtime_error.h"
#include "system/termination.h"
#include "system/text_files.h"
#include "ui/script/script_backend.h"
#include "ui/script/transcript_text.h"
#include "ui/script/script_reader.h"

namespace headly {
namespace {

namespace fs = std::filesystem;

struct Setup {
  std::optional<std::string> cwd;
  std::vector<std::pair<char, std::string>> drives;
};

// The setup lines at the head of the script (cwd, drive).
Setup readSetup(ScriptReader& script) {
  Setup setup;
  while (!script.atEnd() && (script.peek().command() == "cwd" || script.peek().command() == "drive")) {
    const ScriptLine line = script.take();
    if (line.command() == "cwd") {
      if (line.tokens.size() != 2) throw ScriptMisfit{describeLine(line) + "cwd takes one native path"};
      setup.cwd = line.tokens[1];
    } else {
      if (line.tokens.size() != 3 || line.tokens[1].size() != 1 || !std::isalpha(static_cast<unsigned char>(line.tokens[1][0])))
        throw ScriptMisfit{describeLine(line) + "drive takes a letter and a native path"};
      setup.drives.emplace_back(char(std::tolower(static_cast<unsigned char>(line.tokens[1][0]))), line.tokens[2]);
    }
  }
  return setup;
}

// A folder the program cannot name is never swapped for another one: the
// run ends before anything is read or written.
std::string startFolderRefusal(const Setup& setup, const std::string& folder) {
  const std::string name = Drives::nameWithoutShiftJis(folder);
  return (setup.cwd ? "cwd " + *setup.cwd + ": the folder " : std::string("the current folder ")) + folder +
         (name.empty() ? " is longer than 260 bytes as a program path" : " has a name without a Shift-JIS form: " + name) +
         "; the program cannot work in it";
}

// Puts the process's current folder back when the run is over, so that runs
// inside one test process do not disturb each other.
class CurrentFolderGuard {
 public:
  CurrentFolderGuard() : saved_(fs::current_path(ignored_)) {}
  ~CurrentFolderGuard() {
    if (!saved_.empty()) fs::current_path(saved_, ignored_);
  }

 private:
  std::error_code ignored_;
  fs::path saved_;
};

// A folder of a setup line in the form its names have on disk (〜 or ～, as
// the dialogs take either); as written when it is not there in any form.
std::string folderOnDisk(const std::string& written, FileSystem& fileSystem) {
  const std::string absolute = fs::absolute(written).lexically_normal().string();
  Drives drives(fileSystem);
  try {
    if (const std::optional<SjisString> internal = drives.fromNative(absolute)) return drives.toNative(*internal);
  } catch (const RuntimeError&) {
  }
  return absolute;
}

int run(ScriptReader& script, std::ostream& out, bool draw, FileSystem& fileSystem) {
  const Setup setup = readSetup(script);
  if (setup.cwd && chdir(folderOnDisk(*setup.cwd, fileSystem).c_str()) != 0)
    throw ScriptMisfit{"cwd " + echoedScriptText(*setup.cwd) + ": no such folder"};
  Drives drives(fileSystem);
  if (!drives.unnamedStartFolder().empty()) throw ScriptMisfit{startFolderRefusal(setup, drives.unnamedStartFolder())};
  for (const auto& [letter, root] : setup.drives) drives.addDrive(letter, folderOnDisk(root, fileSystem));
  TextFiles files(fileSystem, drives);
  ScriptBackend backend(script, drives, out, draw);
  AssembledProgram program(backend, files);
  const RunResult result = program.run();
  if (result == RunResult::Ended) script.passOverAnswersIfAsked();
  if (result == RunResult::Ended && !script.atEnd())
    throw ScriptMisfit{describeLine(script.peek()) + "the program has ended"};
  if (result == RunResult::Terminated)
    std::cerr << "headly-batch: " << errorReportUtf8(terminationCode())[1]
              << stoppedWritingUtf8(terminationRemovedTemporary()) << '\n';
  return exitStatus(result);
}

// A failure before the windows exist (no Shift-JIS converter, no memory)
// is reported in the transcript without converting anything.
int reportStartFailure(std::ostream& out, int code) {
  writeErrorReport(out, errorReportUtf8(code));
  return exitStatus(RunResult::ErrorReported);
}

int runBatch(const std::string& scriptText, const std::vector<std::string>& arguments, std::ostream& out,
             bool draw, FileSystem& fileSystem) {
  const CurrentFolderGuard folderGuard;
  letWritesFail();
  try {
    ScriptReader script(scriptText, arguments);
    openConverters();
    return run(script, out, draw, fileSystem);
  } catch (const ScriptMisfit& misfit) {
    out << "misfit " << withControlsEscaped(misfit.message) << '\n';
    return 2;
  } catch (const RuntimeError& error) {
    return reportStartFailure(out, error.errorCode);
  } catch (const std::bad_alloc&) {
    return reportStartFailure(out, err::kOutOfMemory);
  }
}

}  // namespace

int runBatch(const std::string& scriptText, std::ostream& out, bool draw) { return runBatch(scriptText, {}, out, draw); }

int runBatch(const std::string& scriptText, const std::vector<std::string>& arguments, std::ostream& out, bool draw) {
  const std::unique_ptr<FileSystem> fileSystem = makePosixFileSystem();
  return runBatch(scriptText, arguments, out, draw, *fileSystem);
}

int runBatch(const std::string& scriptText, std::ostream& out, bool draw, FileSystem& fileSystem) {
  return runBatch(scriptText, {}, out, draw, fileSystem);
}

}  // namespace headly
