#include "app/data_loading.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>

#include "session/line_fields.h"
#include "session/line_table_store.h"
#include "session/work_progress.h"
#include "system/file_system.h"
#include "system/large_pages.h"
#include "system/mapped_bytes.h"
#include "text/numbers.h"
#include "text/runtime_error.h"
#include "system/path_text.h"
#include "system/text_files.h"
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

// The record limit as the user answered it: the answer, offered again after
// the limit error, and its value.
class RecordLimit {
 public:
  explicit RecordLimit(SjisString answer)
      : answer_(std::move(answer)), value_(static_cast<float>(parseNumber(answer_))) {}

  const SjisString& answer() const { return answer_; }
  // The entries of a table that holds the lines the limit lets in, the item
  // names line among them: 0..limit rounded.
  double tableEntries() const { return std::max(0.0, std::round(double(value_))) + 1; }
  // How many data lines the limit lets be read: one more while fewer than
  // the limit are held and the table has an entry for it (entries 1..limit
  // rounded). A limit that is no number lets every line in.
  uint64_t dataLinesAllowed() const {
    const double limit = value_;
    const double allowed = std::min(std::ceil(limit), std::round(limit));
    if (allowed <= 0) return 0;
    if (!(allowed < 0x1p64)) return UINT64_MAX;
    return uint64_t(allowed);
  }
  // The records read reach the limit: the file is over it.
  bool reachedBy(int32_t records) const { return double(records) >= double(value_); }

 private:
  SjisString answer_;
  float value_;
};

// The lines read, while reading goes on.
struct ReadLines {
  LineTable lines;
  int32_t recordCount = 0;
  // The data lines with extra data, when reading counted them.
  std::optional<int32_t> linesWithExtraData;
};

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
void reserveLineRoom(LineTable& lines, const RecordLimit& limit, uint64_t fileSize) {
  const double linesAllowed = limit.tableEntries();
  const double limitBytes = linesAllowed * (kMaxLineBytes + kLineEndBytes);
  const uint64_t bytes = uint64_t(std::min(limitBytes, double(fileSize)));
  const uint64_t lineCount = uint64_t(std::min(linesAllowed, double(fileSize / kLikelyLineBytes + 1)));
  try {
    lines.reserve(size_t(lineCount), size_t(bytes));
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
}

// Reads the header and the data lines while the limit allows, and counts
// the data lines with extra data meanwhile. The table holds entries
// 0..limit rounded, and it grows as lines arrive, so a huge limit costs
// nothing before reading; a fractional limit that would let one more line
// in than the table holds ends in the limit error.
ReadOutcome readRecordLines(Ui& ui, TextFiles& files, ProgressDisplay& display, const DataFileChoice& data,
                            const RecordLimit& limit, ReadLines& read) {
  read = ReadLines{};
  const FileStamp atStart = files.fileStamp(data.path);
  // Text converted ahead is read from memory that the lines then fill.
  const std::shared_ptr<MappedBytes> convertedAhead = data.form.converted ? data.form.converted->text : nullptr;
  files.openInput(data.path, data.form, kDataFile);
  if (convertedAhead) read.lines.fillFromStartOf(convertedAhead);
  reserveLineRoom(read.lines, limit, files.inputSize(kDataFile));
  if (files.atEnd(kDataFile)) {
    files.closeFiles();
    return ReadOutcome::NoData;
  }
  WorkProgress progress(display, "データの読み込み中");
  LineTableStore store(read.lines, progress);
  files.readLines(kDataFile, store, 1);
  const int32_t lastItemIndex = countLastItemIndex(read.lines[0]);
  store.countLines([lastItemIndex](std::string_view line) { return hasExtraData(line, lastItemIndex); });
  // The memory of the lines is made ready on another thread while they are
  // read. Meanwhile this thread had better not map memory (it would wait for
  // each large page being made ready): the counting thread is there already.
  // Text converted ahead has its memory ready.
  std::optional<MemoryMadeReady> ready;
  if (!convertedAhead) ready.emplace(read.lines.spareRoom(), read.lines.spareBytes());

  read.recordCount = int32_t(files.readLines(kDataFile, store, limit.dataLinesAllowed()));
  // Item names without a single record still make a run: its layout file
  // holds only the end mark.
  const bool loaded = !limit.reachedBy(read.recordCount) && files.atEnd(kDataFile);
  files.closeFiles();
  if (loaded) checkDataFileUnchanged(ui, files, data.path, atStart);
  progress.finish();
  if (loaded) {
    if (const std::optional<int64_t> counted = store.countedLines()) read.linesWithExtraData = int32_t(*counted);
    return ReadOutcome::Loaded;
  }
  store.stopCounting();
  read.lines.clear();
  return ReadOutcome::OverLimit;
}

}  // namespace

void checkDataFileUnchanged(Ui& ui, TextFiles& files, const SjisString& path, const FileStamp& atStart) {
  if (files.fileStamp(path) == atStart) return;
  ui.messageBox(sjis(kErrorCaption), sjis(kChangedBefore) + path + sjis(kChangedAfter), Buttons::Ok, Icon::Stop);
  raise(err::kFileChanged);
}

std::optional<DataFileChoice> chooseDataFile(Ui& ui, TextFiles& files, const SjisString& startFolder) {
  DataFileChoice data;
  for (;;) {
    data.path = ui.openFileDialog(sjis(kOpenTitle), folderWithSeparator(startFolder), sjis(kDataFilter));
    if (isEscMarker(data.path)) return std::nullopt;
    if (files.regularFileExists(data.path)) break;
  }
  const PathParts parts = splitPath(data.path);
  data.folder = parts.drive + parts.folder;
  data.name = parts.name + parts.extension;
  return data;
}

std::optional<LoadedTable> loadRecords(Ui& ui, TextFiles& files, ProgressDisplay& display,
                                       const DataFileChoice& data) {
  SjisString offered = kDefaultLimit;
  ReadLines read;
  for (;;) {
    const SjisString answer = ui.inputBox(sjis(kLimitTitle), sjis(kLimitPrompt), offered);
    if (isEscMarker(answer)) return std::nullopt;
    const RecordLimit limit(answer);
    offered = limit.answer();
    switch (readRecordLines(ui, files, display, data, limit, read)) {
      case ReadOutcome::Loaded: {
        const int32_t lastItemIndex = countLastItemIndex(read.lines[0]);
        const int32_t linesWithExtraData =
            read.linesWithExtraData ? *read.linesWithExtraData
                                    : countLinesWithExtraData(read.lines, read.recordCount, lastItemIndex, display);
        return LoadedTable(std::move(read.lines), read.recordCount, linesWithExtraData);
      }
      case ReadOutcome::NoData:
        ui.messageBox(sjis(kErrorCaption), sjis(kEmptyFile), Buttons::Ok, Icon::Stop);
        return std::nullopt;
      case ReadOutcome::OverLimit:
        ui.messageBox(sjis(kErrorCaption), sjis(kLimitError), Buttons::Ok, Icon::Stop);
        break;
    }
  }
}

void warnOfExtraData(Ui& ui, const LoadedTable& table) {
  if (table.linesWithExtraData() > 0)
    ui.messageBox(sjis(kWarningCaption),
                  sjis(kExtraFieldsBefore) + countText(table.linesWithExtraData()) + sjis(kExtraFieldsAfter),
                  Buttons::Ok, Icon::Exclamation);
}

}  // namespace headly
