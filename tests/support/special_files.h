// Entries that are not regular files, made inside a test's own folder: a
// FIFO, a listening socket and a character device like /dev/full, so that
// tests never point the program at the system's own devices.
#pragma once

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/types.h>
#include <sys/un.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

namespace headly::test {

inline void makeFifo(const std::string& path) {
  if (::mkfifo(path.c_str(), 0666) != 0) throw std::runtime_error("mkfifo " + path);
}

// A socket bound at path; it stays there after the descriptor is closed.
inline void makeSocket(const std::string& path) {
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (sock < 0 || path.size() >= sizeof addr.sun_path) throw std::runtime_error("socket " + path);
  path.copy(addr.sun_path, path.size());
  const bool bound = ::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  ::close(sock);
  if (!bound) throw std::runtime_error("bind " + path);
}

// A node of the device that /dev/full is (character device 1, 7); false when
// the process may not make device nodes.
inline bool makeFullDevice(const std::string& path) {
  return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0;
}

// The file type bits of an entry (the link itself for a symbolic link); 0
// when it is gone.
inline mode_t entryType(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

}  // namespace headly::test
