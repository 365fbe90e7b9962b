// The process ids by which temporary output files tell which process writes
// them.
#pragma once

namespace headly {

int currentProcessId();
// False only when no process of that id exists any more.
bool processExists(int pid);

}  // namespace headly
