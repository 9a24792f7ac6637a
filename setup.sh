#!/usr/bin/env bash
# Installs what is missing, builds, and then plays (./setup.sh run) or tests (./setup.sh test).
set -euo pipefail
cd "$(dirname "$0")"

packages=(g++ cmake make qt6-base-dev libgl-dev libgtest-dev libbenchmark-dev fonts-liberation
  desktop-file-utils appstream xvfb x11-utils xdotool dpkg-dev file clang-tidy cppcheck)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  cmd="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y ${missing[*]}"
  if [[ $(id -u) == 0 ]]; then
    sh -c "$cmd"
  elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    sudo sh -c "$cmd"
  else
    echo "Please install the missing packages first, as root:" >&2
    echo "  $cmd" >&2
    exit 1
  fi
fi

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"

case "${1:-}" in
  run)
    exec build/release/numora
    ;;
  test)
    # The whole suite in the release build, again under AddressSanitizer and
    # UndefinedBehaviorSanitizer, then clang-tidy and cppcheck.
    ctest --preset release -j "$(nproc)"
    cmake --preset asan >/dev/null
    cmake --build --preset asan -j "$(nproc)"
    ctest --preset asan -j "$(nproc)" -E '^packaging\.'
    tests/static_checks.sh build/release
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
