#include "main/qt_program.h"

namespace headly {

QtProgram::QtProgram(std::ostream* record, const std::string& recordName)
    : fileSystem_(makePosixFileSystem()),
      drives_(*fileSystem_),
      files_(*fileSystem_, drives_),
      backend_(drives_),
      recorder_(record ? std::make_unique<SessionRecorder>(backend_, drives_, *record, recordName) : nullptr),
      program_(recorder_ ? static_cast<Backend&>(*recorder_) : backend_, files_) {}

}  // namespace headly
