// The text of the report that ends the program after an error no trap caught.
#pragma once

#include <string>
#include <vector>

#include "text/sjis_string.h"

namespace headly {

// A clear Japanese message for an error code, as Shift-JIS.
SjisString errorMessage(int code);
// The three lines of the report: "エラー[N]", the message, and
// "任意のキーを押してください"; a detail (RuntimeError::detail) stands as a
// line of its own before the last.
std::vector<SjisString> errorReportLines(int code, const SjisString& detail = {});
// What became of the output when a termination signal stopped the writing:
// the temporary file of a replaced file removed, the old file kept; or the
// files of the heading folders ended after their last complete line.
std::string stoppedWritingUtf8(bool temporaryRemoved);
// The same lines in UTF-8, made without the Shift-JIS converter: the report
// of a program that cannot convert.
std::vector<std::string> errorReportUtf8(int code);

}  // namespace headly
