// Folder mode: every heading folder and file name of the output, met in the
// order the writer meets them, is checked before the first heading folder is
// made, so that a name the file system would refuse stops the run before
// half a tree is written.
#pragma once

#include "app/app_state.h"

namespace headly {

enum class NameFault { None, BadCharacters, NameTooLong, PathTooLong };

// What keeps a heading folder or file named name at path from being made: a
// name without a UTF-8 form (or with a byte no name may hold), a name longer
// than the native file system takes, or a path longer than 260 bytes.
NameFault nameFault(const SjisString& name, const SjisString& path);

// Goes through the heading breaks of every record below state.selectedPath.
// The first name that fails is shown in a message box naming its value, and
// false is returned: the writer then writes nothing.
bool headingNamesFit(Program& program);

}  // namespace headly
