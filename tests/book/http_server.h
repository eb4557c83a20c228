// A real HTTP server on 127.0.0.1 for the download tests: http_test_server.py
// started by the test itself and stopped (by its process id) when done.
#pragma once

#include <string>
#include <sys/types.h>

class TestHttpServer {
  public:
    // Serves the files of `root`; port() is 0 when it could not start.
    explicit TestHttpServer(const std::string& root);
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    int port() const { return port_; }
    // "http://127.0.0.1:PORT/" + path
    std::string url(const std::string& path) const;

  private:
    pid_t pid_ = -1;
    int port_ = 0;
};
