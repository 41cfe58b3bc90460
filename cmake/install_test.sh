#!/usr/bin/env bash
# What an install lays out besides the executables, as the Debian package holds it:
# tarvex-cli's manual page (when help2man was there to make it), its bash completion,
# and the icon that the desktop entry names.
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
  grep -q '^\.TH TARVEX-CLI "1"' "$share/man/man1/tarvex-cli.1" || fail "no manual page tarvex-cli.1"
fi
desktop=$share/applications/tarvex.desktop
if [ -f "$desktop" ]; then
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  [ -n "$icon" ] || fail "the desktop entry names no icon"
  grep -q '<svg' "$share/icons/hicolor/scalable/apps/$icon.svg" || fail "no icon $icon.svg in the hicolor theme"
fi
