// Runs a batch session in a forked child whose process limits or identity
// the test changes, so that the test process itself keeps its own.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "support/batch_session.h"

namespace headly::test {

// prepare runs in the child before the session; when it returns false the
// child cannot be had and the result is nothing. A child ended by a signal
// gives exit code -1.
std::optional<BatchResult> runInChild(BatchSession& session, const std::string& script,
                                      const std::function<bool()>& prepare);

// A child that the folder permissions really bind: as root it first becomes
// the user nobody (root may write into any folder); any other user stays who
// it is. The session's folder is opened to every user first (mkdtemp made it
// private).
std::optional<BatchResult> runWithoutPrivileges(BatchSession& session, const std::string& script);

// A child ended from outside while it was writing.
struct StoppedRun {
  int status;  // as waitpid gives it
  std::string transcript, errors;
};
// Runs script in a child whose write number heldWrite (from 1) is held still
// until a termination signal comes (10 s at most); meanwhile whileHeld runs
// here, then the child gets signal.
StoppedRun runStoppedAtWrite(BatchSession& session, const std::string& script, int signal, int heldWrite,
                             const std::function<void()>& whileHeld = {});

}  // namespace headly::test
