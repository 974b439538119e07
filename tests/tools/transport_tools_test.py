#!/usr/bin/env python3
"""End-to-end test of the zdtool transport subcommands: a pseudo-terminal mapped to a COM
number and a loopback TCP server both echo what zdtool sends; the port list shows the map."""

import os
import pty
import socket
import sys
import tempfile
import threading
import tty

from zdtest_util import run_zdtool

ZDTOOL = sys.argv[1]


def zdtool(env, *args):
    return run_zdtool(ZDTOOL, env, *args)


def echo_pty(master):
    while True:
        try:
            data = os.read(master, 4096)
        except OSError:
            return
        if not data:
            return
        os.write(master, data)


def echo_socket(server):
    connection, _ = server.accept()
    with connection:
        while data := connection.recv(4096):
            connection.sendall(data)


def main():
    with tempfile.TemporaryDirectory() as config:
        env = dict(os.environ, XDG_CONFIG_HOME=config)

        master, slave = pty.openpty()
        tty.setraw(slave)
        device = os.ttyname(slave)
        threading.Thread(target=echo_pty, args=(master,), daemon=True).start()
        zdtool(env, "ports", "map", "7", device)
        listing = zdtool(env, "ports").splitlines()
        if f"COM7: {device}" not in listing:
            sys.exit(f"COM7 missing from the port list: {listing}")
        out = zdtool(env, "echo", "COM7:", "10240")
        if out != "ok 10240\n":
            sys.exit(f"serial echo printed {out!r}")

        server = socket.create_server(("127.0.0.1", 0))
        port = server.getsockname()[1]
        threading.Thread(target=echo_socket, args=(server,), daemon=True).start()
        out = zdtool(env, "echo", f"IP:127.0.0.1:{port}", "10240")
        if out != "ok 10240\n":
            sys.exit(f"socket echo printed {out!r}")

        zdtool(env, "ports", "clear")
        if any(line.startswith("COM7: ") and device in line for line in zdtool(env, "ports").splitlines()):
            sys.exit("COM7 still mapped after clear")


main()
