// The time the program takes to find what a data file's bytes are (the look
// at the whole file before the record limit is asked): bench/run compares it
// with case (a). Usage: headly-bench-scan FILE; prints seconds.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "system/drives.h"
#include "system/file_encoding.h"
#include "system/file_system.h"
#include "system/text_files.h"

int main(int argc, char** argv) {
  using namespace headly;
  if (argc != 2) {
    std::fprintf(stderr, "usage: headly-bench-scan FILE\n");
    return 2;
  }
  const std::filesystem::path file = std::filesystem::absolute(argv[1]);
  std::unique_ptr<FileSystem> fs = makePosixFileSystem();
  Drives drives(*fs);
  drives.addDrive('d', file.parent_path().string());
  TextFiles files(*fs, drives);
  const auto start = std::chrono::steady_clock::now();
  const EncodingScan scan = scanFile(files, "D:\\" + file.filename().string());
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%.3f %s\n", took.count(), scan.encoding() == DataEncoding::ShiftJis ? "shift-jis" : "other");
  return 0;
}
