#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The spinning top reaches the X server frame by frame: the icon changes of the game
window follow the 18-frame cycle in order, one change per frame, none skipped or sent
twice. How fast they come depends on the machine's load, so the verdict does not look at
time; with --cadence the script reports the rate and the longest gap instead (for the
window benchmark) and judges nothing.
    DISPLAY=... icon_check.py <game binary> <folder of the frames top_00.png ... top_17.png>
    DISPLAY=... icon_check.py --cadence <game binary>"""
import hashlib
import pathlib
import subprocess
import sys
import time

from Xlib import X, display

FRAMES = 18
PATIENCE_SECONDS = 120  # only a stopped animation takes this long, however busy the machine
CADENCE_SECONDS = 3.0


def find_window(dpy, name, deadline):
    root = dpy.screen().root
    while time.monotonic() < deadline:
        for window in root.query_tree().children:
            try:
                if window.get_wm_name() == name and window.get_attributes().map_state == X.IsViewable:
                    return window
            except Exception:  # a window that went away while we looked
                pass
        time.sleep(0.05)
    return None


def watch(game, enough, seconds):
    """Icon changes as (server time in ms, hash of the icon, or None where it could not be
    known), until enough(changes) or the time is up. A change is known when its property
    was read before the next change: a reply comes after every event the server sent
    before it, so a change that came first is seen as a pending event after the read."""
    process = subprocess.Popen([game], stderr=subprocess.DEVNULL)
    try:
        dpy = display.Display()
        window = find_window(dpy, "Numora", time.monotonic() + PATIENCE_SECONDS)
        if window is None:
            return None
        icon = dpy.intern_atom("_NET_WM_ICON")
        window.change_attributes(event_mask=X.PropertyChangeMask)
        dpy.sync()

        def arrived():
            times = []
            while dpy.pending_events():
                event = dpy.next_event()
                if event.type == X.PropertyNotify and event.atom == icon:
                    times.append(event.time)
            return times

        changes, unread = [], []
        end = time.monotonic() + seconds
        while time.monotonic() < end and not enough(changes):
            unread += arrived()
            if not unread:
                time.sleep(0.002)
                continue
            data = window.get_full_property(icon, X.AnyPropertyType)
            later = arrived()
            digest = hashlib.sha1(bytes(str(data.value.tolist()), "ascii")).hexdigest() if data else ""
            known = digest if not later else None
            changes += [(t, None) for t in unread[:-1]] + [(unread[-1], known)]
            unread = later
        return changes
    finally:
        process.terminate()
        process.wait(10)


def cadence(game):
    changes = watch(game, lambda c: False, CADENCE_SECONDS)
    if not changes or len(changes) < 2:
        print("icon cadence: no icon changes seen")
        return 1
    seconds = (changes[-1][0] - changes[0][0]) / 1000
    gaps = [b[0] - a[0] for a, b in zip(changes, changes[1:])]
    print(f"icon cadence: {len(changes)} changes in {CADENCE_SECONDS:.0f} s, "
          f"{(len(changes) - 1) / seconds:.1f} per second, longest gap {max(gaps)} ms")
    return 0


def check(game, frames):
    # Enough changes that every place in the cycle is known twice.
    def enough(changes):
        seen = {}
        for i, (_, digest) in enumerate(changes):
            if digest is not None:
                seen[i % FRAMES] = seen.get(i % FRAMES, 0) + 1
        return len(seen) == FRAMES and min(seen.values()) >= 2

    changes = watch(game, enough, PATIENCE_SECONDS)
    if changes is None:
        print("FAIL: the game window did not appear")
        return 1
    if not enough(changes):
        print(f"FAIL: {len(changes)} icon changes in {PATIENCE_SECONDS} s: the animation stopped")
        return 1
    # A frame skipped or sent twice shifts the cycle: each place in it must show one
    # picture whenever it comes round.
    place = {}
    for i, (_, digest) in enumerate(changes):
        if digest is not None and place.setdefault(i % FRAMES, digest) != digest:
            print(f"FAIL: frames out of order at change {i}")
            return 1
    # Frames drawn alike (the top upright at the start and half-way) count once.
    pictures = len({hashlib.sha1(pathlib.Path(frames, f"top_{k:02d}.png").read_bytes()).digest()
                    for k in range(FRAMES)})
    if len(set(place.values())) != pictures:
        print(f"FAIL: a cycle of {FRAMES} changes shows {len(set(place.values()))} of the {pictures} different frames")
        return 1
    print(f"{len(changes)} icon changes, every frame in order")
    return 0


if __name__ == "__main__":
    if sys.argv[1] == "--cadence":
        sys.exit(cadence(sys.argv[2]))
    sys.exit(check(sys.argv[1], sys.argv[2]))
