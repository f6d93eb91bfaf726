#pragma once
// A TCP port on 127.0.0.1 that takes connections (the kernel completes
// them) but never answers: a server that is up and silent.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace dvtest {

class SilentPort {
 public:
  SilentPort() {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    EXPECT_EQ(::bind(fd_, reinterpret_cast<sockaddr*>(&a), len), 0);
    EXPECT_EQ(::listen(fd_, 4), 0);
    EXPECT_EQ(::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len), 0);
    port_ = ntohs(a.sin_port);
  }
  ~SilentPort() { ::close(fd_); }
  SilentPort(const SilentPort&) = delete;
  SilentPort& operator=(const SilentPort&) = delete;
  int Port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

}  // namespace dvtest
