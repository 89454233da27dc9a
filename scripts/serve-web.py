#!/usr/bin/env python3
"""serve-web.py [FOLDER [PORT]]: serves the browser build (build-web/) on
http://127.0.0.1:8000/, or on a free port when that one is taken, and prints
the address on its first line."""
import functools
import http.server
import os
import socketserver
import sys

folder = sys.argv[1] if len(sys.argv) > 1 else "build-web"
# A port of 0 asks for any free one at once (the checks run beside a player).
port = int(sys.argv[2]) if len(sys.argv) > 2 else 8000


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                          **{".wasm": "application/wasm", ".js": "text/javascript"})

    def log_message(self, *args):
        pass  # the address is all a player needs to read


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


handler = functools.partial(Handler, directory=os.path.abspath(folder))
try:
    server = Server(("127.0.0.1", port), handler)
except OSError:
    server = Server(("127.0.0.1", 0), handler)
print("Tessary is served at http://127.0.0.1:%d/ (Ctrl-C stops it)" % server.server_address[1],
      flush=True)
try:
    server.serve_forever()
except KeyboardInterrupt:
    pass
