#!/usr/bin/env bash
# A program's manual page from its own --help and --version (help2man), with the
# sections of the include files, gzipped (cmake/TarvexManual.cmake):
#   man_page.sh PROGRAM NAME_LINE OUTPUT.1.gz [--commands] INCLUDE.h2m...
# --commands adds the section COMMANDS: each command of the help's "Commands:" table
# with its usage, its text and its options, from PROGRAM COMMAND --help. The help names
# the settings file this very executable would use, a path in the build folder; the
# page points to its FILES section instead.
set -euo pipefail
program=$1 name=$2 output=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
includes=()
if [ "${1:-}" = --commands ]; then
  shift
  {
    echo "[COMMANDS]"
    "$program" --help | sed -n '/^Commands:$/,/^$/{s/^  \(.*[^ ]\)  .*/\1/p}' | while read -r -a command; do
      # Usage line -> subsection; text -> paragraph; "  --opt V   text" -> tagged paragraph.
      "$program" "${command[@]}" --help | sed -e 's/\\/\\e/g' -e 's/^[.'\'']/\\\&&/' | awk '
        NR == 1 { sub(/^Usage: [^ ]+ \[--port PORT\] \[--baud BAUD\] /, ""); gsub(/-/, "\\-"); print ".SS \"" $0 "\""; next }
        /^$/ { pending = 1; next }
        /^Options:$/ { options = 1; next }
        options && /^  -/ {
          line = substr($0, 3); split(line, parts, /  +/); head = parts[1]
          text = substr(line, length(head) + 1); sub(/^ +/, "", text)
          gsub(/-/, "\\-", head); sub(/ /, "\\fR ", head)
          print ".TP"; print "\\fB" head (head ~ /\\fR/ ? "" : "\\fR"); print text; next
        }
        { sub(/^ +/, ""); gsub(/-/, "\\-"); if (pending) print ".PP"; pending = 0; print }'
    done
  } >"$work/commands.h2m"
  includes+=(--include "$work/commands.h2m")
fi
for file in "$@"; do includes+=(--include "$file"); done
help2man --no-info --section 1 --name "$name" "${includes[@]}" "$program" >"$work/page.1"
sed -i '0,/^\.SH FILES/{/\/log\.log/c\
the settings file (see FILES)
}' "$work/page.1"
gzip -9n <"$work/page.1" >"$output"
