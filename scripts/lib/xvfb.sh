# Sourced by the scripts: start_xvfb FOLDER starts a virtual X display (1280x1024, 24
# bits; its number goes into FOLDER/display), sets xvfb to its process id and display
# to its name, and waits up to 10 s for it.
start_xvfb() {
  Xvfb -displayfd 3 -ac -nolisten tcp -screen 0 1280x1024x24 3>"$1/display" </dev/null >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$1/display" ] && break; sleep 0.1; done
  [ -s "$1/display" ] || { echo "$0: Xvfb did not start" >&2; return 1; }
  display=:$(cat "$1/display")
}
