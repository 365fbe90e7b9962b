// Where the checkout and the built programs are. They are compiled into one
// file of their own, so that the other test files compile to the same
// objects in any folder.
#pragma once

namespace headly::test {

extern const char* const kSourceDir;
extern const char* const kBatchPath;  // headly-batch
extern const char* const kHeadlyPath;  // headly, where Qt is built

}  // namespace headly::test
