#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A small HTTPS server for the updater's tests.

Serves files from ROOT by path. Beside a served file, optional files change the answer:
  NAME.status  the HTTP status to send (default 200)
  NAME.delay   seconds to wait before answering
  NAME.cut     send only this many bytes of the body (the full length is announced), then close
  NAME.nolength  announce no length: the body ends when the connection closes
A missing file gives 404. Prints "PORT <n>" once it listens on 127.0.0.1.
--cert-dir DIR uses DIR/cert.pem and DIR/cert.key, made for 127.0.0.1 first when missing (the
test trusts DIR/cert.pem through TAVROLA_TEST_CA). Needs openssl for that.
"""
import argparse
import http.server
import os
import ssl
import subprocess
import sys
import time


class Handler(http.server.BaseHTTPRequestHandler):
    root = "."
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def _extra(self, path, suffix, default):
        try:
            with open(path + suffix, "r", encoding="ascii") as f:
                return type(default)(f.read().strip())
        except (OSError, ValueError):
            return default

    def do_GET(self):
        path = os.path.normpath(os.path.join(self.root, self.path.split("?", 1)[0].lstrip("/")))
        if not path.startswith(os.path.abspath(self.root)) or not os.path.isfile(path):
            self.send_error(404)
            return
        time.sleep(self._extra(path, ".delay", 0.0))
        with open(path, "rb") as f:
            body = f.read()
        status = self._extra(path, ".status", 200)
        cut = self._extra(path, ".cut", -1)
        self.send_response(status)
        self.send_header("Content-Type", "application/json")
        no_length = os.path.exists(path + ".nolength")
        if no_length:
            self.close_connection = True
            self.send_header("Connection", "close")
        else:
            self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if cut >= 0:
            self.wfile.write(body[:cut])
            self.wfile.flush()
            self.close_connection = True
            return
        self.wfile.write(body)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cert-dir", required=True)
    parser.add_argument("--root", required=True)
    args = parser.parse_args()
    cert = os.path.join(args.cert_dir, "cert.pem")
    key = os.path.join(args.cert_dir, "cert.key")
    if not os.path.exists(cert):
        os.makedirs(args.cert_dir, exist_ok=True)
        subprocess.run(["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                        "-nodes", "-keyout", key, "-out", cert, "-days", "30", "-subj", "/CN=127.0.0.1",
                        "-addext", "subjectAltName=IP:127.0.0.1"], check=True, capture_output=True)

    Handler.root = os.path.abspath(args.root)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.handle_error = lambda request, address: None  # clients that give up are expected
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    # The handshake runs in the request's own thread, so a stalled client holds up no one else.
    server.socket = context.wrap_socket(server.socket, server_side=True, do_handshake_on_connect=False)
    print("PORT %d" % server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
