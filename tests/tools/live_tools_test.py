"""zdtool live-decode: frames of each firmware band decoded from a file, damaged ones dropped."""
import os
import subprocess
import sys
import tempfile

ZDTOOL = sys.argv[1]

# Frames end at the next tag letter. From 1.4.8 on the second word carries the drive state in
# its top four bits and, with bit 11 set, the counter instead of the current; the third frame
# holds an 'X' and is dropped. Up to 1.3.2 the first word carries the state and the force in
# tens of N.
CASES = [
    ("1.4.8", b"a0BB80001b00103805c0X103805d",
     "sample=1 force=3000 current=1 counter=0 state=0\n"
     "sample=2 force=16 current=1 counter=5 state=3\n"
     "frames=2\n"),
    ("1.10.0", b"a0BB80001a",
     "sample=1 force=3000 current=1 counter=0 state=0\nframes=1\n"),
    ("1.3.2", b"a0BB80001a",
     "sample=1 force=30000 current=1 counter=0 state=0\nframes=1\n"),
    ("1.4.8", b"0BB80001a", "frames=0\n"),
]

failures = 0
with tempfile.TemporaryDirectory() as folder:
    path = os.path.join(folder, "stream.bin")
    for firmware, data, expected in CASES:
        with open(path, "wb") as f:
            f.write(data)
        result = subprocess.run([ZDTOOL, "live-decode", firmware, path], capture_output=True, text=True)
        if result.returncode != 0 or result.stdout != expected:
            print(f"{firmware} {data!r}: exit {result.returncode}, got\n{result.stdout}{result.stderr}"
                  f"expected\n{expected}")
            failures += 1
    missing = subprocess.run([ZDTOOL, "live-decode", "1.4.8", os.path.join(folder, "none.bin")],
                             capture_output=True, text=True)
    if missing.returncode == 0 or "none.bin" not in missing.stderr:
        print("a missing file must fail with its name")
        failures += 1
sys.exit(1 if failures else 0)
