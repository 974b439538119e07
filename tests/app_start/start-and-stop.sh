#!/usr/bin/env bash
# start-and-stop.sh PROGRAM SIGNAL: starts the program, waits until it listens for termination
# signals (its handler is installed), sends the signal and expects exit code 0.
set -u
program=$1
signal=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export XDG_CONFIG_HOME=$dir/config XDG_DATA_HOME=$dir/data
cd "$dir"

"$program" &
pid=$!

# The program catches the signal once the bit of that signal (numbered from 1) is set in the
# caught-signals mask of its status; a pipe or thread seen earlier may come before the handler.
catches_signal() {
  local number mask
  number=$(kill -l "$signal") || return 1
  mask=$(awk '/^SigCgt:/ { print $2 }' /proc/"$pid"/status 2>/dev/null) || return 1
  [ -n "$mask" ] && (((16#$mask >> (number - 1)) & 1))
}

for _ in $(seq 1 400); do
  catches_signal && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
if ! kill -0 "$pid" 2>/dev/null; then
  wait "$pid"
  echo "the program ended by itself with exit code $?" >&2
  exit 1
fi
kill -"$signal" "$pid"
wait "$pid"
code=$?
if [ "$code" -ne 0 ]; then
  echo "the program ended with exit code $code after SIG$signal" >&2
  exit 1
fi
