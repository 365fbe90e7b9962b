// Output reaching up into the stages.
#include "app/app_state.h"
#include "session/session_data.h"
