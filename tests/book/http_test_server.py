#!/usr/bin/env python3
"""A small HTTP server for the download tests, on 127.0.0.1 at a free port.

Serves the files of ROOT under several behaviours, chosen by the first path word:
  /files/NAME      plain 200 with Content-Length
  /lower/NAME      the same with every header name in lower case
  /nolength/NAME   200 without Content-Length (the body ends when the connection closes)
  /truncated/NAME  announces the whole length, sends half, closes
  /slow/NAME       sends the body in small pieces with pauses
  /stall/NAME      announces the length, sends one piece, then waits a long time
  /missing/...     404 with a long HTML error page and its Content-Length
  /redirect/NAME   302 to /files/NAME with a long body
Prints "PORT n" on its first line, then serves until it is terminated.
"""
import http.server
import os
import sys
import time


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def body_of(self, name):
        if name == "" or name.endswith("/"):
            name += "index.html"
        path = os.path.join(self.server.root, name)
        if not os.path.isfile(path):
            return None
        with open(path, "rb") as f:
            return f.read()

    def send_error_page(self, code, reason):
        page = ("<html><head><title>%d %s</title></head><body><h1>%s</h1><p>%s</p></body></html>"
                % (code, reason, reason, "The page you asked for is not here. " * 20)).encode()
        self.send_response(code, reason)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(page)))
        self.end_headers()
        self.wfile.write(page)

    def do_GET(self):
        parts = self.path.lstrip("/").split("/", 1)
        mode = parts[0]
        name = parts[1] if len(parts) > 1 else ""
        if mode == "missing":
            return self.send_error_page(404, "Not Found")
        if mode == "redirect":
            page = b"<html><body>Moved. " + b"x" * 600 + b"</body></html>"
            self.send_response(302, "Found")
            self.send_header("Location", "/files/" + name)
            self.send_header("Content-Length", str(len(page)))
            self.end_headers()
            self.wfile.write(page)
            return
        body = self.body_of(name)
        if body is None:
            return self.send_error_page(404, "Not Found")
        if mode == "lower":
            self.wfile.write(b"HTTP/1.0 200 OK\r\n")
            self.wfile.write(b"content-type: application/octet-stream\r\n")
            self.wfile.write(b"content-length: %d\r\n\r\n" % len(body))
            self.wfile.write(body)
            return
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        if mode != "nolength":
            self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if mode == "truncated":
            self.wfile.write(body[: len(body) // 2])
        elif mode == "slow":
            for i in range(0, len(body), 512):
                self.wfile.write(body[i:i + 512])
                self.wfile.flush()
                time.sleep(0.02)
        elif mode == "stall":
            self.wfile.write(body[:512])
            self.wfile.flush()
            time.sleep(30)
        else:
            self.wfile.write(body)


def main():
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.root = sys.argv[1]
    print("PORT %d" % server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
