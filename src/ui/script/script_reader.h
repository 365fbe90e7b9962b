// The script of the headless driver: UTF-8 text, one action a line; blank
// lines and lines starting with # are skipped; a token with blanks is written
// in double quotes, a doubled quote inside standing for one quote. A byte
// order mark in front of the first line is skipped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace headly {

// A script that is malformed or does not fit what the program asks. The
// message names the script line and what the program asked.
struct ScriptMisfit {
  std::string message;
};

struct ScriptLine {
  int number = 0;                   // 1-based line number in the script
  std::string text;                 // the line as written, without its line end
  std::vector<std::string> tokens;  // tokens[0] is the command
  const std::string& command() const { return tokens[0]; }
};

// Splits a line into tokens; an unclosed quote or a quote run into the next
// token raises ScriptMisfit.
std::vector<std::string> tokenizeScriptLine(const std::string& text, int number);

class ScriptReader {
 public:
  // arguments stand in for the script's "$1", "$2"... (see script_arguments.h).
  explicit ScriptReader(const std::string& scriptText, const std::vector<std::string>& arguments = {});

  bool atEnd() const { return next_ == lines_.size(); }
  // The next line; only when !atEnd().
  const ScriptLine& peek() const { return lines_[next_]; }
  ScriptLine take() { return lines_[next_++]; }
  // Takes the "answer BUTTON if asked" lines at the head: their question
  // was not asked, or has been answered as often as it was asked.
  void passOverAnswersIfAsked();

 private:
  std::vector<ScriptLine> lines_;
  size_t next_ = 0;
};

// "answer BUTTON if asked": the answer to a question that is asked only
// when something is on disk (a folder or a file of that name).
bool isAnswerIfAsked(const ScriptLine& line);

// "line 12 (press BUTTON9): " for messages about a line.
std::string describeLine(const ScriptLine& line);

// A text with its control characters (but the tab) written as \n, \r or
// \xHH, so that it cannot make a transcript line of its own.
std::string withControlsEscaped(std::string_view text);
// A text of the script as a misfit shows it: escaped, and cut after its
// first 200 bytes.
std::string echoedScriptText(std::string_view text);

}  // namespace headly
