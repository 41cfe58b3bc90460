# Sourced by scripts/package: try_windows_installer SETUP EXE_FOLDER FOLDER tries the
# Windows packages (EXE_FOLDER: the unpacked zip) as a user would, under wine, in a prefix of its own made once
# (TARVEX_PACKAGE_WINEPREFIX, else ~/.cache/tarvex-wine-package) with wine's null
# graphics driver, so that no display is needed:
# - the resources of EXE_FOLDER's tarvex.exe and tarvex-cli.exe and of SETUP (wrestool):
#   the icon in every size of app/tarvex.ico, the version of project() and the licence's
#   copyright in the version details;
# - a silent install (/S) puts the files and the uninstaller into C:\Program Files\Tarvex,
#   the Start-menu entries "Tarvex" and "README" (a .txt file), and the uninstall entry
#   with its values as the system's list of installed apps reads them; the installer
#   chose Russian in a Russian session (and English in an English one below);
# - the same installer again with /CLIPATH and another folder upgrades the copy in its
#   folder and puts it on the PATH: a new command prompt runs tarvex-cli;
# - the installed tarvex.exe gets the close message its close button sends and ends with
#   status 0, its settings written;
# - the silent uninstall removes the folder, the entries, the PATH entry and every
#   registry key it made; over a PATH too long for the installer's strings, neither
#   changes it;
# - started without /S in a Russian session on the caller's virtual display ($display),
#   the installer's title is Russian and names the version.
# FOLDER takes the wine output; window holds the wine process while it runs, for the
# caller's clean-up; tried_windows is set to lines saying what was seen.
. scripts/lib/wine-prefix.sh

installer_fail() {
  echo "package: $*" >&2
  exit 1
}

# The graphics driver is written out as soon as it is chosen (the server writes the
# registry only when it ends by itself): a desktop started while the choice is only in
# the server's memory takes the driver on disk, and then no window shows where meant.
null_graphics() {
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
  timeout 60 wineserver -w
}

# For one run on the display: the X11 driver, its windows unmanaged (no window manager).
x11_graphics() {
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f >/dev/null
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
  timeout 60 wineserver -w
}

# The sizes of the icon group of a Windows executable, e.g. "16 20 24 32 40 48 64 256".
icon_sizes() {
  local ico
  ico=$(mktemp)
  wrestool -x -t14 "$1" >"$ico" 2>/dev/null
  icotool -l "$ico" 2>/dev/null | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | paste -sd ' '
  rm -f "$ico"
}

# The strings of a Windows executable's version details, one "Name=value" a line.
version_strings() {
  wrestool -x --raw -t16 "$1" | iconv -f UTF-16LE -t UTF-8 -c | tr -c '[:print:]' '\n' | grep -v '^.\?$' |
    awk 'prev != "" { print prev "=" $0; prev = ""; next } /^(ProductName|ProductVersion|FileVersion|LegalCopyright|OriginalFilename|FileDescription)$/ { prev = $0 }'
}

check_resources() {  # FILE ORIGINAL_FILENAME (empty: not checked)
  local file=$1 original=$2 sizes details
  sizes=$(icon_sizes "$file")
  [ "$sizes" = "$icon_sizes" ] || installer_fail "$(basename "$file"): icon sizes '$sizes', app/tarvex.ico has '$icon_sizes'"
  details=$(version_strings "$file")
  for expected in "ProductName=Tarvex" "ProductVersion=$version" "FileVersion=$version" \
    "LegalCopyright=$copyright, MIT License" ${original:+"OriginalFilename=$original"}; do
    grep -qxF "$expected" <<<"$details" || installer_fail "$(basename "$file"): no $expected in its version details: $details"
  done
}

# The data of a registry value as `wine reg query` prints it ("REG_DWORD 0x1"), or nothing.
reg_value() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" '$1 == name { $1 = ""; sub(/^ +/, ""); print }'
}

try_windows_installer() {
  local setup=$1 exes=$2 out=$3/wine.log prefix=${TARVEX_PACKAGE_WINEPREFIX:-${HOME:-/tmp}/.cache/tarvex-wine-package}
  local version copyright icon_sizes
  version=$(sed -n 's/^project(Tarvex VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
  copyright=$(grep -m1 '^Copyright (c) ' LICENSE)
  icon_sizes=$(icotool -l app/tarvex.ico | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | paste -sd ' ')
  check_resources "$exes/tarvex.exe" tarvex.exe
  check_resources "$exes/tarvex-cli.exe" tarvex-cli.exe
  check_resources "$setup" ""

  # A try stopped half-way leaves an installation behind: start from a fresh prefix.
  [ -e "$prefix/drive_c/Program Files/Tarvex" ] && rm -rf "$prefix"
  use_wine_prefix "$prefix" null_graphics
  # A run stopped on the display below may have left the X11 driver chosen, and its
  # server running.
  wineserver -k 2>/dev/null || true
  null_graphics
  local folder="$WINEPREFIX/drive_c/Program Files/Tarvex"
  local menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tarvex"
  local key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvex'
  local environment='HKLM\System\CurrentControlSet\Control\Session Manager\Environment'
  local appdata
  appdata="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming"
  wineserver -p </dev/null >/dev/null 2>&1 || true  # one may be running already

  LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 wine "$setup" /S </dev/null >>"$out" 2>&1 || installer_fail "$setup /S ended with status $?"
  local file installed
  for file in tarvex.exe tarvex-cli.exe README.txt LICENSE.txt Uninstall.exe; do
    [ -f "$folder/$file" ] || installer_fail "no $file in C:\\Program Files\\Tarvex after $setup /S"
  done
  installed=$(ls "$folder" | paste -sd ' ')
  grep -q "^Copyright (c) " "$folder/LICENSE.txt" && grep -q "winpthreads" "$folder/LICENSE.txt" ||
    installer_fail "LICENSE.txt holds not the licence and the runtime's notices"
  check_resources "$folder/Uninstall.exe" ""
  grep -qaF 'C:\Program Files\Tarvex\tarvex.exe' "$menu/Tarvex.lnk" 2>/dev/null ||
    installer_fail "no Start-menu entry Tarvex for C:\\Program Files\\Tarvex\\tarvex.exe"
  grep -qaF 'C:\Program Files\Tarvex\README.txt' "$menu/README.lnk" 2>/dev/null ||
    installer_fail "no Start-menu entry README for C:\\Program Files\\Tarvex\\README.txt"
  local name expected got entry=""
  while IFS='|' read -r name expected; do
    got=$(reg_value "$key" "$name")
    [ "$got" = "$expected" ] || installer_fail "uninstall entry: $name is '$got', not '$expected'"
    entry+="$name=$got; "
  done <<EOF
DisplayName|REG_SZ Tarvex
DisplayVersion|REG_SZ $version
DisplayIcon|REG_SZ C:\\Program Files\\Tarvex\\tarvex.exe,0
InstallLocation|REG_SZ C:\\Program Files\\Tarvex
URLInfoAbout|REG_SZ C:\\Program Files\\Tarvex\\README.txt
UninstallString|REG_SZ "C:\\Program Files\\Tarvex\\Uninstall.exe"
NoModify|REG_DWORD 0x1
NoRepair|REG_DWORD 0x1
Language|REG_DWORD 0x419
EOF
  got=$(reg_value "$key" EstimatedSize)
  [[ $got =~ ^REG_DWORD\ 0x[0-9a-f]+$ ]] && (($(cut -d' ' -f2 <<<"$got") >= 1000)) ||
    installer_fail "uninstall entry: EstimatedSize is '$got', not the size in KB"
  entry+="EstimatedSize=$got"

  # Run again, in an English session, with another folder: the installed copy is
  # upgraded where it is.
  LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 wine "$setup" /S /CLIPATH '/D=C:\Elsewhere' </dev/null >>"$out" 2>&1 ||
    installer_fail "$setup /S /CLIPATH ended with status $?"
  [ "$(reg_value "$key" Language)" = "REG_DWORD 0x409" ] || installer_fail "the installer chose no English in an English session"
  [ -e "$WINEPREFIX/drive_c/Elsewhere" ] && installer_fail "the second install went to C:\\Elsewhere, not over the installed copy"
  [ "$(reg_value "$key" InstallLocation)" = 'REG_SZ C:\Program Files\Tarvex' ] || installer_fail "the upgrade moved the uninstall entry"
  reg_value "$environment" Path | grep -qiF ';C:\Program Files\Tarvex' || installer_fail "/CLIPATH: the folder is not on the PATH"
  local cli_version
  cli_version=$(wine cmd /c tarvex-cli --version </dev/null 2>>"$out" | tr -d '\r')
  [ "$cli_version" = "tarvex-cli $version" ] || installer_fail "a new command prompt runs no tarvex-cli from the PATH: '$cli_version'"

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
  # An installed tool keeps its settings in the user's folder, never beside itself.
  local settings='%APPDATA%\tarvex\log.log'
  [ -f "$folder/log.log" ] && installer_fail "the installed tarvex.exe wrote log.log beside itself"
  [ -f "$appdata/tarvex/log.log" ] || installer_fail "no $settings after the close"

  # The uninstaller goes on in a copy of itself, so that it can delete itself.
  wine "$folder/Uninstall.exe" /S </dev/null >>"$out" 2>&1 || installer_fail "Uninstall.exe /S ended with status $?"
  for _ in $(seq 100); do
    { [ -e "$folder" ] || [ -e "$menu" ]; } || break
    sleep 0.1
  done
  [ -e "$folder" ] && installer_fail "after Uninstall.exe /S, C:\\Program Files\\Tarvex holds: $(ls "$folder")"
  [ -e "$menu" ] && installer_fail "after Uninstall.exe /S, the Start menu holds: $(ls "$menu")"
  wine reg query "$key" >/dev/null 2>&1 && installer_fail "after Uninstall.exe /S, the uninstall entry is left"
  wine reg query 'HKLM\Software\Tarvex' >/dev/null 2>&1 && installer_fail "after Uninstall.exe /S, HKLM\\Software\\Tarvex is left"
  reg_value "$environment" Path | grep -qiF 'Tarvex' && installer_fail "after Uninstall.exe /S, the PATH still names the folder"
  # A PATH longer than the installer's strings is left as it is, not cut.
  local path long
  path=$(reg_value "$environment" Path | sed 's/^REG_[A-Z_]* //')
  long="$path$(printf ';C:\\Tools\\%s' $(seq 1000 1150))"
  wine reg add "$environment" /v Path /t REG_EXPAND_SZ /d "$long" /f >/dev/null
  wine "$setup" /S /CLIPATH </dev/null >>"$out" 2>&1 || installer_fail "$setup /S /CLIPATH ended with status $? over a long PATH"
  [ "$(reg_value "$environment" Path)" = "REG_EXPAND_SZ $long" ] || installer_fail "the installer changed a PATH of ${#long} characters"
  wine "$folder/Uninstall.exe" /S </dev/null >>"$out" 2>&1 || installer_fail "Uninstall.exe /S ended with status $?"
  for _ in $(seq 100); do [ -e "$folder" ] || break; sleep 0.1; done
  [ "$(reg_value "$environment" Path)" = "REG_EXPAND_SZ $long" ] || installer_fail "the uninstaller changed a PATH of ${#long} characters"
  wine reg add "$environment" /v Path /t REG_EXPAND_SZ /d "$path" /f >/dev/null

  # The installer's own window, on the display: the X11 driver for this run only (the
  # desktop process that holds the driver ends with the server).
  wineserver -k
  x11_graphics
  local title=""
  LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 DISPLAY=$display wine "$setup" </dev/null >>"$out" 2>&1 &
  window=$!
  for _ in $(seq 600); do
    title=$(DISPLAY=$display python3 scripts/lib/window-titles.py | grep -m1 "Tarvex" || true)
    [ -n "$title" ] && break
    sleep 0.1
  done
  wineserver -k
  wait "$window" 2>/dev/null || true
  window=""
  null_graphics
  [[ $title =~ ^"Установка Tarvex $version"\ *$ ]] || installer_fail "the installer's title in a Russian session: '$title'"

  tried_windows="resources (wrestool): tarvex.exe, tarvex-cli.exe, $(basename "$setup") and Uninstall.exe: icon $icon_sizes, version $version, $copyright
tried under wine: $(basename "$setup") /S in a Russian session
  C:\\Program Files\\Tarvex: $installed
  Start menu: Tarvex -> tarvex.exe, README -> README.txt, Uninstall
  uninstall entry: $entry
  again in an English session (Language=0x409) with /S /CLIPATH /D=C:\\Elsewhere: upgraded in C:\\Program Files\\Tarvex, on the PATH: cmd /c tarvex-cli --version -> $cli_version
  tarvex.exe started, sent WM_CLOSE: ended with status 0, settings in $settings
  Uninstall.exe /S: the folder, the Start-menu entries, the uninstall entry and the PATH entry are gone
  over a PATH of ${#long} characters, /S /CLIPATH and Uninstall.exe /S left it unchanged
  $(basename "$setup") on the display in a Russian session: titled '$title'"
}
