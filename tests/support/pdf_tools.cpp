#include "support/pdf_tools.h"

#include <stdio.h>
#include <sys/wait.h>

#include <sstream>

namespace headly::test {

namespace {

const std::string kContinued = "（続き）";

std::string withoutTrailingBlanks(std::string line) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
  return line;
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(withoutTrailingBlanks(line));
  return lines;
}

void trimBlankEnds(std::vector<std::string>& lines) {
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  size_t first = 0;
  while (first < lines.size() && lines[first].empty()) ++first;
  lines.erase(lines.begin(), lines.begin() + long(first));
}

}  // namespace

std::string commandOutput(const std::string& command, int* status) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return output;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  const int raw = pclose(pipe);
  if (status) *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return output;
}

bool qpdfAccepts(const std::string& pdf) {
  int status = -1;
  commandOutput("qpdf --check '" + pdf + "' 2>&1", &status);
  return status == 0;
}

std::vector<std::string> pdfFontRows(const std::string& pdf) {
  std::vector<std::string> rows = splitLines(commandOutput("pdffonts '" + pdf + "'"));
  rows.erase(rows.begin(), rows.begin() + std::min<long>(2, long(rows.size())));
  return rows;
}

std::vector<std::vector<std::string>> pdfPageLines(const std::string& pdf) {
  const std::string text = commandOutput("pdftotext -layout '" + pdf + "' -");
  std::vector<std::vector<std::string>> pages;
  size_t begin = 0;
  for (size_t end; (end = text.find('\f', begin)) != std::string::npos; begin = end + 1)
    pages.push_back(splitLines(text.substr(begin, end - begin)));
  return pages;
}

PdfBody pdfBody(const std::string& pdf) {
  PdfBody body;
  for (std::vector<std::string> page : pdfPageLines(pdf)) {
    trimBlankEnds(page);
    if (page.size() < 2) continue;
    page.erase(page.begin());  // header
    page.pop_back();           // footer
    trimBlankEnds(page);
    body.carried.emplace_back();
    for (const std::string& line : page) {
      const bool carried =
          line.size() >= kContinued.size() && line.compare(line.size() - kContinued.size(), kContinued.size(), kContinued) == 0;
      (carried ? body.carried.back() : body.lines).push_back(line);
    }
  }
  return body;
}

std::string alikeBlanks(const std::string& utf8Line) {
  const std::string wide = "\xE3\x80\x80";  // U+3000
  std::string out;
  for (size_t i = 0; i < utf8Line.size();) {
    const bool blank = utf8Line[i] == ' ' || utf8Line.compare(i, wide.size(), wide) == 0;
    if (blank) {
      if (out.empty() || out.back() != ' ') out += ' ';
      i += utf8Line[i] == ' ' ? 1 : wide.size();
    } else {
      out += utf8Line[i++];
    }
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

}  // namespace headly::test
