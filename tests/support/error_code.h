// The error code a step raises, for tests of refused operations.
#pragma once

#include <functional>

#include "text/runtime_error.h"

namespace headly {

// The RuntimeError code that f raises, or 0 when it raises none.
inline int codeOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const RuntimeError& e) {
    return e.errorCode;
  }
  return 0;
}

}  // namespace headly
