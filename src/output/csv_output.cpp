#include "output/csv_output.h"

#include "session/ordered_blocks.h"
#include "text/encoding.h"
#include "system/text_files.h"

namespace headly {

namespace {
constexpr int kCsvFile = 1;
}  // namespace

void writeCsvLines(const ReorderedRecords& records, TextFiles& files, const SjisString& path,
                   OutputEncoding encoding, ProgressDisplay& display) {
  files.openOutput(path, encoding, kCsvFile);
  WorkProgress progress(display, "ＣＳＶファイルの書き込み中", records.recordCount());
  files.writeLine(kCsvFile, records.header());
  runOrderedBlocks<SjisString>(
      1, int64_t(records.recordCount()) + 1, settleSplit({}, records.bytesPerLine()),
      [&] { return records.lineReader(); },
      [&](LineFields& read, int64_t begin, int64_t end, SjisString& block) {
        block.clear();
        for (int64_t r = begin; r < end; ++r) {
          records.appendRebuiltLine(int32_t(r), read, block);
          block.append(kLineEnd);
        }
      },
      [&](int64_t, int64_t end, const SjisString& block) {
        files.writeLines(kCsvFile, block);
        progress.stepBlock(end - 1);
      });
  files.closeFiles();
  progress.finish();
}

}  // namespace headly
