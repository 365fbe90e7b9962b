#include "ui/script/transcript_text.h"

#include "text/encoding.h"
#include "ui/script/script_reader.h"

namespace headly {

std::string transcriptText(const SjisString& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += '\x01';
    } else {
      out += text[i];
    }
  }
  std::string utf8 = toUtf8(out);
  for (size_t at = utf8.find('\x01'); at != std::string::npos; at = utf8.find('\x01', at))
    utf8.replace(at, 1, " / ");
  return withControlsEscaped(utf8);
}

void writeErrorReport(std::ostream& out, const std::vector<std::string>& utf8Lines) {
  out << "error";
  for (size_t i = 0; i < utf8Lines.size(); ++i) out << (i == 0 ? " " : " / ") << utf8Lines[i];
  out << '\n';
}

}  // namespace headly
