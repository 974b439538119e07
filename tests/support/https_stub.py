#!/usr/bin/env python3
"""An HTTPS server on 127.0.0.1 that stands in for the cloud service in tests.

https_stub.py FOLDER SCENARIO.json: makes a self-signed certificate for 127.0.0.1 with openssl
(FOLDER/cert.pem, which a test trusts as an extra CA file), listens on a free port, prints the
port on its first line of output and serves until its standard input closes.

The scenario maps a request path to a list of answers, each {"status": N, "body": TEXT}; the
answers of a path are given in order and the last one repeats. A path without answers gets 404.
Every request is appended to FOLDER/requests.jsonl before it is answered, as one JSON object a
line: {"method", "path", "headers" (name -> value, names in lower case), "body"}.

Imported, Stub(folder, scenario) runs the same server on a thread of the caller's."""

import http.server
import json
import os
import ssl
import subprocess
import sys
import threading


def make_certificate(folder):
    cert = os.path.join(folder, "cert.pem")
    key = os.path.join(folder, "key.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                    "-nodes", "-keyout", key, "-out", cert, "-days", "2", "-subj", "/CN=127.0.0.1",
                    "-addext", "subjectAltName=IP:127.0.0.1"],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return cert, key


class Stub:
    def __init__(self, folder, scenario):
        self.log_path = os.path.join(folder, "requests.jsonl")
        self.cert, key = make_certificate(folder)
        self.answers = {path: list(answers) for path, answers in scenario.items()}
        self.lock = threading.Lock()
        stub = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_POST(self):
                stub.answer(self)

            def log_message(self, *args):
                pass

        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(self.cert, key)
        self.server.socket = context.wrap_socket(self.server.socket, server_side=True)
        self.port = self.server.server_address[1]
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def answer(self, handler):
        length = int(handler.headers.get("Content-Length", "0"))
        body = handler.rfile.read(length).decode("utf-8", "replace")
        record = {"method": handler.command, "path": handler.path,
                  "headers": {name.lower(): value for name, value in handler.headers.items()}, "body": body}
        with self.lock:
            with open(self.log_path, "a", encoding="utf-8") as log:
                log.write(json.dumps(record) + "\n")
            answers = self.answers.get(handler.path, [])
            answer = answers.pop(0) if len(answers) > 1 else (answers[0] if answers else None)
        status, text = (answer["status"], answer["body"]) if answer else (404, "")
        data = text.encode("utf-8")
        handler.send_response(status)
        handler.send_header("Content-Type", "application/json")
        handler.send_header("Content-Length", str(len(data)))
        handler.end_headers()
        handler.wfile.write(data)

    def requests(self):
        if not os.path.exists(self.log_path):
            return []
        with open(self.log_path, encoding="utf-8") as log:
            return [json.loads(line) for line in log]

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


def main():
    folder, scenario_path = sys.argv[1], sys.argv[2]
    with open(scenario_path, encoding="utf-8") as scenario:
        stub = Stub(folder, json.load(scenario))
    print(stub.port, flush=True)
    sys.stdin.read()
    stub.stop()


if __name__ == "__main__":
    main()
