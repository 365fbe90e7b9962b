#include "main/program_assembly.h"

#include "ui/handlers.h"
#include "ui/startup.h"

namespace headly {

AssembledProgram::AssembledProgram(Backend& backend, TextFiles& files) : ui(backend), program{ui, files} {
  program.printer = &printer;
  ui.createWindows();
  startUp(ui);
  installHandlers(ui);
}

}  // namespace headly
