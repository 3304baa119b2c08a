#!/usr/bin/env bash
# Quintaro's one entry point for people and CI.
#   ./dev.sh run    install what is missing, build, start the program
#   ./dev.sh test   install what is missing, build, run every test headless
#   ./dev.sh bench  build and run the benchmarks (Release build)
#   ./dev.sh asan   build with AddressSanitizer + UBSan into build-asan, run every test there
#   ./dev.sh soak   long random play of every game (QUINTARO_RANDOMPLAY_ACTIONS, default 20000)
#   ./dev.sh fuzz   build the libFuzzer targets with clang into build-fuzz, run each 60 s
#   ./dev.sh benchtable  Release build, then this machine's table of start-up, paint and memory figures
set -euo pipefail
cd "$(dirname "$0")"

# Debian 12 packages for building and running (see README for what each is for).
PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-multimedia-dev qt6-svg-dev
  qt6-image-formats-plugins libgraphicsmagick++1-dev
  fonts-dejavu-core fonts-liberation
  libgtest-dev libbenchmark-dev xvfb xauth xdotool libx11-dev
  desktop-file-utils appstream
)

# Only for `./dev.sh fuzz`: clang and its libFuzzer runtime.
FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)

# Sanitizer settings of `./dev.sh asan` (also in CMakePresets.json's "asan" test preset).
export_sanitizer_options() {
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$PWD/tests/ubsan.supp"
  export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
}

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() { # build <dir> <cmake args...>
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j"$(nproc)"
}

cmd=${1:-run}
case "$cmd" in
  run)
    install_missing
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    exec ./build/quintaro
    ;;
  test)
    install_missing
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    ctest --test-dir build --output-on-failure -j"$(nproc)"
    ;;
  bench)
    install_missing
    build build-release -DCMAKE_BUILD_TYPE=Release
    for b in build-release/bench/bench_*; do
      [ -x "$b" ] && QT_QPA_PLATFORM=offscreen "$b"
    done
    ;;
  asan)
    install_missing
    build build-asan -DCMAKE_BUILD_TYPE=Debug -DQUINTARO_SANITIZE=ON -DQUINTARO_BUILD_BENCH=OFF
    export_sanitizer_options
    ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
    ;;
  soak)
    install_missing
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    QT_QPA_PLATFORM=offscreen QUINTARO_RANDOMPLAY_ACTIONS="${QUINTARO_RANDOMPLAY_ACTIONS:-20000}" \
      ./build/tests/tst_randomplay
    ;;
  fuzz)
    install_missing "${FUZZ_PACKAGES[@]}"
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
      -DQUINTARO_FUZZ=ON -DQUINTARO_BUILD_TESTS=OFF -DQUINTARO_BUILD_BENCH=OFF >/dev/null
    cmake --build build-fuzz -j"$(nproc)" --target fuzz_ini fuzz_picture
    export_sanitizer_options
    for t in ini picture; do
      mkdir -p "build-fuzz/corpus/$t" build-fuzz/crashes
      # New inputs go to build-fuzz/corpus; the committed seeds in fuzz/corpus are only read.
      "build-fuzz/fuzz/fuzz_$t" -max_total_time="${FUZZ_SECONDS:-60}" -max_len=4096 -rss_limit_mb=2048 \
        -artifact_prefix=build-fuzz/crashes/ "build-fuzz/corpus/$t" "fuzz/corpus/$t"
    done
    ;;
  benchtable)
    install_missing
    build build-release -DCMAKE_BUILD_TYPE=Release
    python3 tools/benchtable/benchtable.py build-release
    ;;
  *)
    echo "usage: $0 run|test|bench|asan|soak|fuzz|benchtable" >&2
    exit 2
    ;;
esac
