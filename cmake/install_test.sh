#!/usr/bin/env bash
# What an install lays out besides the executables, as the Debian package holds it:
# the manual pages (when help2man was there to make them), tarvex-cli's bash completion,
# the icon that the desktop entry names, the copyright file and the changelog.
#   install_test.sh BUILD_FOLDER
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
fail() {
  echo "install: $*" >&2
  exit 1
}
share=$prefix/share
[ -s "$share/bash-completion/completions/tarvex-cli" ] || fail "no bash completion for tarvex-cli"
if command -v help2man >/dev/null; then
  for program in tarvex tarvex-cli tarvex-sim; do
    page=$share/man/man1/$program.1.gz
    # The window is built only where Qt is.
    [ "$program" = tarvex ] && [ ! -f "$share/applications/tarvex.desktop" ] && continue
    # Read whole before grep -q: with pipefail, a writer cut off by grep's early exit fails the pipe.
    text=$(zcat "$page" 2>/dev/null) || fail "no manual page $program.1.gz"
    grep -q "^\.TH ${program^^} \"1\"" <<<"$text" || fail "no manual page $program.1.gz"
    for section in FILES '"EXIT STATUS"' '"SEE ALSO"'; do
      [ "$program" = tarvex-sim ] && [ "$section" = FILES ] && continue
      grep -q "^\.SH $section" <<<"$text" || fail "no section $section in $program.1.gz"
    done
  done
  commands=$(zcat "$share/man/man1/tarvex-cli.1.gz" | sed -n '/^\.SH COMMANDS/,$p')
  grep -q '^\\fB\\-\\-last\\fR N' <<<"$commands" ||
    fail "no options of the commands in tarvex-cli.1.gz"
fi
doc=$share/doc/tarvex
grep -q '^License: Expat' "$doc/copyright" || fail "no copyright file"
changelog=$(zcat "$doc/changelog.gz")
grep -q '^tarvex (' <<<"${changelog%%$'\n'*}" || fail "no changelog.gz"
desktop=$share/applications/tarvex.desktop
if [ -f "$desktop" ]; then
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  [ -n "$icon" ] || fail "the desktop entry names no icon"
  grep -q '<svg' "$share/icons/hicolor/scalable/apps/$icon.svg" || fail "no icon $icon.svg in the hicolor theme"
fi
