#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The spinning top reaches the X server frame by frame: every icon change of the game
window, watched for a few seconds, follows the 18-frame cycle in order, with no gap
much over the 50 ms tick.
    DISPLAY=... icon_check.py <game binary> <folder of the frames top_00.png ... top_17.png>"""
import hashlib
import pathlib
import subprocess
import sys
import time

from Xlib import X, display

WATCH_SECONDS = 3.0
FRAMES = 18
LONGEST_GAP_MS = 90  # a tick is 50 ms; a flush that waits for other traffic shows as 100 ms and more


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


def main():
    game = subprocess.Popen([sys.argv[1]], stderr=subprocess.DEVNULL)
    try:
        dpy = display.Display()
        window = find_window(dpy, "Numora", time.monotonic() + 20)
        if window is None:
            print("FAIL: the game window did not appear")
            return 1
        icon = dpy.intern_atom("_NET_WM_ICON")
        window.change_attributes(event_mask=X.PropertyChangeMask)
        dpy.sync()
        changes = []  # (server time in ms, hash of the icon)
        end = time.monotonic() + WATCH_SECONDS
        while time.monotonic() < end:
            while dpy.pending_events():
                event = dpy.next_event()
                if event.type == X.PropertyNotify and event.atom == icon:
                    data = window.get_full_property(icon, X.AnyPropertyType)
                    digest = hashlib.sha1(bytes(str(data.value.tolist()), "ascii")).hexdigest() if data else ""
                    changes.append((event.time, digest))
            time.sleep(0.002)
    finally:
        game.terminate()
        game.wait(10)

    seconds = (changes[-1][0] - changes[0][0]) / 1000 if len(changes) > 1 else 0
    print(f"{len(changes)} icon changes in {WATCH_SECONDS:.0f} s"
          + (f" ({(len(changes) - 1) / seconds:.1f} per second)" if seconds else ""))
    if len(changes) < 2 * FRAMES:
        print(f"FAIL: fewer than {2 * FRAMES} changes")
        return 1
    # Frames drawn alike (the top upright at the start and half-way) count once.
    pictures = len({hashlib.sha1(pathlib.Path(sys.argv[2], f"top_{k:02d}.png").read_bytes()).digest()
                    for k in range(FRAMES)})
    digests = [d for _, d in changes]
    if len(set(digests[:FRAMES])) != pictures:
        print(f"FAIL: 18 changes in a row show {len(set(digests[:FRAMES]))} of the {pictures} different frames")
        return 1
    skipped = [i for i in range(FRAMES, len(digests)) if digests[i] != digests[i - FRAMES]]
    if skipped:
        print(f"FAIL: frames out of order from change {skipped[0]}")
        return 1
    gaps = [b[0] - a[0] for a, b in zip(changes, changes[1:])]
    print(f"longest gap between changes: {max(gaps)} ms")
    if max(gaps) > LONGEST_GAP_MS:
        print(f"FAIL: a gap of {max(gaps)} ms")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
