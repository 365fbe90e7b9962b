// PDF documents drawn with cairo in IPA Gothic, whose subset is embedded: the
// printer of both programs. It needs no window system.
#pragma once

#include <memory>

#include "output/page_drawing.h"

namespace headly {

class CairoPrinter : public PagePrinter {
 public:
  // The face is looked up (error 63 when IPA Gothic is not installed) and
  // each document made on it.
  std::unique_ptr<PageDrawing> open(ByteSink& sink) override;
};

}  // namespace headly
