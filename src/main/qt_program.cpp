#include "main/qt_program.h"

#include <iostream>
#include <new>

#include "text/encoding.h"
#include "text/error_report.h"
#include "text/runtime_error.h"
#include "system/termination.h"
#include "ui/qt/application_start.h"
#include "ui/qt/start_failure.h"

namespace headly {

namespace {

// The status of a record file that cannot be written, as for a wrong command line.
constexpr int kRecordFault = 2;

// The question before an existing record file is replaced, asked before
// anything else in a message box of the program's own.
bool settleRecordFile(RecordOption& record) {
  if (record.path.empty() || record.file) return true;
  const std::unique_ptr<FileSystem> fileSystem = makePosixFileSystem();
  Drives drives(*fileSystem);
  QtBackend asking(drives);
  return confirmRecordFile(record, asking);
}

}  // namespace

QtProgram::QtProgram(std::ostream* record, const std::string& recordName)
    : fileSystem_(makePosixFileSystem()),
      drives_(*fileSystem_),
      files_(*fileSystem_, drives_),
      backend_(drives_),
      recorder_(record ? std::make_unique<SessionRecorder>(backend_, drives_, *record, recordName) : nullptr),
      program_(recorder_ ? static_cast<Backend&>(*recorder_) : backend_, files_) {}

int runQtProgram(RecordOption& record, const std::string& proposedFile) {
  letWritesFail();
  try {
    openConverters();
    if (!settleRecordFile(record)) {
      if (record.fault.empty()) return exitStatus(RunResult::Ended);
      std::cerr << record.fault << '\n';
      return kRecordFault;
    }
    QtProgram program(record.file.get(), record.path);
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
