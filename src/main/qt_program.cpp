#include "main/qt_program.h"

#include <new>

#include "text/encoding.h"
#include "text/error_report.h"
#include "text/runtime_error.h"
#include "ui/qt/application_start.h"
#include "ui/qt/start_failure.h"

namespace headly {

QtProgram::QtProgram(std::ostream* record, const std::string& recordName)
    : fileSystem_(makePosixFileSystem()),
      drives_(*fileSystem_),
      files_(*fileSystem_, drives_),
      backend_(drives_),
      recorder_(record ? std::make_unique<SessionRecorder>(backend_, drives_, *record, recordName) : nullptr),
      program_(recorder_ ? static_cast<Backend&>(*recorder_) : backend_, files_) {}

int runQtProgram(std::ostream* record, const std::string& recordName, const std::string& proposedFile) {
  try {
    openConverters();
    QtProgram program(record, recordName);
    program.backend().keepRecentFolders(settingsFolder() + "/headly.conf");
    if (!proposedFile.empty()) program.backend().proposeOpenFile(proposedFile);
    return exitStatus(program.run());
  } catch (const RuntimeError& error) {
    showStartFailure(error.errorCode);
  } catch (const std::bad_alloc&) {
    showStartFailure(err::kOutOfMemory);
  }
  return exitStatus(RunResult::ErrorReported);
}

}  // namespace headly
