"""End-to-end tests of the update commands of zdtool against a local FTP server: the folder
listing of the update-server connection."""

import os
import socket
import subprocess
import sys
import tempfile

from zdtest_util import check, run_zdtool

FTP_SERVER = os.path.join(os.path.dirname(__file__), "..", "support", "ftp_server.py")


class FtpServer:
    """tests/support/ftp_server.py under the system interpreter, which has pyftpdlib."""

    def __init__(self, root, *cuts):
        args = ["/usr/bin/python3", FTP_SERVER, "--root", root]
        for cut in cuts:
            args += ["--cut", cut]
        self.process = subprocess.Popen(args, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        line = self.process.stdout.readline().strip()
        if not line.startswith("port="):
            sys.exit(f"the FTP server did not start: {line!r}")
        self.address = "127.0.0.1:" + line[5:]

    def __enter__(self):
        return self

    def __exit__(self, *error):
        self.process.stdin.close()
        self.process.terminate()
        self.process.wait(timeout=30)


def closed_address():
    """A loopback port just bound and released, where nothing listens."""
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return f"127.0.0.1:{probe.getsockname()[1]}"


def write_file(root, path, data):
    full = os.path.join(root, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as out:
        out.write(data)


def name_update_server(config, address):
    folder = os.path.join(config, "ZD-Zedo")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "registry.txt"), "w") as out:
        out.write("[Software\\Jovant\\ZD-Zedo\\Servers]\n")
        out.write(f'"UpdateServer"=sz:"{address}"\n')


def test_ftp_list(zdtool, env, work):
    root = os.path.join(work, "ftp")
    write_file(root, "DiVudodav/ZD-Zedo/ZD-Zedo_V_1_9_0_0.exe", b"x" * 1234)
    write_file(root, "DiVudodav/ZD-Zedo/ZD-Zedo.txt", b"minversion: 1.0\n")
    write_file(root, "DiVudodav/0000000c/X-V1.7.0_FW.lod", b"fw")
    write_file(root, "DiVudodav/0000000c/notes.txt", b"n")
    with FtpServer(root) as server:
        name_update_server(env["XDG_CONFIG_HOME"], server.address)
        out = run_zdtool(zdtool, env, "ftp-list", "")
        lines = out.splitlines()
        check(lines[0] == "folder=./DiVudodav/ZD-Zedo/", out)
        check(sorted(lines[1:]) == ["file=ZD-Zedo.txt size=16", "file=ZD-Zedo_V_1_9_0_0.exe size=1234"], out)
        out = run_zdtool(zdtool, env, "ftp-list", "0000000c", "*.lod")
        check(out == "folder=./DiVudodav/0000000c/\nfile=X-V1.7.0_FW.lod size=2\n", out)
        out = run_zdtool(zdtool, env, "ftp-list", "missing", rc=1)
        check("Directory (./DiVudodav/missing/) not found on the FTP server!" in out, out)
    name_update_server(env["XDG_CONFIG_HOME"], closed_address())
    out = run_zdtool(zdtool, env, "ftp-list", "", rc=1)
    check("(Error 12029)" in out, out)


def main():
    zdtool = sys.argv[1]
    with tempfile.TemporaryDirectory() as work:
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(work, "config"), QT_QPA_PLATFORM="offscreen")
        test_ftp_list(zdtool, env, work)
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
