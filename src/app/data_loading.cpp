#include "app/data_loading.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <optional>
#include <stdexcept>

#include "session/field_parser.h"
#include "session/line_table_store.h"
#include "session/work_progress.h"
#include "system/file_system.h"
#include "system/large_pages.h"
#include "system/text_files.h"
#include "text/numbers.h"
#include "text/runtime_error.h"
#include "ui/toolkit.h"

namespace headly {

namespace {

constexpr char kOpenTitle[] = "データファイルの読み込み";
constexpr char kDataFilter[] = "ﾃｷｽﾄ形式(*.TXT,*.CSV)";
constexpr char kLimitTitle[] = "レコード数の最大域は？";
constexpr char kLimitPrompt[] = "最大レコード数より大きく設定";
constexpr char kDefaultLimit[] = "500";
constexpr char kErrorCaption[] = "処理エラー";
constexpr char kLimitError[] = "レコード数が最大域を超えました";
constexpr char kEmptyFile[] = "データファイルにデータがありません";
constexpr char kWarningCaption[] = "データの警告";
constexpr char kExtraFieldsBefore[] = "項目数を超えるデータは無視します（";
constexpr char kExtraFieldsAfter[] = "行）";
constexpr char kChangedBefore[] = "データファイル ";
constexpr char kChangedAfter[] =
    " が読み込みの途中で変更されました。ほかのプログラムが書き終えてから、もう一度読み込んでください";

constexpr int kDataFile = 1;
// The longest line that reading returns, and its line end.
constexpr double kMaxLineBytes = 32767, kLineEndBytes = 2;
constexpr uint64_t kLikelyLineBytes = 16;

enum class ReadOutcome { Loaded, OverLimit, NoData };

// The folder with a separator after it; a drive root already ends in one.
SjisString folderWithSeparator(const SjisString& folder) {
  const PathParts parts = splitPath(folder);
  const bool endsInSeparator = !parts.folder.empty() && parts.name.empty() && parts.extension.empty();
  return endsInSeparator ? folder : folder + "\\";
}

// Room for the bytes of the lines at once: never more than the file holds,
// nor more than the lines the limit lets in can hold, so that a huge file
// with a small limit ends in the limit error, not in a full memory. The
// index gets room for lines of kLikelyLineBytes on average, which costs no
// memory until lines fill it, so that it is seldom moved while they are
// read (moving it waits for the memory being made ready meanwhile). Room
// that cannot be had is no error: the table grows as lines arrive.
void reserveLineRoom(AppState& state, uint64_t fileSize) {
  const double linesAllowed = std::max(0.0, std::round(double(state.maxRecords))) + 1;
  const double limitBytes = linesAllowed * (kMaxLineBytes + kLineEndBytes);
  const uint64_t bytes = uint64_t(std::min(limitBytes, double(fileSize)));
  const uint64_t lines = uint64_t(std::min(linesAllowed, double(fileSize / kLikelyLineBytes + 1)));
  try {
    state.recordLines.reserve(size_t(lines), size_t(bytes));
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
}

// How many data lines the limit lets be read: one more while fewer than the
// limit are held and the table has an entry for it (entries 1..limit
// rounded). A limit that is no number lets every line in.
uint64_t dataLinesAllowed(double limit) {
  const double allowed = std::min(std::ceil(limit), std::round(limit));
  if (allowed <= 0) return 0;
  if (!(allowed < 0x1p64)) return UINT64_MAX;
  return uint64_t(allowed);
}

// Reads the header and the data lines while the limit allows, and counts
// the data lines with extra data meanwhile. The table holds entries
// 0..maxRecords rounded, and it grows as lines arrive, so a huge limit costs
// nothing before reading; a fractional limit that would let one more line
// in than the table holds ends in the limit error.
ReadOutcome readRecordLines(Program& program) {
  AppState& state = program.state;
  TextFiles& files = program.files;
  state.recordLines.clear();
  state.recordCount = 0;
  state.linesWithExtraData.reset();
  const FileStamp atStart = files.fileStamp(state.selectedPath);
  files.openInput(state.selectedPath, state.dataForm, kDataFile);
  reserveLineRoom(state, files.inputSize(kDataFile));
  if (files.atEnd(kDataFile)) {
    files.closeFiles();
    return ReadOutcome::NoData;
  }
  WorkProgress progress(program.progress, "データの読み込み中");
  LineTableStore store(state.recordLines, progress);
  files.readLines(kDataFile, store, 1);
  const int32_t lastItemIndex = state.lastItemIndex = countLastItemIndex(state.recordLines[0]);
  store.countLines([lastItemIndex](std::string_view line) { return hasExtraData(line, lastItemIndex); });
  // The memory of the lines is made ready on another thread while they are
  // read. Meanwhile this thread had better not map memory (it would wait for
  // each large page being made ready): the counting thread is there already.
  const MemoryMadeReady ready(state.recordLines.spareRoom(), state.recordLines.spareBytes());

  const double limit = state.maxRecords;
  state.recordCount = int32_t(files.readLines(kDataFile, store, dataLinesAllowed(limit)));
  // Item names without a single record still make a run: its layout file
  // holds only the end mark.
  const bool loaded = !(state.recordCount >= limit) && files.atEnd(kDataFile);
  files.closeFiles();
  if (loaded) checkDataFileUnchanged(program, atStart);
  progress.finish();
  if (loaded) {
    if (const std::optional<int64_t> counted = store.countedLines()) state.linesWithExtraData = int32_t(*counted);
    return ReadOutcome::Loaded;
  }
  store.stopCounting();
  state.recordLines.clear();
  return ReadOutcome::OverLimit;
}

}  // namespace

void checkDataFileUnchanged(Program& program, const FileStamp& atStart) {
  const SjisString& path = program.state.selectedPath;
  if (program.files.fileStamp(path) == atStart) return;
  program.ui.messageBox(sjis(kErrorCaption), sjis(kChangedBefore) + path + sjis(kChangedAfter), Buttons::Ok,
                        Icon::Stop);
  raise(err::kFileChanged);
}

bool chooseDataFile(Program& program) {
  AppState& state = program.state;
  for (;;) {
    state.selectedPath =
        program.ui.openFileDialog(sjis(kOpenTitle), folderWithSeparator(state.workFolder), sjis(kDataFilter));
    if (isEscMarker(state.selectedPath)) return false;
    if (program.files.regularFileExists(state.selectedPath)) break;
  }
  const PathParts parts = splitPath(state.selectedPath);
  state.workFolder = parts.drive + parts.folder;
  state.dataFileName = parts.name + parts.extension;
  return true;
}

bool loadRecords(Program& program) {
  AppState& state = program.state;
  Ui& ui = program.ui;
  state.limitText = kDefaultLimit;
  for (;;) {
    const SjisString answer = ui.inputBox(sjis(kLimitTitle), sjis(kLimitPrompt), state.limitText);
    if (isEscMarker(answer)) return false;
    state.limitText = answer;
    state.maxRecords = static_cast<float>(parseNumber(state.limitText));
    switch (readRecordLines(program)) {
      case ReadOutcome::Loaded:
        return true;
      case ReadOutcome::NoData:
        ui.messageBox(sjis(kErrorCaption), sjis(kEmptyFile), Buttons::Ok, Icon::Stop);
        return false;
      case ReadOutcome::OverLimit:
        ui.messageBox(sjis(kErrorCaption), sjis(kLimitError), Buttons::Ok, Icon::Stop);
        break;
    }
  }
}

void parseLoadedRecords(Program& program) {
  AppState& state = program.state;
  state.collapseQuotes = 0;
  parseItemNames(state);
  const int32_t linesWithExtraData =
      state.linesWithExtraData ? *state.linesWithExtraData : countLinesWithExtraData(state, program.progress);
  if (linesWithExtraData > 0)
    program.ui.messageBox(sjis(kWarningCaption),
                          sjis(kExtraFieldsBefore) + countText(linesWithExtraData) + sjis(kExtraFieldsAfter),
                          Buttons::Ok, Icon::Exclamation);
}

}  // namespace headly
