// Button sets, icons and answers of message boxes.
#pragma once

namespace headly {

enum class Buttons { Ok = 0, OkCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5 };
enum class Icon { Stop = 0, Question = 1, Exclamation = 2, Information = 3, None = 4 };

// Answer codes returned by messageBox.
inline constexpr int kAnswerOk = 0;
inline constexpr int kAnswerCancel = 1;
inline constexpr int kAnswerAbort = 2;
inline constexpr int kAnswerRetry = 3;
inline constexpr int kAnswerIgnore = 4;
inline constexpr int kAnswerYes = 5;
inline constexpr int kAnswerNo = 6;

// The word of an answer code as scripts write it ("OK", "Yes").
inline const char* answerWord(int code) {
  static const char* const kWords[] = {"OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
  return code >= 0 && code <= kAnswerNo ? kWords[code] : "?";
}

}  // namespace headly
