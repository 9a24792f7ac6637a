#!/usr/bin/env bash
# Builds the Debian package with CPack, installs it with dpkg into a fresh root, checks
# what it installed, starts the installed game on a virtual X display and waits for its
# window, then removes the package again.
#   tests/packaging/deb_check.sh path/to/build/CPackConfig.cmake
#
# The fresh root's dpkg database holds only the host's entries for the packages that the
# .deb depends on, copied from the host's database, so dpkg checks the Depends field,
# versions included, against what this machine really has, without touching the host's
# own database and without network.
set -uo pipefail
config=$(realpath -- "$1")

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in cpack dpkg dpkg-deb dpkg-query file Xvfb xdpyinfo xdotool; do
  command -v "$tool" >/dev/null || fail "$tool is missing (packages cmake, dpkg, file, xvfb, x11-utils, xdotool)"
done
# shellcheck source=build_deb.sh
source "$(dirname "${BASH_SOURCE[0]}")/build_deb.sh"
. "$(dirname "${BASH_SOURCE[0]}")/../support/poll.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/numora-deb.XXXXXX")
xvfb=
game=
cleanup() {
  [[ -z $game ]] || kill "$game" 2>/dev/null || true
  [[ -z $xvfb ]] || kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# --- build -------------------------------------------------------------------------
build_deb "$config" "$work"

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == numora ]] || fail "package name is '$(field Package)', not numora"
[[ $(field Section) == games ]] || fail "section is '$(field Section)', not games"
[[ $(basename "$deb") == "numora_$(field Version)_$(field Architecture).deb" ]] \
  || fail "file name $(basename "$deb") is not Debian's name for version $(field Version), $(field Architecture)"
depends=$(field Depends)
echo "Depends: $depends"
# Split into one package name per line, alternatives included, without versions.
names=$(tr ',|' '\n' <<<"$depends" | sed -e 's/(.*)//' -e 's/:.*//' -e 's/[[:space:]]//g' | sed '/^$/d' | sort -u)
for needed in libc6 libqt6widgets6 fonts-liberation fonts-dancingscript; do
  grep -qx "$needed" <<<"$names" || fail "Depends lacks $needed: $depends"
done

# --- install -----------------------------------------------------------------------
root=$work/root
admin=$root/var/lib/dpkg
mkdir -p "$admin/info" "$admin/updates" "$admin/triggers"
: >"$admin/status"
# --force-not-root lets a developer without root run this too; the root is our own.
dpkg_root=(--root="$root" --log=/dev/null --force-not-root)
while read -r name; do
  if stanza=$(dpkg-query -s "$name" 2>/dev/null) && grep -qx 'Status: install ok installed' <<<"$stanza"; then
    printf '%s\n\n' "$stanza" >>"$admin/status"
    arch=$(dpkg-query -W -f='${Architecture}' "$name")
    # An empty file list: dpkg owns nothing of the host's packages inside this root.
    if [[ $arch == all ]]; then : >"$admin/info/$name.list"; else : >"$admin/info/$name:$arch.list"; fi
  fi
done <<<"$names"
if ! dpkg "${dpkg_root[@]}" -i "$deb" >"$work/dpkg.log" 2>&1; then
  cat "$work/dpkg.log" >&2
  fail "dpkg could not install the package (see above; a dependency not installed here shows as such)"
fi
[[ $(dpkg-query --admindir="$admin" -W -f='${Status}' numora) == 'install ok installed' ]] \
  || fail "dpkg does not list numora as installed"

# --- installed files ---------------------------------------------------------------
usr=$root/usr
[[ -x $usr/games/numora ]] || fail "no executable /usr/games/numora installed"
file -b "$usr/games/numora" | grep -q ELF || fail "/usr/games/numora is not an ELF binary"
desktop=$usr/share/applications/numora.desktop
[[ -f $desktop ]] || fail "no /usr/share/applications/numora.desktop installed"
metainfos=("$usr"/share/metainfo/*.metainfo.xml)
[[ ${#metainfos[@]} == 1 && -f ${metainfos[0]} ]] || fail "no single metainfo file in /usr/share/metainfo"
grep -q '<launchable type="desktop-id">numora.desktop</launchable>' "${metainfos[0]}" \
  || fail "the installed metainfo does not launch numora.desktop"
[[ -s $usr/share/doc/numora/copyright ]] || fail "no /usr/share/doc/numora/copyright"
for doc in share/man/man6/numora.6.gz share/doc/numora/changelog.gz; do
  gzip -t "$usr/$doc" 2>/dev/null || fail "/usr/$doc is missing or not gzip data"
done
for size in 16 32 48 64 128 256; do
  icon=$usr/share/icons/hicolor/${size}x$size/apps/numora.png
  [[ -f $icon ]] || fail "icon ${size}x$size is missing: /usr/share/icons/hicolor/${size}x$size/apps/numora.png"
  file -b "$icon" | grep -q "PNG image data, $size x $size," \
    || fail "/usr/share/icons/hicolor/${size}x$size/apps/numora.png is not a $size x $size PNG: $(file -b "$icon")"
done

file -b "$usr/share/icons/hicolor/scalable/apps/numora.svg" | grep -q SVG \
  || fail "no SVG icon at /usr/share/icons/hicolor/scalable/apps/numora.svg"
# The desktop entry's program and icon must be found among the installed files; a
# program without a path is looked up as on Debian's default PATH for users.
path=(/usr/local/bin /usr/bin /bin /usr/local/games /usr/games)
entry() { sed -n "s/^$1=//p" "$desktop" | head -1; }
exec_line=$(entry Exec)
exec_line=${exec_line//%[a-zA-Z]/}  # field codes such as %U stand for files given at start
program=${exec_line%% *}
[[ -n $program ]] || fail "the desktop entry has no Exec"
resolved=
if [[ $program == /* ]]; then
  resolved=$root$program
else
  for dir in "${path[@]}"; do
    [[ -x $root$dir/$program ]] && { resolved=$root$dir/$program; break; }
  done
fi
[[ -n $resolved && -x $resolved ]] || fail "the desktop entry's Exec '$exec_line' names no installed program"
icon_name=$(entry Icon)
[[ -n $icon_name ]] || fail "the desktop entry has no Icon"
found=$(find "$usr/share/icons/hicolor" "$usr/share/pixmaps" -name "$icon_name.png" 2>/dev/null | wc -l)
((found > 0)) || fail "the desktop entry's Icon '$icon_name' is not among the installed icons"
echo "installed files are in place; Exec and Icon resolve"

# --- start it ----------------------------------------------------------------------
# Xvfb picks a free display itself and writes its number to the pipe.
exec {fd}>"$work/display"
Xvfb -displayfd "$fd" -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb=$!
exec {fd}>&-
xvfbready() {
  kill -0 "$xvfb" 2>/dev/null || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }
  [[ -s $work/display ]]
}
within 10 xvfbready || fail "Xvfb gave no display number within 10 s"
DISPLAY=:$(head -1 "$work/display")
export DISPLAY
xdpyinfo >/dev/null 2>&1 || fail "Xvfb display $DISPLAY does not answer"

# The game keeps its settings and scores under HOME; give it an empty one.
read -ra args <<<"${exec_line#"$program"}"
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share \
  XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb \
  "$resolved" "${args[@]}" >"$work/game.log" 2>&1 &
game=$!
if ! window=$(timeout 20 xdotool search --sync --onlyvisible --all --pid "$game" --name '^Numora$' 2>/dev/null | head -1) \
    || [[ -z $window ]]; then
  kill -0 "$game" 2>/dev/null || echo "the game exited early; its output:" >&2
  cat "$work/game.log" >&2
  fail "no visible window titled 'Numora' within 20 s"
fi
echo "window $window titled Numora is up"
kill "$game"
wait "$game" 2>/dev/null
game=

# --- remove ------------------------------------------------------------------------
if ! dpkg "${dpkg_root[@]}" -r numora >"$work/dpkg.log" 2>&1; then
  cat "$work/dpkg.log" >&2
  fail "dpkg could not remove the package"
fi
left=$(find "$usr" -type f 2>/dev/null)
[[ -z $left ]] || fail "removing the package left files behind: $left"
echo "package installs, starts, and removes cleanly"
