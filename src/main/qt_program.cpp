#include "main/qt_program.h"

namespace headly {

QtProgram::QtProgram()
    : fileSystem_(makePosixFileSystem()),
      drives_(*fileSystem_),
      files_(*fileSystem_, drives_),
      backend_(drives_),
      program_(backend_, files_) {}

}  // namespace headly
