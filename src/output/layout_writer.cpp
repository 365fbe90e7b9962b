#include "output/layout_writer.h"
// PLACEHOLDER until the writer is built.
namespace headly {
void runWriter(Program&) {}
}  // namespace headly
