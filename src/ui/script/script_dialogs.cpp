#include "ui/script/script_backend.h"

#include <optional>

#include "ui/script/record_limit.h"
#include "ui/script/transcript_text.h"
#include "ui/typing.h"

namespace headly {
namespace {

// The buttons of a button set and the answer codes they give.
struct Answer {
  const char* word;
  int code;
};
const std::vector<Answer>& answersOf(Buttons buttons) {
  static const std::vector<Answer> sets[] = {
      {{"OK", kAnswerOk}},
      {{"OK", kAnswerOk}, {"Cancel", kAnswerCancel}},
      {{"Abort", kAnswerAbort}, {"Retry", kAnswerRetry}, {"Ignore", kAnswerIgnore}},
      {{"Yes", kAnswerYes}, {"No", kAnswerNo}, {"Cancel", kAnswerCancel}},
      {{"Yes", kAnswerYes}, {"No", kAnswerNo}},
      {{"Retry", kAnswerRetry}, {"Cancel", kAnswerCancel}},
  };
  return sets[int(buttons)];
}

const char* buttonsWord(Buttons buttons) {
  static const char* const words[] = {"OK", "OKCancel", "AbortRetryIgnore", "YesNoCancel", "YesNo", "RetryCancel"};
  return words[int(buttons)];
}

const char* iconWord(Icon icon) {
  static const char* const words[] = {"Stop", "Question", "Exclamation", "Information", "None"};
  return words[int(icon)];
}

}  // namespace

int ScriptBackend::messageBox(const SjisString& caption, const SjisString& text, Buttons buttons, Icon icon) {
  const std::string asked = messageAsked(caption, text, buttons, icon);
  return answerMessage(nextAnswer(asked), buttons, asked);
}

int ScriptBackend::diskQuestion(const SjisString& caption, const SjisString& text, Buttons buttons, Icon icon) {
  const std::string asked = messageAsked(caption, text, buttons, icon);
  const std::optional<ScriptLine> ifAsked = answerIfAsked();
  return answerMessage(ifAsked ? *ifAsked : nextAnswer(asked), buttons, asked);
}

std::string ScriptBackend::messageAsked(const SjisString& caption, const SjisString& text, Buttons buttons,
                                        Icon icon) const {
  return "message " + transcriptText(caption) + " | " + transcriptText(text) + " | " + buttonsWord(buttons) + " | " + iconWord(icon);
}

int ScriptBackend::answerMessage(const ScriptLine& line, Buttons buttons, const std::string& asked) {
  if (line.command() != "answer" || (line.tokens.size() != 2 && !isAnswerIfAsked(line)))
    misfit(line, "a message box wants answer BUTTON", asked);
  for (const Answer& answer : answersOf(buttons))
    if (line.tokens[1] == answer.word) {
      out_ << asked << " -> " << answer.word << '\n';
      return answer.code;
    }
  misfit(line, "the message box has no button " + echoedScriptText(line.tokens[1]), asked);
}

SjisString ScriptBackend::inputBox(const SjisString& title, const SjisString& prompt, const SjisString& initial) {
  const std::string asked = "input " + transcriptText(title) + " | " + transcriptText(prompt) + " | " + transcriptText(initial);
  const ScriptLine line = nextAnswer(asked);
  SjisString result = kEscMarker;
  if (line.command() == "input" && line.tokens.size() <= 2) {
    result = line.tokens.size() == 2 ? typedInto(kInputBoxTyping, scriptText(line, line.tokens[1], asked)) : "";
  } else if (line.command() == "input" && line.tokens.size() == 3 && line.tokens[1] == "all" &&
             line.tokens[2] == "records") {
    result = allRecordsText(line, asked);
  } else if (line.command() != "cancel" || line.tokens.size() != 1) {
    misfit(line, "the input box wants input TEXT, input or cancel", asked);
  }
  out_ << asked << " -> " << (isEscMarker(result) ? std::string("ESC") : transcriptText(result)) << '\n';
  return result;
}

// The record limit of "input all records": larger than the number of lines
// of the data file chosen last.
SjisString ScriptBackend::allRecordsText(const ScriptLine& line, const std::string& asked) {
  const std::optional<uint64_t> limit = allRecordsLimit(dataFile_);
  if (!limit) misfit(line, "the data file cannot be read: " + dataFile_, asked);
  return std::to_string(*limit);
}

}  // namespace headly
