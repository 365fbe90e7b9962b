#include "system/processes.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace headly {

int currentProcessId() { return int(::getpid()); }

// A process that may not be signalled (EPERM) exists all the same.
bool processExists(int pid) { return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno != ESRCH); }

}  // namespace headly
