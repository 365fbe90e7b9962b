#include "ui/script/script_backend.h"

#include <filesystem>
#include <optional>

#include "system/drives.h"
#include "system/path_text.h"
#include "text/encoding.h"
#include "text/runtime_error.h"
#include "ui/chosen_file.h"
#include "ui/file_dialog_start.h"
#include "ui/script/transcript_text.h"

namespace headly {
namespace {

// Only to join and normalise paths; the disk is looked at through the file layer.
namespace fs = std::filesystem;

std::string withoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

constexpr size_t kMaxDialogPath = 259;  // the 260-byte buffer holds the NUL too

}  // namespace

SjisString ScriptBackend::fileDialog(const FileDialogRequest& request) {
  const std::string asked = std::string(request.save ? "save " : "open ") + transcriptText(request.title) + " | " +
                            transcriptText(request.initialPath) + " | " + transcriptText(request.filter);
  chosenFilter_ = 0;
  const SjisString result = chooseFile(request, asked);
  out_ << asked << " -> " << (isEscMarker(result) ? std::string("ESC") : transcriptText(result));
  // A filter entry other than the first is named after the path.
  if (chosenFilter_ > 0) out_ << " [" << transcriptText(request.filters[size_t(chosenFilter_)].text) << ']';
  out_ << '\n';
  return result;
}

// The words after the path of a `file` answer: in a save dialog, what to do
// with an existing file (replace or keep); and a filter word, choosing the
// entry whose text starts with it ("UTF-8").
ScriptBackend::FileAnswerWords ScriptBackend::fileAnswerWords(const ScriptLine& line, const FileDialogRequest& request,
                                                              const std::string& asked) {
  FileAnswerWords words;
  bool filterGiven = false;
  for (size_t t = 2; t < line.tokens.size(); ++t) {
    const std::string& token = line.tokens[t];
    if (request.save && !words.choice && (token == "replace" || token == "keep")) {
      words.choice = token;
      continue;
    }
    const SjisString word = scriptText(line, token, asked);
    size_t k = 0;
    while (k < request.filters.size() && (word.empty() || request.filters[k].text.compare(0, word.size(), word) != 0)) ++k;
    if (filterGiven || k == request.filters.size()) misfit(line, "a file dialog wants file PATH or cancel", asked);
    words.filter = int(k);
    filterGiven = true;
  }
  return words;
}

SjisString ScriptBackend::chooseFile(const FileDialogRequest& request, const std::string& asked) {
  const std::string folder = dialogStartFolder(request, drives_);
  for (;;) {
    const ScriptLine line = nextAnswer(asked);
    if (line.command() == "cancel" && line.tokens.size() == 1) return kEscMarker;
    if (line.command() != "file" || line.tokens.size() < 2 || line.tokens.size() > 4)
      misfit(line, "a file dialog wants file PATH or cancel", asked);
    const FileAnswerWords words = fileAnswerWords(line, request, asked);
    chosenFilter_ = words.filter;
    fs::path native(line.tokens[1]);
    if (native.is_relative()) native = fs::path(folder) / native;
    std::string nativePath = withoutTrailingSlash(native.lexically_normal().string());
    if (request.save && !drives_.isNativeFolder(nativePath))
      nativePath += addedExtension(fs::path(nativePath).filename().string(), request.filters[size_t(words.filter)]);

    const std::optional<SjisString> path = drives_.fromNative(nativePath);
    const std::optional<SjisString> bytes = fromNativeName(nativePath);
    std::string refusal;
    if (!bytes) {
      const std::string name = Drives::nameWithoutShiftJis(nativePath);
      refusal = name == fs::path(nativePath).filename().string() ? "no Shift-JIS form"
                                                                  : "the folder " + name + " has no Shift-JIS form";
    } else if (hasWildcard(*bytes)) {
      refusal = "a pattern filters the list, it names no file";
    } else if (!path ? bytes->size() + 2 > kMaxDialogPath : path->size() > kMaxDialogPath) {
      refusal = "longer than 259 bytes";  // "C:" comes in front of the native path
    } else if (!path) {
      refusal = "not a valid file name";
    }
    if (!refusal.empty()) {
      out_ << "refused " << withControlsEscaped(line.tokens[1]) << " (" << withControlsEscaped(refusal) << ")\n";
      continue;
    }
    const ChosenFile chosen = lookAtChosenFile(drives_, *path);
    if (!request.save) {
      if (chosen.kind != EntryKind::RegularFile) misfit(line, "not an existing file: " + echoedScriptText(nativePath), asked);
      // Its names as they are on disk, in whichever Unicode form (〜 or ～).
      dataFile_ = formOnDisk(*path, nativePath);
      return *path;
    }
    if (chosen.kind == EntryKind::Folder) misfit(line, "a folder, not a file: " + echoedScriptText(nativePath), asked);
    if (!chosen.folderExists) misfit(line, "no such folder: " + echoedScriptText(nativePath), asked);
    if (chosen.kind == EntryKind::Missing || !request.overwritePrompt) return *path;
    if (words.choice) {
      // The choice written on the line answers the question: keep leaves the
      // file as it is and cancels the dialog.
      const bool replace = *words.choice == "replace";
      out_ << "overwrite " << transcriptText(*path) << " -> " << (replace ? "Yes" : "No") << '\n';
      return replace ? *path : SjisString(kEscMarker);
    }
    if (!confirmOverwrite(*path)) continue;
    return *path;
  }
}

std::string ScriptBackend::formOnDisk(const SjisString& path, const std::string& typed) const {
  try {
    return drives_.toNative(path);
  } catch (const RuntimeError&) {
    return typed;
  }
}

bool ScriptBackend::confirmOverwrite(const SjisString& path) {
  const std::string asked = "overwrite " + transcriptText(path);
  const std::optional<ScriptLine> ifAsked = answerIfAsked();
  const ScriptLine line = ifAsked ? *ifAsked : nextAnswer(asked);
  if (line.command() != "answer" || (line.tokens.size() != 2 && !isAnswerIfAsked(line)) ||
      (line.tokens[1] != "Yes" && line.tokens[1] != "No"))
    misfit(line, "the overwrite question wants answer Yes or answer No", asked);
  out_ << asked << " -> " << line.tokens[1] << '\n';
  return line.tokens[1] == "Yes";
}

}  // namespace headly
