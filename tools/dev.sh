#!/usr/bin/env bash
# Set-up, build and run for Vaultrise on Debian 12.
#   tools/dev.sh play   install what is missing, build, start the game
#   tools/dev.sh test   install what is missing, build, run every test
#   tools/dev.sh coverage   line coverage of src/ by the tests (gcovr), per layer
#   tools/dev.sh package    the Debian package vaultrise_<version>_amd64.deb from build/, checked by lintian
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(build-essential cmake ninja-build pkg-config git
  libglfw3-dev libglm-dev libinih-dev libassimp-dev libfreetype-dev libstb-dev libgif-dev
  libgtest-dev libbullet-dev libepoxy-dev libcli11-dev libopenal-dev libsndfile1-dev libgl1-mesa-dri mesa-utils
  xvfb xauth xdotool x11-utils imagemagick sox python3 python3-fonttools
  clang-14 libfuzzer-14-dev libclang-rt-14-dev
  help2man groff man-db desktop-file-utils appstream dpkg-dev fakeroot file lintian)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

jobs=$(nproc)

build_game() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build build -j "$jobs"
}

case "${1:-}" in
  play)
    install_missing
    build_game -DVAULTRISE_TESTS=OFF
    exec ./build/vaultrise
    ;;
  test)
    install_missing
    build_game -DVAULTRISE_TESTS=ON
    status=0
    (cd build && ctest --output-on-failure -j "$jobs") || status=1
    # The simulation again, under AddressSanitizer and UndefinedBehaviorSanitizer.
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVAULTRISE_HEADLESS_ONLY=ON -DVAULTRISE_SANITIZE=ON
    cmake --build build-asan -j "$jobs" --target sim_tests
    (cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
       ctest --output-on-failure -j "$jobs") || status=1
    # The file readers' fuzz targets, a fixed few thousand inputs each (docs/fuzzing.md runs them for hours).
    CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DVAULTRISE_HEADLESS_ONLY=ON -DVAULTRISE_FUZZ=ON -DVAULTRISE_TOOLS=OFF
    cmake --build build-fuzz -j "$jobs"
    (cd build-fuzz && ctest --output-on-failure) || status=1
    exit $status
    ;;
  coverage)
    install_missing gcovr
    # From scratch: notes left by objects of an older layout make gcovr fail.
    rm -rf build-cov
    # Atomic counters: the solver, the decoders and the music run on threads, and
    # racing counter updates leave negative branch counts that gcovr cannot parse.
    cmake -S . -B build-cov -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVAULTRISE_TOOLS=OFF \
      "-DCMAKE_CXX_FLAGS=--coverage -fprofile-update=atomic" -DCMAKE_EXE_LINKER_FLAGS=--coverage
    cmake --build build-cov -j "$jobs"
    find build-cov -name '*.gcda' -delete
    (cd build-cov && ctest -j "$jobs" -LE assets) || true
    for layer in core sim render audio platform; do
      printf '%-9s' "$layer"
      gcovr --gcov-ignore-parse-errors -r . -f "src/$layer/" -e '.*/main\.cpp' build-cov 2>/dev/null | awk '/^TOTAL/ {print $2, "lines,", $3, "run,", $4}'
    done
    printf '%-9s' "all"
    gcovr --gcov-ignore-parse-errors -r . -f 'src/' build-cov 2>/dev/null | awk '/^TOTAL/ {print $2, "lines,", $3, "run,", $4}'
    ;;
  package)
    install_missing
    # The build folder as it is (tests or not), brought up to date: no second compile.
    [ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build -j "$jobs"
    (cd build && cpack -G DEB -B "$PWD/package" > package.log) || { cat build/package.log; exit 1; }
    deb=$(ls build/package/vaultrise_*.deb)
    mv -f "$deb" .
    deb=$(basename "$deb")
    echo "Built $deb"
    # Errors fail the command; warnings are shown (README, "Installing", says why each is kept).
    lintian --fail-on error "$deb" || exit 1
    echo "lintian: no errors"
    ;;
  *)
    echo "usage: tools/dev.sh play|test|coverage|package" >&2
    exit 2
    ;;
esac
