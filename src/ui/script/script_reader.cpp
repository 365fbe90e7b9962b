#include "ui/script/script_reader.h"

#include <sstream>

#include "ui/script/script_arguments.h"

namespace headly {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

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
          throw ScriptMisfit{"line " + std::to_string(number) + " (" + text + "): a quote is not closed"};
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
        throw ScriptMisfit{"line " + std::to_string(number) + " (" + text + "): a blank must follow a closing quote"};
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
  return "line " + std::to_string(line.number) + " (" + line.text.substr(first) + "): ";
}

}  // namespace headly
