#include "support/child_run.h"

#include <gtest/gtest.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>

#include "support/faulty_file_system.h"
#include "system/termination.h"

namespace headly::test {
namespace {

constexpr uid_t kNobody = 65534;
// Exit status of a child whose preparation failed.
constexpr int kNotPrepared = 125;

void writeAll(int fd, const std::string& bytes) {
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return;
    done += size_t(n);
  }
}

std::string readAll(int fd) {
  std::string out;
  char buffer[4096];
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) out.append(buffer, size_t(n));
  return out;
}

}  // namespace

std::optional<BatchResult> runInChild(BatchSession& session, const std::string& script,
                                      const std::function<bool()>& prepare) {
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return std::nullopt;
  const pid_t child = ::fork();
  if (child < 0) return std::nullopt;
  if (child == 0) {
    ::close(pipeEnds[0]);
    int status = kNotPrepared;
    if (prepare()) {
      const BatchResult result = session.run(script);
      writeAll(pipeEnds[1], result.transcript);
      status = result.exitCode;
    }
    ::_exit(status);
  }
  ::close(pipeEnds[1]);
  std::string transcript;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) transcript.append(buffer, size_t(n));
  ::close(pipeEnds[0]);
  int status = 0;
  if (::waitpid(child, &status, 0) != child) return std::nullopt;
  if (!WIFEXITED(status)) return BatchResult{-1, transcript};
  if (WEXITSTATUS(status) == kNotPrepared) return std::nullopt;
  return BatchResult{WEXITSTATUS(status), transcript};
}

std::optional<BatchResult> runWithoutPrivileges(BatchSession& session, const std::string& script) {
  if (::chmod(session.dir().c_str(), 0755) != 0) return std::nullopt;
  return runInChild(session, script, [] {
    if (::geteuid() != 0) return true;
    return ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 &&
           ::geteuid() == kNobody;
  });
}

StoppedRun runStoppedAtWrite(BatchSession& session, const std::string& script, int signal, int heldWrite,
                             const std::function<void()>& whileHeld) {
  int ready[2], out[2], err[2];
  EXPECT_EQ(::pipe(ready) | ::pipe(out) | ::pipe(err), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(ready[0]);
    ::close(out[0]);
    ::close(err[0]);
    ::dup2(err[1], STDERR_FILENO);
    FaultyFileSystem holding(SIZE_MAX);
    int writes = 0;
    holding.onWrite = [&] {
      if (++writes != heldWrite) return;
      (void)!::write(ready[1], "w", 1);
      for (int i = 0; i < 1000 && terminationSignal() == 0; ++i) ::usleep(10000);
    };
    const BatchResult r = session.run(script, holding);
    writeAll(out[1], r.transcript);
    ::_exit(r.exitCode);
  }
  ::close(ready[1]);
  ::close(out[1]);
  ::close(err[1]);
  char byte;
  if (::read(ready[0], &byte, 1) == 1) {
    if (whileHeld) whileHeld();
    ::kill(child, signal);
  }
  StoppedRun stopped{};
  stopped.transcript = readAll(out[0]);
  stopped.errors = readAll(err[0]);
  for (int fd : {ready[0], out[0], err[0]}) ::close(fd);
  ::waitpid(child, &stopped.status, 0);
  return stopped;
}

}  // namespace headly::test
