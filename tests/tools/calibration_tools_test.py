"""zdtool cal-compute: a calibration computed from a table of step measurements, its results
and its report, with the expected texts worked out by hand; zdtool cal-restore: the restore
dialog against zd2-sim on a pseudo-terminal mapped to a COM port."""

import os
import re
import struct
import sys
import tempfile

from zdtest_util import Simulator, check, run_zdtool

COM = 23
IDENTITY = ["--identity", "ZD-2;B2;VN03-123-4567;0C000102;1.6.3"]


def memory_image(step_force, slope, offset, date, calibrator, lifetime, calibrations, valid=True):
    """The information memory 0x1000 to 0x10BF as the instrument lays it out: segment 1 the
    validity identifier, the date, the step force, twenty slopes and the calibrator; segment 2
    unused; segment 3 the counters and twenty offsets; erased bytes 0xFF."""
    image = bytearray(b"\xff" * 192)
    if valid:
        image[0:4] = bytes([0xC3, 0x3C, 0xA5, 0xA5])
    image[4:4 + len(date)] = date.encode()
    struct.pack_into("<H", image, 0x10, step_force)
    for step in range(20):
        struct.pack_into("<H", image, 0x12 + 2 * step, slope)
    image[0x3A:0x3E] = calibrator.encode()
    struct.pack_into("<II", image, 0x80, lifetime, calibrations)
    for step in range(20):
        struct.pack_into("<h", image, 0x88 + 2 * step, offset)
    return bytes(image)


def table(reference_of, cycles=3, steps=20, skip=None):
    """CYCLE;INSTRUMENT;REFERENCE;CURRENT;COUNTER lines: instrument 100, 200, ... N, the
    reference as reference_of(cycle, step, instrument) gives it, current 300 + step, counter
    10 x step; skip (cycle, step) leaves that step out."""
    lines = []
    for cycle in range(1, cycles + 1):
        for step in range(1, steps + 1):
            if (cycle, step) == skip:
                continue
            instrument = 100 * step
            lines.append(f"{cycle};{instrument};{reference_of(cycle, step, instrument)};{300 + step};{10 * step}")
    return "\n".join(lines) + "\n"


def write(folder, name, text):
    path = os.path.join(folder, name)
    with open(path, "w") as f:
        f.write(text)
    return path


def restore(zdtool, zd2sim, env, folder, action, *options, rc=0):
    """zdtool cal-restore against a fresh zd2-sim; the printed facts (log lines and boxes as
    lists) and the memory the simulator held when it stopped."""
    saved = os.path.join(folder, "saved.bin")
    sim = Simulator(zd2sim, env, "--pty", "--com", str(COM), *IDENTITY, "--save-memory", saved, *options)
    try:
        printed = run_zdtool(zdtool, env, "cal-restore", str(COM), action, rc=rc)
    finally:
        sim.stop()
    lines = printed.splitlines()
    facts = dict(line.split("=", 1) for line in lines if not line.startswith(("log=", "message=")))
    facts["log"] = [line[4:] for line in lines if line.startswith("log=")]
    facts["message"] = [line[8:] for line in lines if line.startswith("message=")]
    with open(saved, "rb") as f:
        return facts, f.read()


def check_restore(zdtool, zd2sim, env, folder):
    # The simulator's default calibration of a 25 kN model: step force 25000 / 20 = 1250, slopes
    # 1.0, offsets 0, counters 0x12345678 and 0xDEADBEEF.
    default = memory_image(1250, 10000, 0, "2026-11-05", "CAL7", 0x12345678, 0xDEADBEEF)
    factory = memory_image(800, 10100, -3, "2020-01-02", "FACT", 0, 0)
    factory_file = os.path.join(folder, "factory.bin")
    with open(factory_file, "wb") as f:
        f.write(factory)
    facts, memory = restore(zdtool, zd2sim, env, folder, "factory", "--factory-copy", factory_file)
    check(facts["log"] == ["1) ...Connecting ...", "2) ...Connected",
                           "3) Successfully restored the Factory Calibration."], f"factory: {facts['log']}")
    check(facts["message"] == ["Are you sure you want to restore Factory Calibration?"], f"{facts['message']}")
    expected = {"serial_number": "VN03-123-4567", "hardware_revision": "B2", "signature": "0C000102",
                "firmware_version": "1.6.3", "pcb_serial_number": "EN-2207", "calibration_date": "2026-11-05",
                "calibrator": "CAL7", "lifetime_counter": "305419896", "calibration_counter": "3735928559",
                "calibration_valid": "1", "factory_calibration_valid": "1", "last_used_calibration_valid": "1"}
    for name, value in expected.items():
        check(facts.get(name) == value, f"factory: {name}={facts.get(name)!r}, not {value!r}")
    # Segment 1 and the offsets come from the copy, the counters stay.
    check(memory[:64] == factory[:64] and memory[0x88:0xB0] == factory[0x88:0xB0], "the factory copy restored")
    check(memory[0x80:0x88] == default[0x80:0x88], "the counters are never restored")
    check(memory[0x40:0x80] == b"\xff" * 64, "segment 2 unused")

    facts, memory = restore(zdtool, zd2sim, env, folder, "last-used", "--last-used-copy", "none", rc=1)
    check(facts["log"][-1] == "3) Failed to restore the Last Used Calibration because a valid calibration was "
                              "not available.", f"no last-used copy: {facts['log']}")
    check(facts["last_used_calibration_valid"] == "0", "no last-used copy at connection")
    check(memory == default, "nothing restored")

    # Each unanswered command waits its whole time-out, which a fast clock no longer shortens,
    # while the connection's limit around the queries at connection would shrink: at the real
    # pace the limit outlasts them, as with an instrument.
    facts, _ = restore(zdtool, zd2sim, dict(env, ZD_TIME_SCALE="1"), folder, "factory", "--fault", "raw-silence",
                       rc=1)
    check(facts["log"][-1] == "3) Failed to restore the Factory Calibration.", f"silence: {facts['log']}")
    check(facts["calibration_valid"] == "0", "an unanswered validity query counts as not valid")

    facts, _ = restore(zdtool, zd2sim, env, folder, "info")
    log = facts["log"]
    check(log[:5] == ["1) ......##############################", "2) ......######## SHOW INFOMEM ########",
                      "3) ...Connecting ...", "4) ...Connected", "5) ...Infomem Raw Data"], f"info: {log[:5]}")
    raw = log[5:52]
    check(len(log) == 5 + 47 + 1 + 24, f"47 raw and 24 decoded lines: {len(log)}")
    # 0x3CC3 = 15555; 0x2710 = 10000; 0x5678 = 22136; 0xBEEF = 48879, as a signed word -16657.
    for index, line in ((0, "6) ......CALID_LB  Addr:0x1000  Value:[15555  15555  0x3CC3]"),
                        (2, "8) ......CAL_STEP_FORCE  Addr:0x1010  Value:[1250  1250  0x4E2]"),
                        (3, "9) ......CAL_SLOPE  Addr:0x1012  Value:[10000  10000  0x2710]"),
                        (23, "29) ......LIFE_CNT_LB  Addr:0x1080  Value:[22136  22136  0x5678]"),
                        (25, "31) ......CALIB_CNT_LB  Addr:0x1084  Value:[48879  -16657  0xBEEF]"),
                        (46, "52) ......CAL_OFFSET  Addr:0x10ae  Value:[0  0  0x0]")):
        check(raw[index] == line, f"raw line {index}: {raw[index]!r}")
    check(log[52] == "53) ...Parameter Data", f"{log[52]!r}")
    decoded = log[53:]
    check(decoded[:4] == ["54) ......CAL_ID: 0xA5A53CC3", "55) ......LIFE COUNTER: 305419896",
                          "56) ......CAL COUNTER: 3735928559", "57) ......CAL STEP_SIZE: 1250"], f"{decoded[:4]}")
    check(decoded[4] == "58) ......CAL_SLOPE 1:  1.00000   CAL_OFFSET 1:      0", f"{decoded[4]!r}")
    check(decoded[23] == "77) ......CAL_SLOPE 20:  1.00000   CAL_OFFSET 20:      0", f"{decoded[23]!r}")

    # Exit keeps the port for the next opening.
    settings = run_zdtool(zdtool, env, "settings", "get", "Software\\Jovant\\ZD-Zedo\\Settings")
    check(f"VexaPortNum=dword:{COM}\n" in settings, f"the port kept: {settings!r}")


def main():
    zdtool, zd2sim = sys.argv[1], sys.argv[2]
    env = dict(os.environ)
    with tempfile.TemporaryDirectory() as folder:
        env["XDG_CONFIG_HOME"] = folder
        one_percent = lambda cycle, step, instrument: instrument * 101 // 100
        report = os.path.join(folder, "report.txt")
        printed = run_zdtool(zdtool, env, "cal-compute", write(folder, "good.txt", table(one_percent)),
                             "--report", report)
        lines = printed.splitlines()
        check(lines[0] == "result=0x0000", f"result: {lines[0]!r}")
        check(len(lines) == 21, f"one line per mean: {printed!r}")
        # Means 100 k against 101 k: slope 1.01 from one mean to the next, offset 0.
        for k in range(1, 21):
            pattern = (rf"step={k} instrument={100 * k} reference={101 * k} current={300 + k} counter={10 * k} "
                       rf"valid=1 slope=1\.01000 offset=-?0\.0 slope_word=10100 offset_word=0")
            check(re.fullmatch(pattern, lines[k]), f"mean {k}: {lines[k]!r}")

        with open(report, "rb") as f:
            text = f.read().decode("utf-8")
        header = "Step \vTargetForce \vZD-2Force \vRefForce \v%DR-Err \v%FS-Err \vCurrent \vCounter \vFailed\r\n"
        # Step 1: target min(25000, 1 x 1250); DR (100 - 101) x 100 / 101 = -0.99; FS -1 x 100 /
        # 25000 = -0.004.
        first = "   1 \v       1250 \v      100 \v      101 \v  -0.99 \v  -0.00 \v    301 \v     10 \v     0\r\n"
        for part in ("Class1 Requirements: \vNotRequired\r\n",
                     "<red>Cal Valid Write: \vFailed</red>\r\n",
                     "New Lifetime Counter: \v-1\r\n",
                     "Force \vSlope10k \vOffset\r\n 1250 \v   10100 \v     0\r\n 2500 \v   10100 \v     0\r\n",
                     "25000 \v   10100 \v     0\r\n\r\n",
                     "Measurement Before Calibration 1\r\n--------------------------------\r\nSteps: \v20\r\n"
                     + header + first,
                     "Measurement Before Calibration Average\r\nSteps: \v20\r\n" + header + first,
                     # Step 20: target 25000; DR -20 x 100 / 2020 = -0.990099; FS -20 x 100 / 25000.
                     "  20 \v      25000 \v     2000 \v     2020 \v  -0.99 \v  -0.08 \v    320 \v    200 \v     0\r\n"
                     "\r\n\r\nCertificate Data\r\n----------------\r\nSteps: \v0\r\n\r\n"
                     "<red>Final Result: FAILED</red>\r\n"):
            check(part in text, f"the report lacks {part!r}")
        check(text.endswith("<red>Final Result: FAILED</red>\r\n"), "the report ends with its verdict")

        # 19 steps in the second cycle: nothing is computed.
        printed = run_zdtool(zdtool, env, "cal-compute",
                             write(folder, "short.txt", table(one_percent, skip=(2, 20))), rc=1)
        check(printed.startswith("result=0x0002\nerror=ERROR: Failed to compute calibration values.\nstep=1 "
                                 "instrument=0 reference=0 current=0 counter=0 valid=0 slope=0.00000 offset=0.0 "
                                 "slope_word=0 offset_word=0\n"), f"short cycle: {printed!r}")

        # The third cycle's reference 4.5 % above the others' at step 5: 522 against a mean of
        # round(1522 / 3) = 507 deviates by 2.96 %, and the load rules fail; at step 2 (209 against
        # 203) they do not apply.
        def deviating(step_number):
            return lambda cycle, step, instrument: (
                instrument * 1045 // 1000 if (cycle, step) == (3, step_number) else instrument)
        for step_number, result in ((5, "0x0008"), (2, "0x0000")):
            printed = run_zdtool(zdtool, env, "cal-compute",
                                 write(folder, f"rule{step_number}.txt", table(deviating(step_number))),
                                 rc=0 if result == "0x0000" else 1)
            check(printed.startswith(f"result={result}\n"), f"deviation at step {step_number}: {printed!r}")
        check("error=ERROR: Failed load rules." in run_zdtool(zdtool, env, "cal-compute",
                                                               os.path.join(folder, "rule5.txt"), rc=1),
              "the load rules' error text")

        # A line of another form is refused.
        run_zdtool(zdtool, env, "cal-compute", write(folder, "bad.txt", "1;100;101;300\n"), rc=1)
        run_zdtool(zdtool, env, "cal-compute", rc=2)

        env["ZD_TIME_SCALE"] = "5"
        check_restore(zdtool, zd2sim, env, folder)
    print("calibration tools: all passed")


if __name__ == "__main__":
    main()
