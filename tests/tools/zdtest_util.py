"""What the end-to-end tests of zdtool share: ending a test with a message, running zdtool,
the zd2-sim program, and measurement records laid out byte by byte."""

import atexit
import os
import shutil
import signal
import struct
import subprocess
import sys

RECORD_SIZE = 238


def check(condition, message):
    """Ends the test with the message when the condition does not hold."""
    if not condition:
        sys.exit(f"FAILED: {message}")


def thread_stacks(pid):
    """Every thread's stack of the process, from gdb where it is installed: what a hung run
    waits on."""
    if shutil.which("gdb") is None:
        return "(gdb is not installed: no stacks)"
    found = subprocess.run(["gdb", "-batch", "-p", str(pid), "-ex", "thread apply all bt"], capture_output=True,
                           text=True, timeout=120)
    return found.stdout + found.stderr


def run_zdtool(zdtool, env, *args, rc=0):
    """Runs zdtool and returns what it printed; ends the test when it exits with another code
    than rc (rc None: any failure will do). A run that does not end within two minutes is
    ended with what it printed and where each of its threads stood."""
    with subprocess.Popen([zdtool, *args], env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          text=True) as process:
        try:
            stdout, stderr = process.communicate(timeout=120)
        except subprocess.TimeoutExpired:
            stacks = thread_stacks(process.pid)
            process.kill()
            stdout, stderr = process.communicate()
            sys.exit(f"zdtool {' '.join(args)} did not end: {stdout}{stderr}\n{stacks}")
    result = subprocess.CompletedProcess(process.args, process.returncode, stdout, stderr)
    unexpected = result.returncode == 0 if rc is None else result.returncode != rc
    if unexpected:
        wanted = "a failure" if rc is None else rc
        sys.exit(f"zdtool {' '.join(args)} exited {result.returncode}, not {wanted}: {result.stdout}{result.stderr}")
    return result.stdout


# Simulators still running when a test ends early: ctest waits for every process that holds
# its output, so a forgotten simulator would hold the test until its time-out.
_running = set()


@atexit.register
def _stop_forgotten_simulators():
    for process in list(_running):
        process.kill()
        process.wait()


class Simulator:
    """A simulator process (zd2-sim or instrument-sim); it prints "port=..." once it serves its
    link."""

    def __init__(self, zd2sim, env, *args):
        self.process = subprocess.Popen([zd2sim, *args], env=env, stdout=subprocess.PIPE, text=True)
        _running.add(self.process)
        line = self.process.stdout.readline().strip()
        if not line.startswith("port="):
            sys.exit(f"zd2-sim did not start: {line!r}")
        self.port = line[5:]

    def stop(self):
        self.process.send_signal(signal.SIGTERM)
        self.process.wait(timeout=30)
        _running.discard(self.process)

    def __enter__(self):
        return self

    def __exit__(self, *error):
        self.stop()


class LoggedInstrument(Simulator):
    """instrument-sim of one type on a pseudo-terminal mapped to COM `com`, writing its log of
    everything received to a file of the work folder."""

    def __init__(self, instrument_sim, env, workdir, com, type_number, *options):
        self.log = os.path.join(workdir, f"instrument-{type_number}.log")
        super().__init__(instrument_sim, env, "--type", str(type_number), "--pty", "--com", str(com), "--log",
                         self.log, *options)

    def logged(self):
        """Stops the instrument and returns its log lines."""
        self.stop()
        with open(self.log) as f:
            return f.read().splitlines()


def measurement_record(slot, date, ident, unit, peak, tear_off, peak_index, modes):
    """One stored measurement, laid out as the instrument downloads it, with the fields the
    tests vary; date is (year, month, day, hour, minute, second), modes three (class, percent)
    pairs, and the peak stands again at sample peak_index of the curve."""
    raw = bytearray(RECORD_SIZE)
    struct.pack_into("<H", raw, 0, RECORD_SIZE)
    raw[4] = slot
    raw[5:11] = bytes([date[0] - 2000, *date[1:]])
    struct.pack_into("<I", raw, 11, ident)
    struct.pack_into("<HHBH", raw, 16, 1963, 150, unit, 16000)
    for i, (klass, percent) in enumerate(modes):
        raw[23 + i] = klass
        raw[26 + i] = percent
    struct.pack_into("<HHH", raw, 29, 5, peak, tear_off)
    struct.pack_into("<H", raw, 35 + 2 * peak_index, peak)
    struct.pack_into("<H", raw, 236, 148)
    return bytes(raw)
