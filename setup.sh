#!/usr/bin/env bash
# Installs what is missing on a Debian machine, builds, and then either starts
# the program (run), runs every test (test) or runs the benchmarks (bench).
set -euo pipefail
cd "$(dirname "$0")"
mode=${1:-run}
[ $# -gt 0 ] && shift

packages=(cmake ninja-build g++ ccache pkg-config qt6-base-dev libgcab-dev
          libgtest-dev libgmock-dev libbenchmark-dev xdg-utils fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

# Cache hits across clones in other folders.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true

case "$mode" in
  run)
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRTAL_TESTS=OFF >/dev/null
    cmake --build build --target mirtal
    exec build/mirtal "$@"
    ;;
  test)
    cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
          -DMIRTAL_WERROR=ON >/dev/null
    cmake --build build-test
    ctest --test-dir build-test --output-on-failure -j2
    # The same tests under the address and undefined-behaviour sanitizers.
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMIRTAL_WERROR=ON \
          -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1 -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined" \
          -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
    cmake --build build-asan
    ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan --output-on-failure -j2
    ;;
  bench)
    cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMIRTAL_TESTS=OFF -DMIRTAL_BENCH=ON >/dev/null
    cmake --build build-bench
    for b in build-bench/bench/bench_*; do QT_QPA_PLATFORM=offscreen "$b" "$@"; done
    ;;
  *)
    echo "usage: setup.sh run|test|bench" >&2
    exit 2
    ;;
esac
