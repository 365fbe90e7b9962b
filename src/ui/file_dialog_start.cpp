#include "ui/file_dialog_start.h"

#include "system/drives.h"
#include "text/runtime_error.h"

namespace headly {

std::string dialogStartFolder(const FileDialogRequest& request, Drives& drives) {
  try {
    return drives.toNative(request.initialFolder.empty() ? drives.currentFolder() : request.initialFolder);
  } catch (const RuntimeError&) {
    return drives.toNative(drives.currentFolder());
  }
}

}  // namespace headly
