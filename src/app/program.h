// What every stage works with: the user interface, the files, the user
// interface as long work and the preview see it, and the printer of PDF
// documents. The data of a run passes from stage to stage as the products
// each stage makes (src/session).
#pragma once

#include "app/ui_adapters.h"

namespace headly {

class Ui;
class TextFiles;
class PagePrinter;

struct Program {
  Ui& ui;
  TextFiles& files;
  UiProgress progress{ui};
  UiDrawing drawing{ui};
  PagePrinter* printer = nullptr;
};

}  // namespace headly
