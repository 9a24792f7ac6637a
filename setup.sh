#!/usr/bin/env bash
# Installs what is missing, builds, and then plays (./setup.sh run), tests (./setup.sh test)
# or makes the Debian package (./setup.sh package). `run` installs only what building and
# playing need; `package` adds what CPack needs, `test` the test tools.
set -euo pipefail
cd "$(dirname "$0")"

# Building and playing: the compiler, CMake, Qt, CLI11 (the self-play tool's command line)
# and the windows' fonts.
play_packages=(g++ cmake make qt6-base-dev libgl-dev libxcb1-dev libcli11-dev fonts-liberation fonts-dancingscript)
# The package: CPack computes its dependencies with dpkg-shlibdeps, which reads the binary
# with file.
package_packages=(dpkg-dev file)
# Building the tests and checking the sources: the test libraries, lintian (the build
# asks it which tags it knows), the static analysers and Python, with which their script
# picks the files to check.
test_build_packages=(libgtest-dev libbenchmark-dev lintian clang-tidy clang-format cppcheck python3)
# Running the tests: a virtual X server and its tools, the desktop themes and the Wayland
# compositor the window is tried under, the accessibility bus and its client, the
# packaging checkers; Pillow and numpy, with which tools/make_assets.py redraws the
# pictures.
test_packages=(xvfb x11-utils xdotool python3 python3-xlib python3-pil python3-numpy
  qt6ct qt6-gtk-platformtheme weston qt6-wayland
  dbus at-spi2-core python3-pyatspi
  desktop-file-utils appstream man-db
  xfwm4 metacity x11-xserver-utils
  orca speech-dispatcher speech-dispatcher-espeak-ng speech-dispatcher-audio-plugins espeak-ng libao4 openbox)
# Testing under GNOME Shell on Wayland: the shell, its screenshots and Xwayland, and the
# D-Bus and picture bindings the check uses (about 95 MB); without the rest of the GNOME
# desktop that they recommend.
gnome_packages=(gnome-shell gnome-screenshot xwayland python3-dbus python3-gi gir1.2-gdkpixbuf-2.0)
# Testing under KDE Plasma's compositor, KWin, with its Breeze frames (about 180 MB);
# without the rest of the Plasma desktop.
kwin_packages=(kwin-wayland kwin-style-breeze)

installed() {  # package
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# Whether this user may install: as root, or through sudo. Where sudo wants a password and
# there is a terminal to ask on, it asks for it now, once: sudo then remembers it for the
# installs that follow. Without a terminal (CI) only a sudo that asks nothing will do.
mayinstall() {
  [[ $(id -u) != 0 ]] || return 0
  command -v sudo >/dev/null || return 1
  if sudo -n true 2>/dev/null; then return 0; fi
  (: </dev/tty) 2>/dev/null || return 1
  echo "Some Debian packages that Numora needs are missing; sudo installs them." >&2
  sudo -v
}

install_missing() {  # package... [-- package installed without what it recommends...]
  local missing=() bare=() p plain=1
  for p in "$@"; do
    if [[ $p == -- ]]; then
      plain=0
    elif ! installed "$p"; then
      if ((plain)); then missing+=("$p"); else bare+=("$p"); fi
    fi
  done
  ((${#missing[@]} + ${#bare[@]})) || return 0
  local cmd="apt-get update" install="DEBIAN_FRONTEND=noninteractive apt-get install -y"
  # A CI machine is thrown away after its run: dpkg need not sync every file it unpacks.
  [[ ${CI:-} != true ]] || install+=" -o Dpkg::Options::=--force-unsafe-io"
  ((${#missing[@]} == 0)) || cmd+=" && $install ${missing[*]}"
  ((${#bare[@]} == 0)) || cmd+=" && $install --no-install-recommends ${bare[*]}"
  if ! mayinstall; then
    echo "Please install the missing packages first, as root:" >&2
    echo "  $cmd" >&2
    exit 1
  elif [[ $(id -u) == 0 ]]; then
    sh -c "$cmd"
  else
    sudo sh -c "$cmd"
  fi
}

build() {
  cmake --preset "$1" -DBUILD_TESTING=ON >/dev/null && cmake --build --preset "$1" -j "$(nproc)"
}

# One stage of the test run: runs even when an earlier one failed, and leaves a line for
# the summary.
summary=() failed=0
stage() {  # name command...
  local name=$1 start=$SECONDS status=0
  shift
  echo "==== $name"
  "$@" || status=$?
  if ((status == 0)); then
    summary+=("passed  $name ($((SECONDS - start)) s)")
  else
    summary+=("FAILED  $name ($((SECONDS - start)) s, exit status $status)")
    failed=1
  fi
}

# The suite of one build: built, then run by ctest with the given arguments.
suite() {  # preset ctest-arguments...
  local preset=$1
  shift
  build "$preset" && ctest --preset "$preset" -j "$(nproc)" "$@"
}

# A stage that runs in the background beside the stages that follow it, as any other
# process or (idle) only on processors that nothing else wants; `joined` waits for it and
# reports it, its output and its own time.
declare -A bg_pid bg_log bg_start
background() {  # name normal|idle command...
  local name=$1 idle=$2 log
  log=$(mktemp)
  shift 2
  bg_log[$name]=$log bg_start[$name]=$(date +%s)
  (
    status=0
    [[ $idle != idle ]] || chrt --idle -p 0 "$BASHPID" || true  # else as any other
    "$@" >"$log" 2>&1 || status=$?
    date +%s >"$log.end"
    exit "$status"
  ) &
  bg_pid[$name]=$!
}
joined() {  # name
  local name=$1 log=${bg_log[$1]} status=0
  wait "${bg_pid[$name]}" || status=$?
  echo "==== $name"
  cat "$log"
  local took=$(($(cat "$log.end") - bg_start[$name]))
  rm -f "$log" "$log.end"
  if ((status == 0)); then
    summary+=("passed  $name ($took s, beside the stages above)")
  else
    summary+=("FAILED  $name ($took s, beside the stages above, exit status $status)")
    failed=1
  fi
}

case "${1:-}" in
  run)
    install_missing "${play_packages[@]}"
    # Testing stays as the build folder has it: off unless ./setup.sh test turned it on.
    cmake --preset release >/dev/null
    cmake --build --preset release -j "$(nproc)" --target numora
    exec build/release/numora
    ;;
  test)
    # First what the builds and the static checks need; what only running the tests needs
    # installs while the release build compiles.
    # Where sudo wants a password, it asks here, in the foreground, for both installs.
    for p in "${play_packages[@]}" "${package_packages[@]}" "${test_build_packages[@]}" "${test_packages[@]}" \
      "${gnome_packages[@]}" "${kwin_packages[@]}"; do
      installed "$p" || { mayinstall || true; break; }
    done
    install_missing "${play_packages[@]}" "${package_packages[@]}" "${test_build_packages[@]}"
    background "test tools installed" normal install_missing "${test_packages[@]}" -- "${gnome_packages[@]}" "${kwin_packages[@]}"
    # The whole suite in the release build, then again in an unoptimised debug build
    # (assertions on, so that no test leans on optimisation) under AddressSanitizer and
    # UndefinedBehaviorSanitizer. The package, the pictures, what Orca speaks and how
    # GNOME and KWin frame and place the windows do not depend on the build type: they are
    # checked once, in the release build. clang-tidy, cppcheck and clang-format need only
    # the release build's compile commands and generated sources: they start as soon as
    # that build is done, while the test tools may still be installing, and run beside the
    # two suites on the processors those leave idle, as while the desktop tests wait for
    # their windows, Orca and GNOME.
    stage "release build" build release
    background "static checks" idle tests/static_checks.sh build/release
    joined "test tools installed"
    stage "release tests" ctest --preset release -j "$(nproc)"
    stage "debug sanitizer suite" suite asan -E '^(packaging\.|tools\.assets$|ui\.desktop_orca$|ui\.desktop_gnome$|ui\.desktop_kwin$)'
    joined "static checks"
    echo "==== summary"
    printf '%s\n' "${summary[@]}"
    exit "$failed"
    ;;
  package)
    install_missing "${play_packages[@]}" "${package_packages[@]}"
    cmake --preset release >/dev/null
    cmake --build --preset release -j "$(nproc)" --target package
    deb=$(ls -t build/release/numora_*.deb | head -1)
    echo "The package is $deb; install it with:"
    echo "  sudo apt install ./$deb"
    ;;
  *)
    echo "usage: $0 run|test|package" >&2
    exit 2
    ;;
esac
