#include "ui/script/script_arguments.h"

namespace headly {
namespace {

// The argument number of a "$N" token, or 0 for any other token.
size_t argumentNumber(const std::string& token) {
  if (token.size() < 2 || token.size() > 3 || token[0] != '$' || token[1] < '1' || token[1] > '9') return 0;
  if (token.size() == 3 && (token[2] < '0' || token[2] > '9')) return 0;
  return size_t(std::stoi(token.substr(1)));
}

}  // namespace

void substituteArguments(ScriptLine& line, const std::vector<std::string>& arguments) {
  for (std::string& token : line.tokens) {
    if (token.rfind("$$", 0) == 0) {
      token.erase(0, 1);
    } else if (const size_t number = argumentNumber(token)) {
      if (number > arguments.size())
        throw ScriptMisfit{describeLine(line) + "the script is run without argument " + token + " (it was given " +
                           std::to_string(arguments.size()) + ")"};
      token = arguments[number - 1];
    }
  }
}

}  // namespace headly
