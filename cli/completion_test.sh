#!/usr/bin/env bash
# The bash completion offers tarvex-cli's commands, a group's second words, a command's
# options, files where a file goes and the serial devices present after --port.
#   completion_test.sh COMPLETION_SCRIPT TARVEX_CLI
set -u
export LC_ALL=C
. "$1"
cli=$2
cd "$(mktemp -d)" || exit 1
trap 'rm -rf "$PWD"' EXIT
touch events.log settings.cfg
mkdir -p dev/serial/by-id
touch dev/ttyS0 dev/ttyS1 dev/ttyUSB0 dev/ttyACM0 dev/serial/by-id/usb-adapter-port0 dev/tty0
_tarvex_cli_dev=$PWD/dev
failed=0

# Completes the last of the words typed after the program's name.
offers() {
  COMP_WORDS=("$cli" "$@")
  COMP_CWORD=$#
  COMPREPLY=()
  _tarvex_cli
  [ ${#COMPREPLY[@]} -eq 0 ] || printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}

expect() {  # EXPECTED WORDS...
  local expected=$1 got
  shift
  got=$(offers "$@")
  if [ "$got" != "$expected" ]; then
    echo "tarvex-cli $*<TAB>: offered '$got', expected '$expected'" >&2
    failed=1
  fi
}

expect "log log-clear log-count log-pointer " lo
expect "config " con
expect "read set-test test write " config ""
expect "--last " --port ttyUSB0 log --la
expect "--index " log --last 5 --i
expect "events.log " log --file ev
expect "settings.cfg " config write s
expect "" log --last ""
d=$_tarvex_cli_dev
expect "$d/serial/by-id/usb-adapter-port0 $d/ttyACM0 $d/ttyS0 $d/ttyS1 $d/ttyUSB0 1 2 " --port ""
exit $failed
