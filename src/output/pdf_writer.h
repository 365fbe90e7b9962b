// The layout as a PDF document, ready to print: the lines of the layout file
// on A4 pages (see page_format.h and page_plan.h), with the data file's name
// and the date at the top of every page and "n / N" at the bottom.
#pragma once

#include "output/page_drawing.h"
#include "session/ordered_blocks.h"
#include "session/layout.h"
#include "session/record_cells.h"
#include "session/work_progress.h"
#include "system/text_files.h"

namespace headly {

// Writes every record's lines into the document target, which replaces a
// file of that name once complete, through printer. dataName heads every
// page. The records are laid out three times: for the widest line, for the
// number of pages and for the pages themselves, which go to the file one by
// one.
void writeLayoutPdf(const RecordCells& cells, const Layout& layout, TextFiles& files, const SjisString& target,
                    const SjisString& dataName, PagePrinter& printer, ProgressDisplay& display,
                    const WorkSplit& split = {});

}  // namespace headly
