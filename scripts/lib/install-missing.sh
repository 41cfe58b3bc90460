# Sourced by the scripts: install_missing PACKAGE... installs with apt-get what is
# not installed yet (no recommends), as root or through sudo.
install_missing() {
  local missing=() p as_root=""
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  [ "$(id -u)" -ne 0 ] && as_root="sudo"
  $as_root apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
