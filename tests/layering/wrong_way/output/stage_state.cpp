// Output reaching up into the stages.
#include "app/program.h"
#include "session/layout.h"
