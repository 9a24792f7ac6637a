#!/usr/bin/env bash
# The asset generator redraws every committed picture and the resource list byte for
# byte, and every picture under assets/ is one it draws.
#   tests/tools/assets_check.sh <source dir>
# Debian's own python3, standard library only: the PNG bytes come from its zlib and
# must not change with whichever interpreter comes first on PATH.
set -uo pipefail
src=$(realpath -- "$1")
python=/usr/bin/python3
[[ -x $python ]] || { echo "FAIL: $python is missing (package python3)" >&2; exit 1; }
out=$(mktemp -d "${TMPDIR:-/tmp}/numora-assets.XXXXXX")
trap 'rm -rf "$out"' EXIT

"$python" -B "$src/tools/make_assets.py" --out "$out" >/dev/null || { echo "FAIL: make_assets.py failed" >&2; exit 1; }
failed=0
while read -r f; do
  if [[ ! -f $src/assets/$f ]]; then
    echo "FAIL: assets/$f is drawn but not committed" >&2; failed=1
  elif ! cmp -s "$out/$f" "$src/assets/$f"; then
    echo "FAIL: assets/$f differs from what make_assets.py draws" >&2; failed=1
  fi
done < <(cd "$out" && find . -type f -printf '%P\n' | sort)
# Pictures nobody can redraw would slip past the loop above.
while read -r f; do
  [[ -f $out/$f ]] || { echo "FAIL: assets/$f is committed but make_assets.py does not draw it" >&2; failed=1; }
done < <(cd "$src/assets" && find . -type f \( -name '*.png' -o -name '*.svg' -o -name '*.qrc' \) -printf '%P\n' | sort)
((failed)) && exit 1
echo "make_assets.py reproduces all $(find "$out" -type f | wc -l) files under assets/"
