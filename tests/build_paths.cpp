#include "build_paths.h"

namespace headly::test {

const char* const kSourceDir = HEADLY_SOURCE_DIR;
const char* const kBatchPath = HEADLY_BATCH_PATH;
const char* const kHeadlyPath = HEADLY_PATH;

}  // namespace headly::test
