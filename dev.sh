#!/usr/bin/env bash
# Quintaro's one entry point for people and CI.
#   ./dev.sh run    install what is missing, build, start the program
#   ./dev.sh test   install what is missing, build, run every test headless
#   ./dev.sh bench  build and run the benchmarks (Release build)
set -euo pipefail
cd "$(dirname "$0")"

# Debian 12 packages for building and running (see README for what each is for).
PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-multimedia-dev qt6-svg-dev
  qt6-image-formats-plugins libgraphicsmagick++1-dev
  fonts-dejavu-core fonts-liberation
  libgtest-dev libbenchmark-dev xvfb xauth xdotool
)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
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
  *)
    echo "usage: $0 run|test|bench" >&2
    exit 2
    ;;
esac
