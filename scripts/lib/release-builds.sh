# Sourced by the scripts: the Release builds that scripts/package packs (-j2), which the
# other scripts reuse rather than building the window once more. build_linux_release
# and build_windows_release (MinGW-w64) build the TARGETs given, or everything.
build_linux_release() {
  cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DTARVEX_BUILD_TESTS=OFF >/dev/null
  cmake --build build-package -j2 ${1:+--target "$@"}
}

build_windows_release() {
  cmake -S . -B build-package-windows --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release -DTARVEX_BUILD_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
  cmake --build build-package-windows -j2 ${1:+--target "$@"}
}
