#!/usr/bin/env bash
# LOG of 500 records over the network, against peers we did not write: raw TCP through
# socat in front of the simulator's pseudo-terminal, RFC 2217 through python3-serial's
# server in front of it, and raw TCP to the simulator listening itself. Each file must be
# the one read over the pseudo-terminal, byte for byte. Everything on 127.0.0.1, on
# free ports.
# Usage: network_peers_test.sh TARVEX_SIM TARVEX_CLI RFC2217_SERVER_ON_PTY
set -euo pipefail
sim=$1 cli=$2 server_on_pty=$3
rfc2217_server=/usr/share/doc/python3-serial/examples/rfc2217_server.py
run=$(mktemp -d)
peers=()
cleanup() {
  for pid in "${peers[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$run"
}
trap cleanup EXIT

await() {  # FILE PATTERN: up to 10 s for the peer's readiness line
  for _ in $(seq 100); do
    grep -q "$2" "$1" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "no '$2' in $1:" >&2
  cat "$1" >&2
  return 1
}

log500() {  # PORT FILE
  timeout 60 "$cli" --port "$1" log --last 500 --file "$2" </dev/null
  cmp "$run/pty.log" "$2"
  echo "$1: the file of the pseudo-terminal"
}

"$sim" --link "$run/tty" --records 600 >"$run/sim.out" 2>&1 &
peers+=($!)
"$sim" --listen 127.0.0.1:0 --records 600 >"$run/sim-tcp.out" 2>&1 &
peers+=($!)
await "$run/sim.out" '^ready '
await "$run/sim-tcp.out" '^ready '
timeout 60 "$cli" --port "$run/tty" log --last 500 --file "$run/pty.log" </dev/null
head -c 15 "$run/pty.log" | grep -q '^pointer = 600'

log500 "$(sed -n 's/^ready //p' "$run/sim-tcp.out")" "$run/sim-tcp.log"

# One peer on the terminal at a time: socat ends with its one connection.
socat -d -d TCP-LISTEN:0,bind=127.0.0.1 FILE:"$run/tty",rawer 2>"$run/socat.err" &
peers+=($!)
await "$run/socat.err" 'listening on'
log500 "tcp://127.0.0.1:$(sed -n 's/.*listening on .*:\([0-9]*\)$/\1/p' "$run/socat.err")" "$run/socat.log"
# socat must be gone before the next peer opens the terminal: a reader still on it
# would take the replies.
for _ in $(seq 100); do kill -0 "${peers[-1]}" 2>/dev/null || break; sleep 0.1; done

/usr/bin/python3 "$server_on_pty" "$rfc2217_server" "$run/tty" >"$run/rfc2217.out" 2>"$run/rfc2217.err" &
peers+=($!)
await "$run/rfc2217.out" '^listening '
log500 "rfc2217://127.0.0.1:$(sed -n 's/^listening //p' "$run/rfc2217.out")" "$run/rfc2217.log"
