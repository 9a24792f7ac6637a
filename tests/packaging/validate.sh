#!/usr/bin/env bash
# Checks the desktop entry and the AppStream metainfo with the freedesktop validators,
# and that the metainfo launches the desktop entry under the name it is installed as.
#   tests/packaging/validate.sh path/to/numora.desktop path/to/<id>.metainfo.xml
set -uo pipefail
desktop=$1
metainfo=$2
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (packages desktop-file-utils, appstream)" >&2; exit 1; }
done

# desktop-file-validate exits 0 on warnings and hints; they are faults here too.
if ! out=$(desktop-file-validate "$desktop" 2>&1) || [[ -n $out ]]; then
  fail "desktop-file-validate $desktop:"$'\n'"$out"
fi

# The game has no homepage. AppStream 1.0 warns of that (0.16 knows no such check and
# refuses to override a check it does not know); nothing else is let through.
overrides=()
version=$(appstreamcli --version | grep -oE '[0-9]+' | head -1)
((version >= 1)) && overrides+=(--override=url-homepage-missing=info)
if ! out=$(appstreamcli validate --no-net --no-color "${overrides[@]}" "$metainfo" 2>&1); then
  fail "appstreamcli validate $metainfo:"$'\n'"$out"
fi

launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
if [[ $launchable != "$(basename "$desktop")" ]]; then
  fail "metainfo launches desktop id '$launchable', but the desktop entry is $(basename "$desktop")"
fi
# The component id is the metainfo's file name, as AppStream tools look it up.
cid=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo" | head -1)
if [[ $(basename "$metainfo") != "$cid.metainfo.xml" ]]; then
  fail "metainfo file $(basename "$metainfo") does not carry its component id '$cid'"
fi

((failed)) && exit 1
echo "desktop entry and metainfo are valid"
