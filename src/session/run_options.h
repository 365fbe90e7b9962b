// The choices that steer the rest of a run. The classification form's are
// taken once when the classification ends; nothing after it reads the check
// boxes again. Full width is asked after the reordered records are made, and
// the second parse collapses doubled quotes.
#pragma once

namespace headly {

struct RunOptions {
  bool makeHeadings = false;  // CHECK1: lay out the headings
  bool writeCsv = false;      // CHECK2: write the reordered CSV file
  bool folderMode = false;    // CHECK3: headings become folders and files
  bool numbering = false;     // CHECK5: heading folders and files numbered
  bool fullWidth = false;     // texts converted to full width
  bool collapseQuotes = false;  // a doubled quote in a quoted field read as one
};

}  // namespace headly
