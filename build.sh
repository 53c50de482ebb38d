#!/usr/bin/env bash
# Koret Organizer: set-up, build, start and test in one place.
#
#   ./build.sh run        install what is missing, build, start the organizer
#   ./build.sh test       install what is missing, build, run the whole test suite
#   ./build.sh sanitize   the plain-C++ tests built with AddressSanitizer and UBSan
#   ./build.sh fuzz [s]   build the fuzz targets with clang and run each for s seconds (default 20)
#   ./build.sh bench      build and run the benchmarks
#   ./build.sh format     check that the C++ sources keep the layout of .clang-format
#   ./build.sh deps       only install the system packages
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(g++ clang libclang-rt-dev cmake ninja-build ccache clang-format libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev libgl-dev libasound2-dev libexpat1-dev fontconfig fonts-dejavu-core
          poppler-utils xvfb xauth python3 python3-dateutil iso-codes)
JOBS=$(nproc)

deps() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

configure() {  # configure <build dir> [cmake options...]
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DKORET_WERROR=ON "$@" >/dev/null
}

case "${1:-}" in
  deps)
    deps ;;
  run)
    deps
    configure build
    cmake --build build -j "$JOBS" --target koret
    exec build/program/koret ;;
  test)
    deps
    configure build
    cmake --build build -j "$JOBS"
    ctest --test-dir build --output-on-failure -j "$JOBS" ;;
  sanitize)
    deps
    configure build-sanitize -DKORET_WITH_QT=OFF -DKORET_SANITIZE=ON -DKORET_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
    cmake --build build-sanitize -j "$JOBS"
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --test-dir build-sanitize --output-on-failure -j "$JOBS" ;;
  fuzz)
    deps
    CC=clang CXX=clang++ configure build-fuzz -DKORET_WITH_QT=OFF -DKORET_TESTS=OFF -DKORET_BENCH=OFF \
      -DKORET_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
    cmake --build build-fuzz -j "$JOBS"
    seconds=${2:-20}
    for target in build-fuzz/fuzz/fuzz_*; do
      [ -x "$target" ] || continue
      name=$(basename "$target")
      corpus=build-fuzz/corpus/$name
      mkdir -p "$corpus"
      seeds=fuzz/seeds/${name#fuzz_}
      echo "== $name for ${seconds}s"
      "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        "$corpus" $( [ -d "$seeds" ] && echo "$seeds" ) 2>&1 | tail -n 3
      [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "$name found a failure"; exit 1; }
    done ;;
  bench)
    deps
    configure build -DCMAKE_BUILD_TYPE=Release
    cmake --build build -j "$JOBS"
    for b in build/bench/bench_*; do [ -x "$b" ] && "$b"; done ;;
  format)
    deps
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror ;;
  *)
    sed -n '2,11p' "$0"; exit 2 ;;
esac
