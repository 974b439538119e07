#!/usr/bin/env python3
"""End-to-end test of zdtool login-check: the connection wizard's login check against the HTTPS
stub of the cloud service (tests/support/https_stub.py) and, for the device side, the zd2-sim
program on a loopback port, which answers the identity query that the upload carries."""

import json
import os
import socket
import sys
import tempfile

from zdtest_util import Simulator, check, run_zdtool

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from https_stub import Stub  # noqa: E402

ZDTOOL, ZD2SIM = sys.argv[1], sys.argv[2]
ADDRESS = "127.0.0.44"
TOKEN = "/api/token/get/"
UPLOAD = "/api/account/device/log/"
GRANTED = {"status": 200, "body": '{"access_token":"tok-9","token_type":"bearer"}'}


def answer(status, body):
    return {"status": status, "body": body}


def free_port(address):
    with socket.socket() as s:
        s.bind((address, 0))
        return s.getsockname()[1]


def write_settings(config, values):
    """Writes the settings store as the program keeps it: one [key] line, then "name"=sz:"text"
    lines (texts here hold no character that needs escaping)."""
    folder = os.path.join(config, "ZD-Zedo")
    os.makedirs(folder, exist_ok=True)
    lines = ["; ZD-Zedo per-user settings"]
    for key, named in values.items():
        lines.append(f"[{key}]")
        lines += [f'"{name}"=sz:"{text}"' for name, text in named.items()]
    with open(os.path.join(folder, "registry.txt"), "w", encoding="utf-8") as store:
        store.write("\n".join(lines) + "\n")


SERVERS = "Software\\Jovant\\ZD-Zedo\\Servers"
WIZARD = "Software\\Jovant\\DiVudodav\\Settings\\ConnWizard"


def main():
    with tempfile.TemporaryDirectory() as workdir:
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(workdir, "config"), QT_QPA_PLATFORM="offscreen")
        closed = f"https://127.0.0.1:{free_port('127.0.0.1')}"

        def zdtool(*args):
            return run_zdtool(ZDTOOL, env, "login-check", *args)

        def with_stub(name, scenario, trusted=True, email=""):
            folder = os.path.join(workdir, name)
            os.makedirs(folder)
            stub = Stub(folder, scenario)
            servers = {"CloudService": f"https://127.0.0.1:{stub.port}"}
            if trusted:
                servers["CloudCertificates"] = stub.cert
            write_settings(env["XDG_CONFIG_HOME"], {SERVERS: servers, WIZARD: {"Server Username": email}})
            return stub

        # No right asked: the check passes and the instrument hears nothing.
        write_settings(env["XDG_CONFIG_HOME"], {SERVERS: {"CloudService": closed}})
        transcript = os.path.join(workdir, "transcript.bin")
        with Simulator(ZD2SIM, env, "--tcp", f"{ADDRESS}:{free_port(ADDRESS)}", "--transcript", transcript) as sim:
            printed = zdtool("0", "--port", sim.port)
            check(printed == "result=pass\nflags=0x00\ncloud_email=\n", f"rights 0: {printed!r}")
        with open(transcript, "rb") as received:
            check(received.read() == b"", "rights 0 sent something to the instrument")

        # The Leeb probe signs in: the token request with the typed e-mail and password, then the
        # upload of the instrument's identity pairs with the token, both form-encoded.
        stub = with_stub("signed-in", {TOKEN: [GRANTED], UPLOAD: [answer(200, '{"status":"ok"}')]})
        with Simulator(ZD2SIM, env, "--tcp", f"{ADDRESS}:{free_port(ADDRESS)}") as sim:
            printed = zdtool("10", "--type", "17", "--port", sim.port, "--email", "a+b@x.org", "--password", "p&w")
        check(printed == "dialog=server-login\nresult=pass\nflags=0x16\ncloud_email=a+b@x.org\n",
              f"sign-in: {printed!r}")
        requests = stub.requests()
        check(len(requests) == 2, f"sign-in requests: {json.dumps(requests)}")
        token, upload = requests
        check(token["path"] == TOKEN and token["headers"]["content-type"] == "application/x-www-form-urlencoded",
              f"token request: {token}")
        check(token["body"] == "username=a%2Bb%40x.org&password=p%26w&grant_type=password&client_id=a%2Bb%40x.org",
              f"token body: {token['body']!r}")
        check(upload["path"] == UPLOAD and upload["headers"]["content-type"] == "application/x-www-form-urlencoded",
              f"upload request: {upload}")
        check(upload["headers"].get("authorization") == "Bearer tok-9", f"upload header: {upload['headers']}")
        check(upload["body"] == "device_name=ZD-2&app_version=1.6.2&serial_number=VN02-123-4567",
              f"upload body: {upload['body']!r}")
        stub.stop()

        # The remembered e-mail is what the dialog shows; the user keeps it.
        stub = with_stub("remembered", {TOKEN: [GRANTED], UPLOAD: [answer(200, "{}")]}, email="kept@x.org")
        printed = zdtool("10", "--type", "17", "--password", "pw")
        check(printed.endswith("result=pass\nflags=0x16\ncloud_email=kept@x.org\n"), f"remembered: {printed!r}")
        check(stub.requests()[0]["body"].startswith("username=kept%40x.org&"), "the remembered e-mail was not sent")
        stub.stop()

        failures = [
            ("unverified", {TOKEN: [GRANTED],
                            UPLOAD: [answer(400, '{"status":"error","code":"ErrorEmailNotVerified"}')]},
             "Login failed\\r\\n\\r\\nThe e-mail has not been verified yet"),
            ("escaped", {TOKEN: [answer(400, '{"status":"error","code":"X","error_description":"\\u0041\\u0042"}')]},
             "Login failed\\r\\n\\r\\nAB"),
            ("no-token", {TOKEN: [answer(200, '{"token_type":"bearer"}')]}, "Login failed"),
        ]
        for name, scenario, box in failures:
            stub = with_stub(name, scenario)
            printed = zdtool("10", "--type", "17", "--email", "me@x.org", "--password", "pw")
            check(printed == f"dialog=server-login\nbox=exclamation|{box}\nresult=fail\nflags=0x06\ncloud_email=\n",
                  f"{name}: {printed!r}")
            stub.stop()

        # A certificate nobody vouches for: no request gets through.
        stub = with_stub("untrusted", {TOKEN: [GRANTED]}, trusted=False)
        printed = zdtool("10", "--type", "17", "--email", "me@x.org", "--password", "pw", "--answer", "retry")
        check(printed == "dialog=server-login\n" + "box=exclamation|Login failed\\r\\n\\r\\nException occurred\n" * 2 +
              "result=fail\nflags=0x06\ncloud_email=\n", f"untrusted: {printed!r}")
        check(stub.requests() == [], "a request passed an untrusted certificate")
        stub.stop()
    print("ok")


main()
