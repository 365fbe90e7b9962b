#include "system/termination.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "text/runtime_error.h"

namespace headly {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr int kSignalCodeBase = 128;

// What the handler may read: one slot per output file being written. The
// program writes one file at a time; a few more slots cost nothing.
enum SlotState : sig_atomic_t { kFree = 0, kWriting = 1, kWritingTemporary = 2 };
struct Slot {
  volatile sig_atomic_t state;
  char temporary[4096];
};
Slot slots[8];
volatile sig_atomic_t pendingSignal = 0;
volatile sig_atomic_t removedTemporary = 0;

// Only async-signal-safe calls: unlink, signal and raise.
void onTermination(int signal) {
  const int savedErrno = errno;
  bool writing = false;
  for (const Slot& s : slots) writing = writing || s.state != kFree;
  if (!writing || pendingSignal != 0) {
    ::signal(signal, SIG_DFL);
    ::raise(signal);  // delivered with the default action once the handler returns
  } else {
    for (const Slot& s : slots)
      if (s.state == kWritingTemporary) {
        ::unlink(s.temporary);
        removedTemporary = 1;
      }
    pendingSignal = signal;
  }
  errno = savedErrno;
}

// A signal that the process was started to ignore (nohup) stays ignored.
void installHandlers() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  for (int signal : kSignals) {
    struct sigaction old {};
    if (::sigaction(signal, nullptr, &old) != 0 || old.sa_handler != SIG_DFL) continue;
    struct sigaction action {};
    action.sa_handler = onTermination;
    sigemptyset(&action.sa_mask);
    for (int other : kSignals) sigaddset(&action.sa_mask, other);
    action.sa_flags = SA_RESTART;
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace

WritingGuard::WritingGuard(const std::string& temporary) : slot_(-1) {
  installHandlers();
  for (int i = 0; i < int(std::size(slots)); ++i) {
    Slot& s = slots[i];
    if (s.state != kFree) continue;
    const bool fits = !temporary.empty() && temporary.size() < sizeof s.temporary;
    if (fits) std::memcpy(s.temporary, temporary.c_str(), temporary.size() + 1);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    s.state = fits ? kWritingTemporary : kWriting;
    slot_ = i;
    return;
  }
}

WritingGuard::~WritingGuard() {
  if (slot_ >= 0) slots[slot_].state = kFree;
  std::atomic_signal_fence(std::memory_order_seq_cst);
}

void letWritesFail() {
  ::signal(SIGXFSZ, SIG_IGN);
  ::signal(SIGPIPE, SIG_IGN);
}

void checkTermination() {
  if (pendingSignal != 0) raise(terminationCode());
}

int terminationSignal() { return pendingSignal; }

int terminationCode() { return kSignalCodeBase + pendingSignal; }

bool terminationRemovedTemporary() { return removedTemporary != 0; }

}  // namespace headly
