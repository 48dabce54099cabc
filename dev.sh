#!/usr/bin/env bash
# Sets up a fresh Debian machine (installs what is missing), configures and builds, then:
#   ./dev.sh run    builds the three programs alone (no tests) and starts the launcher kesvo
#   ./dev.sh test   runs every test, in a plain build and under AddressSanitizer and UBSan, and a short
#                   run of the truss file reader's fuzz target
#   ./dev.sh bench  builds the benchmarks in build-bench/ (Release) and runs them
#   ./dev.sh walk N SEED   walks N random user events (default 100000) from SEED over beam and over truss,
#                   under AddressSanitizer and UBSan (KESVO_WALK_TRACE=1 prints every event)
set -euo pipefail
cd "$(dirname "$0")"

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev libgtest-dev googletest culmus locales
          fontconfig libxkbcommon-x11-0 clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)
build() {  # build <dir> [-S <source folder>] [cmake options...] [-- targets...]
  local dir=$1 src=. options=()
  shift
  if [ "${1:-}" = -S ]; then
    src=$2
    shift 2
  fi
  while (($#)) && [ "$1" != -- ]; do
    options+=("$1")
    shift
  done
  (($#)) && shift
  cmake -S "$src" -B "$dir" -G Ninja "${options[@]}" >/dev/null
  if (($#)); then
    cmake --build "$dir" -j "$jobs" --target "$@"
  else
    cmake --build "$dir" -j "$jobs"
  fi
}

# Leaks are reported; the few that stay inside system libraries are suppressed in lsan.supp, each with
# its reason.
sanitizers() {
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export LSAN_OPTIONS="suppressions=$PWD/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
}

case "${1:-run}" in
  run)
    echo "building kesvo, beam and truss in build/ (no tests), then starting kesvo"
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -- kesvo beam truss
    exec ./build/bin/kesvo
    ;;
  test)
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    export QT_QPA_PLATFORM=offscreen
    ctest --test-dir build --output-on-failure -j "$jobs"
    build build-asan -DCMAKE_BUILD_TYPE=Debug -DKESVO_SANITIZE=ON
    sanitizers
    ctest --test-dir build-asan --output-on-failure -j "$jobs"
    # The truss file reader under libFuzzer (clang only): a short fixed-seed run.
    build build-fuzz -S fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
    ctest --test-dir build-fuzz --output-on-failure
    ;;
  bench)
    # A folder of its own: the Release build never rebuilds build/, which run and test share.
    build build-bench -DCMAKE_BUILD_TYPE=Release -- bench_beam bench_truss bench_simulation
    for b in build-bench/bin/bench_*; do [ -x "$b" ] && "$b"; done
    ;;
  walk)
    build build-asan -DCMAKE_BUILD_TYPE=Debug -DKESVO_SANITIZE=ON
    export QT_QPA_PLATFORM=offscreen
    sanitizers
    export KESVO_WALK_EVENTS="${2:-100000}" KESVO_WALK_SEED="${3:-1}"
    status=0
    for w in beam_walk truss_walk; do ./build-asan/bin/$w || status=1; done
    exit $status
    ;;
  *)
    echo "usage: $0 run|test|bench|walk [events [seed]]" >&2
    exit 2
    ;;
esac
