# Sourced by scripts/package: try_windows_installer SETUP FOLDER tries the installer
# under wine as a user would, in a prefix of its own made once
# (~/.cache/tarvex-wine-package) with wine's null graphics driver, so that no display is
# needed: a silent install (/S) puts the three files and the uninstaller into
# C:\Program Files\Tarvex and the Start-menu entry "Tarvex" for tarvex.exe; the
# installed tarvex.exe gets the close message its close button sends and ends with
# status 0, its settings written; the silent uninstall removes the folder and the entry.
# FOLDER takes the wine output; window holds the wine process while it runs, for the
# caller's clean-up; tried_windows is set to lines saying what was seen.
. scripts/lib/wine-prefix.sh

installer_fail() {
  echo "package: $*" >&2
  exit 1
}

null_graphics() { wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null; }

try_windows_installer() {
  local setup=$1 out=$2/wine.log prefix=${HOME:-/tmp}/.cache/tarvex-wine-package
  # A try stopped half-way leaves an installation behind: start from a fresh prefix.
  [ -e "$prefix/drive_c/Program Files/Tarvex" ] && rm -rf "$prefix"
  use_wine_prefix "$prefix" null_graphics
  local folder="$WINEPREFIX/drive_c/Program Files/Tarvex"
  local menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tarvex"
  local appdata
  appdata="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming"
  wineserver -p </dev/null >/dev/null 2>&1 || true  # one may be running already

  wine "$setup" /S </dev/null >>"$out" 2>&1 || installer_fail "$setup /S ended with status $?"
  local file installed
  for file in tarvex.exe tarvex-cli.exe README.md Uninstall.exe; do
    [ -f "$folder/$file" ] || installer_fail "no $file in C:\\Program Files\\Tarvex after $setup /S"
  done
  installed=$(ls "$folder" | paste -sd ' ')
  grep -qaF 'C:\Program Files\Tarvex\tarvex.exe' "$menu/Tarvex.lnk" 2>/dev/null ||
    installer_fail "no Start-menu entry Tarvex for C:\\Program Files\\Tarvex\\tarvex.exe"

  # taskkill without /F posts WM_CLOSE to the process's windows. It fails until they
  # exist, and a close that comes before the window logic is connected to them is lost:
  # it is repeated until the process has ended.
  wine "$folder/tarvex.exe" </dev/null >>"$out" 2>&1 &
  window=$!
  for _ in $(seq 40); do
    kill -0 "$window" 2>/dev/null || break
    wine taskkill /IM tarvex.exe >>"$out" 2>&1 || true
    sleep 0.2
  done
  kill -0 "$window" 2>/dev/null && installer_fail "tarvex.exe did not end after WM_CLOSE"
  local status=0
  wait "$window" || status=$?
  window=""
  [ "$status" -eq 0 ] || installer_fail "tarvex.exe ended with status $status after WM_CLOSE: $(cat "$out")"
  local settings='C:\Program Files\Tarvex\log.log'
  if [ ! -f "$folder/log.log" ]; then
    settings='%APPDATA%\tarvex\log.log'
    [ -f "$appdata/tarvex/log.log" ] || installer_fail "no log.log beside tarvex.exe nor in $settings after the close"
  fi

  # The uninstaller goes on in a copy of itself, so that it can delete itself.
  wine "$folder/Uninstall.exe" /S </dev/null >>"$out" 2>&1 || installer_fail "Uninstall.exe /S ended with status $?"
  for _ in $(seq 100); do
    { [ -e "$folder" ] || [ -e "$menu" ]; } || break
    sleep 0.1
  done
  [ -e "$folder" ] && installer_fail "after Uninstall.exe /S, C:\\Program Files\\Tarvex holds: $(ls "$folder")"
  [ -e "$menu" ] && installer_fail "after Uninstall.exe /S, the Start menu holds: $(ls "$menu")"
  tried_windows="tried under wine: $(basename "$setup") /S
  C:\\Program Files\\Tarvex: $installed
  Start menu: Tarvex -> C:\\Program Files\\Tarvex\\tarvex.exe
  tarvex.exe started, sent WM_CLOSE: ended with status 0, settings in $settings
  Uninstall.exe /S: the folder and the Start-menu entry are gone"
}
