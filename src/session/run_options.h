// The choices of the classification form that steer the rest of a run. They
// are taken once when the classification ends; nothing after it reads the
// check boxes again.
#pragma once

namespace headly {

struct RunOptions {
  bool makeHeadings = false;  // CHECK1: lay out the headings
  bool writeCsv = false;      // CHECK2: write the reordered CSV file
  bool folderMode = false;    // CHECK3: headings become folders and files
  bool numbering = false;     // CHECK5: heading folders and files numbered
};

}  // namespace headly
