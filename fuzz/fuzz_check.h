// Ends a fuzz run when a property of the code under test does not hold; the
// fuzzer then keeps the input that broke it as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace headly::fuzz {

inline void check(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

}  // namespace headly::fuzz
