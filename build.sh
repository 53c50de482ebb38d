#!/usr/bin/env bash
# Koret Organizer: set-up, build, start and test in one place.
#
#   ./build.sh run        install what is missing, build, start the organizer
#   ./build.sh install [--use-build DIR] [PREFIX]
#                         build (release) and install into PREFIX (default ~/.local) with a
#                         desktop entry; --use-build takes the programs of an existing build
#   ./build.sh test       install what is missing, build, run the whole test suite
#   ./build.sh sanitize   the plain-C++ tests built with AddressSanitizer and UBSan
#   ./build.sh fuzz [s]   build the fuzz targets with clang and run each for s seconds (default 20)
#   ./build.sh bench      build and run the benchmarks
#   ./build.sh format     check that the C++ sources keep the layout of .clang-format
#   ./build.sh deps       only install the system packages
set -euo pipefail
CALLER_DIR=$PWD  # relative folders given to install are taken from where it was called
cd "$(dirname "$0")"

PACKAGES=(g++ clang libclang-rt-dev cmake ninja-build ccache clang-format libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev libgl-dev libasound2-dev libexpat1-dev libpugixml-dev fontconfig fonts-dejavu-core
          poppler-utils xvfb xauth python3 python3-dateutil iso-codes desktop-file-utils
          libical-dev python3-icalendar python3-vobject radicale python3-caldav qtkeychain-qt6-dev
          dbus)
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

# install_program <build dir> <prefix>: the program folder PREFIX/lib/koret with the programs and
# the starting files (a folder's existing Data/ and Config/ files are kept), launchers in
# PREFIX/bin, the desktop entry and the icons below PREFIX/share.
install_program() {
  local build=$1 prefix=$2
  case "$build" in /*) ;; *) build=$CALLER_DIR/$build ;; esac
  case "$prefix" in /*) ;; *) prefix=$CALLER_DIR/$prefix ;; esac
  case "$prefix" in
    *[\"\`\$\\%]*) echo "install: the folder \"$prefix\" has a character (\" \` \$ \\ %) a desktop entry cannot hold" >&2
                   return 1 ;;
  esac
  for program in koret koret-cli koret-cli-desktop; do
    [ -x "$build/program/$program" ] || { echo "install: $build/program/$program is missing; build it first" >&2; return 1; }
  done
  mkdir -p "$prefix"
  prefix=$(cd "$prefix" && pwd)
  local folder=$prefix/lib/koret
  mkdir -p "$folder" "$prefix/bin" "$prefix/share/applications"
  for program in koret koret-cli; do
    install -m 755 "$build/program/$program" "$folder/$program"
    ln -sfn "../lib/koret/$program" "$prefix/bin/$program"
  done
  # koret-cli's helper for printing and syncing, started by koret-cli only.
  install -m 755 "$build/program/koret-cli-desktop" "$folder/koret-cli-desktop"
  cmake -DSOURCE="$PWD/resources" -DDEST="$folder" -P cmake/CopyMissingFiles.cmake
  local line
  while IFS= read -r line; do
    case "$line" in
      Exec=*) line="Exec=\"$prefix/bin/koret\"" ;;
      TryExec=*) line="TryExec=$prefix/bin/koret" ;;
    esac
    printf '%s\n' "$line"
  done < desktop/koret.desktop > "$prefix/share/applications/koret.desktop.new"
  mv "$prefix/share/applications/koret.desktop.new" "$prefix/share/applications/koret.desktop"
  local icons=$prefix/share/icons/hicolor
  for png in desktop/icons/*x*/koret.png; do
    local size
    size=$(basename "$(dirname "$png")")
    install -D -m 644 "$png" "$icons/$size/apps/koret.png"
  done
  install -D -m 644 desktop/icons/koret.svg "$icons/scalable/apps/koret.svg"
  # Menus and icon caches pick the new files up at once where the desktop keeps such caches.
  if command -v update-desktop-database >/dev/null; then update-desktop-database -q "$prefix/share/applications" || true; fi
  if command -v gtk-update-icon-cache >/dev/null && [ -f "$icons/index.theme" ]; then gtk-update-icon-cache -q "$icons" || true; fi
  echo "Installed into $folder; start it with $prefix/bin/koret or from the application menu."
}

case "${1:-}" in
  deps)
    deps ;;
  run)
    deps
    configure build
    cmake --build build -j "$JOBS" --target koret
    exec build/program/koret ;;
  install)
    shift
    build=""
    if [ "${1:-}" = "--use-build" ]; then
      [ $# -ge 2 ] || { echo "install: --use-build needs a build folder" >&2; exit 2; }
      build=$2; shift 2
    fi
    [ $# -le 1 ] || { echo "install: one PREFIX at most, got: $*" >&2; exit 2; }
    prefix=${1:-$HOME/.local}
    if [ -z "$build" ]; then
      deps
      build=$PWD/build-release
      configure "$build" -DCMAKE_BUILD_TYPE=Release -DKORET_TESTS=OFF -DKORET_BENCH=OFF
      cmake --build "$build" -j "$JOBS" --target koret koret-cli
    fi
    install_program "$build" "$prefix" ;;
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
    sed -n '2,14p' "$0"; exit 2 ;;
esac
