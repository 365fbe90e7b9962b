#include "app/item_settings.h"
// PLACEHOLDER until the layout stage is built.
namespace headly {
bool runItemSettings(Program&) { return false; }
bool confirmLayout(Program&) { return false; }
}  // namespace headly
