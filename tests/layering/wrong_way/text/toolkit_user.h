// The text layer reaching up into the user interface.
#pragma once

#include "ui/toolkit.h"
