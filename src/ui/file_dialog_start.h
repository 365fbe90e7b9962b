// The folder a file dialog starts in, the same for every backend.
#pragma once

#include <string>

#include "ui/backend.h"

namespace headly {

class Drives;

// The request's folder as a native path; the current folder when the
// request names none or its folder cannot be reached, as the dialog does.
std::string dialogStartFolder(const FileDialogRequest& request, Drives& drives);

}  // namespace headly
