// The report of a failure before the main window exists.
#pragma once

namespace headly {

// Shows the error report of code in a message box with the warning icon; its
// texts need no Shift-JIS converter.
void showStartFailure(int code);

}  // namespace headly
