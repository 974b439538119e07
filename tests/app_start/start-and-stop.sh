#!/usr/bin/env bash
# start-and-stop.sh PROGRAM SIGNAL: starts the program, waits until it listens for termination
# signals (its signal pipe is open), sends the signal and expects exit code 0.
set -u
program=$1
signal=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export XDG_CONFIG_HOME=$dir/config XDG_DATA_HOME=$dir/data
cd "$dir"

"$program" &
pid=$!

has_own_pipe() {
  local fd
  for fd in /proc/"$pid"/fd/*; do
    case ${fd##*/} in 0 | 1 | 2) continue ;; esac
    [[ $(readlink "$fd" 2>/dev/null) == pipe:* ]] && return 0
  done
  return 1
}

for _ in $(seq 1 200); do
  has_own_pipe && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
if ! kill -0 "$pid" 2>/dev/null; then
  wait "$pid"
  echo "the program ended by itself with exit code $?" >&2
  exit 1
fi
sleep 0.2
kill -"$signal" "$pid"
wait "$pid"
code=$?
if [ "$code" -ne 0 ]; then
  echo "the program ended with exit code $code after SIG$signal" >&2
  exit 1
fi
