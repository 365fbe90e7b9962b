// The real PDF tools over a document written by a test: qpdf's check, the
// fonts pdffonts lists and the text pdftotext -layout finds, a page at a time.
#pragma once

#include <string>
#include <vector>

namespace headly::test {

// The standard output of a shell command; its exit status in status.
std::string commandOutput(const std::string& command, int* status = nullptr);

// True when `qpdf --check` finds no fault.
bool qpdfAccepts(const std::string& pdf);

// The rows of `pdffonts` below its two heading lines.
std::vector<std::string> pdfFontRows(const std::string& pdf);

// The lines of `pdftotext -layout`, page by page, trailing blanks removed.
std::vector<std::vector<std::string>> pdfPageLines(const std::string& pdf);

struct PdfBody {
  std::vector<std::string> lines;  // the body lines of every page, in order
  std::vector<std::vector<std::string>> carried;  // the repeated headings of each page
};
// The pages without their header line, footer line and blank lines at the
// top and bottom; the lines that end in 「（続き）」 go to carried.
PdfBody pdfBody(const std::string& pdf);

// A line as pdftotext lays it out and as the layout file holds it compare
// after both are made alike: full-width blanks become blanks, a run of
// blanks one blank, and blanks at the end go.
std::string alikeBlanks(const std::string& utf8Line);

}  // namespace headly::test
