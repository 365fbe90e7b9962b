// A whole headless run on an arbitrary data file: the fuzz input becomes
// data.csv in a fresh folder and a fixed script drives the program over it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace headly::fuzz {

struct SessionRun {
  int exitCode;            // 0 end, 1 error report, 2 script misfit
  std::string folder;      // the native folder that holds data.csv
  std::string transcript;
};

// Runs script (in which @DIR@ stands for the folder) on data and checks what
// every run must keep, whatever the data: an exit status of 0, 1 or 2 that
// the transcript bears out, the data file unchanged and nothing made outside
// the folder. checkOutput then looks at what the run left in the folder,
// which is removed afterwards.
void runSession(const uint8_t* data, size_t size, const std::string& script,
                const std::function<void(const SessionRun&)>& checkOutput);

// True when the file exists and its last byte is the end mark 0x1A.
bool endsWithEndMark(const std::string& nativePath);

}  // namespace headly::fuzz
