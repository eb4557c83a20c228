#include "http_server.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

TestHttpServer::TestHttpServer(const std::string& root) {
    int fds[2];
    if (pipe(fds) != 0) return;
    std::string script = std::string(QH_SOURCE_DIR) + "/tests/book/http_test_server.py";
    pid_ = fork();
    if (pid_ == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        execlp("python3", "python3", script.c_str(), root.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (pid_ < 0) {
        close(fds[0]);
        return;
    }
    // The server names its port on its first line.
    FILE* out = fdopen(fds[0], "r");
    char line[64] = {0};
    if (out && std::fgets(line, sizeof line, out) && std::strncmp(line, "PORT ", 5) == 0)
        port_ = std::atoi(line + 5);
    if (out) std::fclose(out);
}

TestHttpServer::~TestHttpServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
}

std::string TestHttpServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/" + path;
}
