// How the program's texts stand in the transcript of a scripted run.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "text/sjis_string.h"

namespace headly {

// A program text as the transcript shows it: UTF-8, line breaks as " / ",
// other control characters escaped.
std::string transcriptText(const SjisString& text);

// The transcript line of an error report: "error" and the lines, given in
// UTF-8, parted by " / ".
void writeErrorReport(std::ostream& out, const std::vector<std::string>& utf8Lines);

}  // namespace headly
