# SPDX-License-Identifier: GPL-3.0-or-later
"""Serves the game's page on 127.0.0.1 and prints its address: a file's gzip copy (name.gz) goes
out in its place, with Content-Encoding gzip, to every browser that accepts it.

Usage: python3 serve.py FOLDER [PORT]   (PORT 0 takes any free port)
"""
import functools
import http.server
import os
import sys

TYPES = {".wasm": "application/wasm", ".js": "text/javascript", ".html": "text/html; charset=utf-8",
         ".css": "text/css", ".png": "image/png", ".webmanifest": "application/manifest+json"}


class PageHandler(http.server.SimpleHTTPRequestHandler):
    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        compressed = path + ".gz"
        accepts = "gzip" in self.headers.get("Accept-Encoding", "")
        if not (accepts and os.path.isfile(compressed) and os.path.isfile(path)):
            return super().send_head()
        stream = open(compressed, "rb")
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(os.fstat(stream.fileno()).st_size))
        self.end_headers()
        return stream

    def end_headers(self):
        self.send_header("Cache-Control", "no-cache")
        self.send_header("Vary", "Accept-Encoding")
        super().end_headers()

    def guess_type(self, path):
        return TYPES.get(os.path.splitext(path)[1], None) or super().guess_type(path)

    def log_message(self, *args):
        pass


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    handler = functools.partial(PageHandler, directory=sys.argv[1])
    server = http.server.ThreadingHTTPServer(("127.0.0.1", int(sys.argv[2]) if len(sys.argv) > 2 else 8000), handler)
    print(f"The game is at http://127.0.0.1:{server.server_address[1]}/", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
