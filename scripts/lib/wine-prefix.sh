# Sourced by the scripts: use_wine_prefix DIR COMMAND... exports the wine settings for
# the 64-bit prefix DIR. A missing prefix is made first (about 11 s, once) and tuned by
# COMMAND, which runs with WINEPREFIX set; it is made beside DIR and moved there when
# done, so a run stopped half-way leaves no half-made prefix behind.
use_wine_prefix() {
  local dir=$1
  shift
  export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$dir/system.reg" ]; then
    export WINEPREFIX=$dir.new
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$dir")"
    timeout 300 wineboot -i </dev/null >/dev/null 2>&1
    "$@"
    timeout 60 wineserver -w
    rm -rf "$dir"
    mv "$WINEPREFIX" "$dir"
  fi
  export WINEPREFIX=$dir
}
