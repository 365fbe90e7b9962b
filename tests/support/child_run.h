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

}  // namespace headly::test
