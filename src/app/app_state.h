// The state that passes from stage to stage of the main sequence: the
// session's data and what the dialogs keep between their steps.
#pragma once

#include <optional>
#include <vector>

#include "app/ui_adapters.h"
#include "session/session_data.h"
#include "system/file_encoding.h"
#include "text/sjis_string.h"

namespace headly {

class Ui;
class TextFiles;
class PagePrinter;

struct AppState : SessionData {
  SjisString workFolder;
  SjisString selectedPath;
  SjisString dataFileName;  // without its folder, as the printed pages name it
  InputForm dataForm;  // how the data file is read
  SjisString limitText;
  float maxRecords = 0;
  // The data lines with extra data, when reading counted them.
  std::optional<int32_t> linesWithExtraData;

  // Classification on FORM3.
  std::vector<int> itemClass;  // 1 unclassified, 0 heading item, -1 other item
  std::vector<int> list1Items, orderScratch;

  SjisString quoteMarker = "\xFF\xFF";

  // The walk through the item dialogs.
  int currentItem = 0;
  float enteredIndent = 0;
  float minIndent = 0;
};

// What every stage works with: the user interface, the files and the state,
// the user interface as long work and the preview see it, and the printer
// of PDF documents.
struct Program {
  Ui& ui;
  TextFiles& files;
  AppState state;
  UiProgress progress{ui};
  UiDrawing drawing{ui};
  PagePrinter* printer = nullptr;
};

}  // namespace headly
