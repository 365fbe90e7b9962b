#include "app/full_width_option.h"
// PLACEHOLDER until the layout stage is built.
namespace headly {
bool askFullWidth(Program&) { return false; }
}  // namespace headly
