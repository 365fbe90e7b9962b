#include "system/temporary_names.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "system/processes.h"

namespace headly {
namespace {

constexpr char kTemporaryStart[] = ".~HEADLY-";
constexpr char kTemporaryEnd[] = ".TMP";

}  // namespace

std::string temporaryPrefix(const std::string& target) {
  uint32_t tag = 2166136261u;  // FNV-1a
  for (unsigned char c : target) tag = (tag ^ c) * 16777619u;
  char prefix[32];
  std::snprintf(prefix, sizeof prefix, "%s%08X-", kTemporaryStart, unsigned(tag));
  return prefix;
}

std::string temporaryName(const std::string& prefix) {
  static std::mt19937 random{std::random_device{}()};
  char name[64];
  std::snprintf(name, sizeof name, "%s%d-%08X%s", prefix.c_str(), currentProcessId(), unsigned(random()),
                kTemporaryEnd);
  return name;
}

int writerOf(const std::string& name, const std::string& prefix) {
  const size_t endSize = sizeof kTemporaryEnd - 1;
  if (name.size() <= prefix.size() + endSize || name.compare(0, prefix.size(), prefix) != 0 ||
      name.compare(name.size() - endSize, endSize, kTemporaryEnd) != 0)
    return 0;
  char* end = nullptr;
  const long pid = std::strtol(name.c_str() + prefix.size(), &end, 10);
  return *end == '-' && pid > 0 && pid <= INT_MAX ? int(pid) : 0;
}

}  // namespace headly
