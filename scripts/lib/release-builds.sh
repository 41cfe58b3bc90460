# Sourced by the scripts: the Release builds that scripts/package packs (-j2), which the
# other scripts reuse rather than building the window once more. build_linux_release
# and build_windows_release (MinGW-w64) build the TARGETs given, or everything.
# The Linux build takes the hardening flags that Debian's own packages are built with.
build_linux_release() {
  local flags="DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get"
  cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DTARVEX_BUILD_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="$(env $flags CPPFLAGS) $(env $flags CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(env $flags LDFLAGS)" >/dev/null
  cmake --build build-package -j2 ${1:+--target "$@"}
}

build_windows_release() {
  cmake -S . -B build-package-windows --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release -DTARVEX_BUILD_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
  cmake --build build-package-windows -j2 ${1:+--target "$@"}
}
