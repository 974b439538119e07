"""A local FTP server for the tests: pyftpdlib on 127.0.0.1 at a free port, one account
(jvcust / hantelKRB) rooted at the given folder. It prints "port=N" once it listens and
serves until it is ended or its standard input closes.

--cut NAME:N ends the data of the file NAME after N bytes while the transfer still reports
success, as a server that loses the rest of a file would. --listed-size NAME:TEXT lists the
file NAME with the size fact TEXT instead of its own size, as a server with a wrong listing
would."""

import argparse
import logging
import re
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


class CutFile:
    """A file that ends after `limit` bytes."""

    def __init__(self, file, limit):
        self.file = file
        self.left = limit
        self.name = file.name
        self.closed = False

    def read(self, size=-1):
        if self.left <= 0:
            return b""
        if size < 0 or size > self.left:
            size = self.left
        data = self.file.read(size)
        self.left -= len(data)
        return data

    def close(self):
        self.closed = True
        self.file.close()

    def seek(self, *args):
        return self.file.seek(*args)

    def __getattr__(self, name):
        return getattr(self.file, name)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--cut", action="append", default=[])
    parser.add_argument("--listed-size", action="append", default=[])
    args = parser.parse_args()
    cuts = {}
    for cut in args.cut:
        name, limit = cut.rsplit(":", 1)
        cuts[name] = int(limit)
    listed_sizes = dict(entry.rsplit(":", 1) for entry in args.listed_size)

    class FaultyFS(AbstractedFS):
        def open(self, filename, mode):
            file = super().open(filename, mode)
            limit = cuts.get(filename.replace("\\", "/").rsplit("/", 1)[-1])
            return file if limit is None or "r" not in mode else CutFile(file, limit)

        def format_mlsx(self, *args, **kwargs):
            for line in super().format_mlsx(*args, **kwargs):
                text = line.decode("utf8", "replace")
                size = listed_sizes.get(text.split(" ", 1)[-1].rstrip("\r\n"))
                if size is None:
                    yield line
                    continue
                text = re.sub(r"(^|;)size=[^;]*;", lambda m: f"{m.group(1)}size={size};", text, count=1)
                yield text.encode("utf8")

    authorizer = DummyAuthorizer()
    authorizer.add_user("jvcust", "hantelKRB", args.root, perm="elr")
    handler = type("Handler", (FTPHandler,), {})
    handler.authorizer = authorizer
    handler.abstracted_fs = FaultyFS
    handler.use_sendfile = False
    handler.auth_failed_timeout = 0
    handler.banner = "test server ready"
    logging.basicConfig(level=logging.WARNING)
    server = FTPServer(("127.0.0.1", 0), handler)
    print(f"port={server.socket.getsockname()[1]}", flush=True)

    def end_with_input():
        sys.stdin.read()
        server.close_all()

    threading.Thread(target=end_with_input, daemon=True).start()
    try:
        server.serve_forever(timeout=0.2, blocking=True, handle_exit=True)
    except (OSError, ValueError):
        pass


if __name__ == "__main__":
    main()
