#!/usr/bin/env bash
# The tables of log and archive --format, read back by Python's csv and json modules
# as a spreadsheet or a script would, against tarvex-sim.
#   table_export_test.sh TARVEX_CLI TARVEX_SIM
set -u
cli=$1
sim=$2
dir=$(mktemp -d)
coproc SIM { exec "$sim" --link "$dir/tty" --fault long:26:bad-packet-crc:after=310:count=1; }
trap 'kill "$SIM_PID" 2>/dev/null; wait "$SIM_PID" 2>/dev/null; rm -rf "$dir"' EXIT
read -t 10 -r ready <&"${SIM[0]}" || { echo "tarvex-sim did not start" >&2; exit 1; }
failed=0
fail() { echo "$*" >&2; failed=1; }
run() { "$cli" --port "$dir/tty" "$@"; }

run log --last 300 --format csv --file "$dir/events.csv" || fail "log --format csv --file: status $?"
run log --last 5 --format csv >"$dir/piped.csv" || fail "log --format csv: status $?"
TZ=Asia/Yekaterinburg run archive --last 30 --format jsonl >"$dir/archive.jsonl" || fail "archive --format jsonl: status $?"
python3 - "$dir" <<'PY' || failed=1
import csv, datetime, json, sys
d = sys.argv[1]
raw = open(f"{d}/events.csv", "rb").read()
assert raw.startswith(b"\xef\xbb\xbfindex,time,kind,text,line\r\n"), raw[:40]
rows = list(csv.DictReader(open(f"{d}/events.csv", encoding="utf-8-sig", newline="")))
assert [int(r["index"]) for r in rows] == list(range(300)), "one row per record, in order"
assert all(None not in r and len(r) == 5 for r in rows), "texts with commas and quotes stay in their field"
assert all(datetime.datetime.fromisoformat(r["time"]) for r in rows)
assert all(any("а" <= c <= "я" for c in r["text"].lower()) for r in rows), "Cyrillic intact"
assert any("\r\n" in r["text"] for r in rows), "a verbatim record keeps its break"
assert all(r["line"] == "" for r in rows), "no record of the simulator is shown oddly"
assert open(f"{d}/piped.csv", "rb").read().startswith(b"index,"), "no byte-order mark on a pipe"
objects = [json.loads(line) for line in open(f"{d}/archive.jsonl", encoding="utf-8")]
assert [o["index"] for o in objects] == list(range(570, 600)), objects[0]
assert all(datetime.datetime.fromisoformat(o["time"]).utcoffset() == datetime.timedelta(hours=5) for o in objects)
assert all(isinstance(o["value"], float) and o["line"] is None for o in objects)
PY

# The file rule of --file: a failed run keeps its rows in PATH.partial.
echo "last night's export" >"$dir/night.csv"
run log --last 20 --format csv --file "$dir/night.csv" 2>"$dir/err"
status=$?
[ $status -eq 1 ] || fail "a failed read: status $status"
grep -q "night.csv.partial keeps what was read" "$dir/err" || fail "a failed read: $(cat "$dir/err")"
[ "$(cat "$dir/night.csv")" = "last night's export" ] || fail "a failed read spoilt the earlier file"
[ "$(grep -c '^2[0-9][0-9],' "$dir/night.csv.partial")" -ge 5 ] || fail "the rows read are not kept"
run archive --last 3 --format jsonl --file /dev/full 2>"$dir/err"
status=$?
[ $status -eq 4 ] || fail "a file that cannot be written: status $status"
grep -q "0 of 3 records reached it" "$dir/err" || fail "a file that cannot be written: $(cat "$dir/err")"
exit $failed
