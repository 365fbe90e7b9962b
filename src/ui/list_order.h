// Where a sorted list (LIST4) puts a new entry: after every entry whose bytes
// sort before or equal to it, the order in which the folder listing comes.
#pragma once

#include <string_view>
#include <vector>

#include "text/sjis_string.h"

namespace headly {

size_t sortedInsertPosition(const std::vector<SjisString>& rows, std::string_view entry);

}  // namespace headly
