// The headless program: runs the whole application against a script of
// answers and user actions and writes the transcript.
//
// Script lines (UTF-8; "#" comments; quote a token with blanks, "" inside):
//   setup, before the first answer: cwd PATH, drive LETTER PATH
//   dialog answers: answer OK|Cancel|Abort|Retry|Ignore|Yes|No,
//     input [TEXT], file PATH (native, relative to the dialog's folder), cancel;
//     file PATH replace|keep answers an overwrite question itself (keep
//     leaves the file and cancels the dialog)
//   user actions while the program waits: press BUTTONn, check CHECKn,
//     radio RADIOn, type EDITn [TEXT], select LISTn ROW... (a number, or =TEXT
//     for the one row of that text), choose COMBO1 ENTRY, click LIST4 [ENTRY],
//     close, stop CAPTION TEXT
//   "$1", "$2"... stand for the run's arguments (ui/script/script_arguments.h).
//   show CONTROL writes a control's state, in a wait or before an answer.
// Transcript lines: "message CAPTION | TEXT | BUTTONS | ICON -> ANSWER",
// "input TITLE | PROMPT | INITIAL -> RESULT", "open|save TITLE | INITIALPATH |
// FILTER -> PATH|ESC" (after any "refused PATH (REASON)" and "overwrite PATH ->
// Yes|No"), "form NAME CAPTION", "error REPORT", "end", and with draw "clear",
// "text X Y COLOUR MAGX MAGY TEXT", "box X1 Y1 X2 Y2 COLOUR".
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace headly {

class FileSystem;

// Exit status: 0 when the run reached its End, 1 when an error report ended
// it, 2 when the script is malformed or does not fit what the program asks
// (the transcript then ends with a "misfit" line naming the script line),
// 128 + the signal when a termination signal stopped the writing (said on
// standard error as well).
// With draw, every drawing call goes into the transcript as well. The
// process's current folder is restored afterwards.
int runBatch(const std::string& scriptText, std::ostream& out, bool draw);
// The same with the arguments that stand in for the script's "$1", "$2"...
int runBatch(const std::string& scriptText, const std::vector<std::string>& arguments, std::ostream& out, bool draw);
// The same over a native file layer of the caller's, such as one that fails.
int runBatch(const std::string& scriptText, std::ostream& out, bool draw, FileSystem& fileSystem);

}  // namespace headly
