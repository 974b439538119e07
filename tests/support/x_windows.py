"""Windows of a program on a real X server, found and waited for through xdotool, for the tests
that drive the program from outside."""

import subprocess
import time


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=30)


def visible_windows():
    return set(xdotool("search", "--onlyvisible", "--name", "").stdout.split())


def find_window(name):
    """The first visible window whose title holds the name, or None."""
    ids = xdotool("search", "--onlyvisible", "--name", name).stdout.split()
    return ids[0] if ids else None


def wait_for(condition, timeout):
    """The condition's first true answer within the timeout (seconds), or None."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        found = condition()
        if found:
            return found
        time.sleep(0.1)
    return None


def wait_for_new_window(known, timeout=10.0):
    """A window mapped since the known ones were listed (a popup has no title to search by)."""
    return wait_for(lambda: max(visible_windows() - known, key=int, default=None), timeout)


def stop_program(program, server):
    """Ends the program (killed when it does not end within 20 s) and then its X server."""
    if program:
        program.terminate()
        try:
            program.wait(timeout=20)
        except subprocess.TimeoutExpired:
            program.kill()
    server.terminate()
    server.wait(timeout=20)
