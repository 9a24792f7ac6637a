#!/usr/bin/env bash
# Installs what is missing, builds, and then plays (./setup.sh run) or tests (./setup.sh test).
set -euo pipefail
cd "$(dirname "$0")"

packages=(g++ cmake make qt6-base-dev libgl-dev libgtest-dev libbenchmark-dev fonts-liberation)
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
    ctest --preset release -j "$(nproc)"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
