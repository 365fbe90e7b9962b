#include "ui/script/script_reader.h"

#include <sstream>

#include "ui/script/script_arguments.h"

namespace headly {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The bytes of a script text that a misfit line shows at most.
constexpr size_t kEchoedBytes = 200;

}  // namespace

std::string withControlsEscaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 0x20 && byte != 0x7F) || c == '\t') {
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

std::string echoedScriptText(std::string_view text) {
  if (text.size() <= kEchoedBytes) return withControlsEscaped(text);
  size_t cut = kEchoedBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;  // not inside a character
  return withControlsEscaped(text.substr(0, cut)) + "…";
}

std::vector<std::string> tokenizeScriptLine(const std::string& text, int number) {
  std::vector<std::string> tokens;
  size_t i = 0;
  while (true) {
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i == text.size()) return tokens;
    std::string token;
    if (text[i] != '"') {
      while (i < text.size() && !isBlank(text[i])) token += text[i++];
    } else {
      for (++i;; ++i) {
        if (i == text.size())
          throw ScriptMisfit{"line " + std::to_string(number) + " (" + echoedScriptText(text) + "): a quote is not closed"};
        if (text[i] != '"') {
          token += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
          token += '"';
          ++i;
        } else {
          break;
        }
      }
      ++i;
      if (i < text.size() && !isBlank(text[i]))
        throw ScriptMisfit{"line " + std::to_string(number) + " (" + echoedScriptText(text) +
                           "): a blank must follow a closing quote"};
    }
    tokens.push_back(std::move(token));
  }
}

ScriptReader::ScriptReader(const std::string& scriptText, const std::vector<std::string>& arguments) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  std::istringstream in(scriptText.starts_with(kByteOrderMark) ? scriptText.substr(kByteOrderMark.size()) : scriptText);
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos || text[first] == '#') continue;
    ScriptLine line{number, text, tokenizeScriptLine(text, number)};
    substituteArguments(line, arguments);
    lines_.push_back(std::move(line));
  }
}

void ScriptReader::passOverAnswersIfAsked() {
  while (!atEnd() && isAnswerIfAsked(peek())) ++next_;
}

bool isAnswerIfAsked(const ScriptLine& line) {
  const std::vector<std::string>& t = line.tokens;
  return t.size() == 4 && t[0] == "answer" && t[2] == "if" && t[3] == "asked";
}

std::string describeLine(const ScriptLine& line) {
  const size_t first = line.text.find_first_not_of(" \t");
  return "line " + std::to_string(line.number) + " (" + echoedScriptText(std::string_view(line.text).substr(first)) +
         "): ";
}

}  // namespace headly
