# SPDX-License-Identifier: GPL-3.0-or-later
"""Serves the game's page on 127.0.0.1 and prints its address: a file's gzip copy (name.gz) goes
out in its place, with Content-Encoding gzip, to every browser that accepts it. Every answer says
Cache-Control: no-cache (the browser asks again before it reuses a file), and a file unchanged
since the time that the browser gives is answered 304, whether sent as it is or as its copy.
With LOG, each request is written to that file as a line: method, path, status, bytes.

Usage: python3 serve.py FOLDER [PORT [LOG]]   (PORT 0 takes any free port)
"""
import datetime
import email.utils
import functools
import http.server
import os
import sys
import threading

TYPES = {".wasm": "application/wasm", ".js": "text/javascript", ".html": "text/html; charset=utf-8",
         ".css": "text/css", ".png": "image/png", ".webmanifest": "application/manifest+json"}


class PageHandler(http.server.SimpleHTTPRequestHandler):
    log = None  # the file of the requests, when asked for
    log_lock = threading.Lock()

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        compressed = path + ".gz"
        accepts = "gzip" in self.headers.get("Accept-Encoding", "")
        if not (accepts and os.path.isfile(compressed) and os.path.isfile(path)):
            return super().send_head()
        stream = open(compressed, "rb")
        status = os.fstat(stream.fileno())
        if self.unchanged_since_asked(status.st_mtime):
            stream.close()
            self.send_response(304)
            self.end_headers()
            return None
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(status.st_size))
        self.send_header("Last-Modified", self.date_time_string(status.st_mtime))
        self.end_headers()
        return stream

    # Whether the browser's If-Modified-Since is the file's time or later, as the server answers
    # for a file sent as it is.
    def unchanged_since_asked(self, modified):
        since = self.headers.get("If-Modified-Since")
        if since is None or "If-None-Match" in self.headers:
            return False
        try:
            asked = email.utils.parsedate_to_datetime(since)
        except (TypeError, IndexError, OverflowError, ValueError):
            return False
        if asked.tzinfo is None:
            asked = asked.replace(tzinfo=datetime.timezone.utc)
        return int(modified) <= asked.timestamp()

    # Each answer's status and length, for the log: send_response gives the status before the
    # headers, the log's line is written once they are all sent.
    def log_request(self, code="-", size="-"):
        self.answer = [int(code), "0"]

    def send_header(self, keyword, value):
        if keyword.lower() == "content-length":
            self.answer[1] = value
        super().send_header(keyword, value)

    def end_headers(self):
        self.send_header("Cache-Control", "no-cache")
        self.send_header("Vary", "Accept-Encoding")
        super().end_headers()
        if self.log is not None:
            with self.log_lock:
                self.log.write(f"{self.command} {self.path} {self.answer[0]} {self.answer[1]}\n")
                self.log.flush()

    def guess_type(self, path):
        return TYPES.get(os.path.splitext(path)[1], None) or super().guess_type(path)

    def log_message(self, *args):
        pass


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    if len(sys.argv) > 3:
        PageHandler.log = open(sys.argv[3], "a", encoding="utf-8")
    handler = functools.partial(PageHandler, directory=sys.argv[1])
    server = http.server.ThreadingHTTPServer(("127.0.0.1", int(sys.argv[2]) if len(sys.argv) > 2 else 8000), handler)
    print(f"The game is at http://127.0.0.1:{server.server_address[1]}/", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
