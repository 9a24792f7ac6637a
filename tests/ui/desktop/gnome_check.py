#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The game's windows in a GNOME Shell session on Wayland, the game started with no
platform named: the game window centred in the work area below the top bar, framed by
GNOME without a maximize box; the lost window at its fixed place, framed without
minimize or maximize box, out of the task bar, focused, and answered YES by Return;
and with Xft.dpi at 192, as GNOME's settings tell X11 programs a scale of 2, the game
window twice its size with its lines sharp. Keys go in through mutter's remote-desktop
interface, pictures come from gnome-screenshot, places from Xwayland's properties.
Every wait polls for its condition with a time-out.
    gnome_check.py SEEDED_GAME WORK   (inside the session that gnome_check.sh starts)"""
import os
import re
import subprocess
import sys
import time

import dbus
import gi
from Xlib import XK, Xatom, display

gi.require_version("GdkPixbuf", "2.0")
from gi.repository import GdkPixbuf  # noqa: E402

GAME, WORK = sys.argv[1:3]
SEED = "1"  # the computer's number is not 1023, so answering its first guess with 4 + loses
CLIENT = (217, 401)  # the game window's client area below its menu bar, in pixels at 96 dpi
SHAPE3 = (0, 0, 105, 161)  # the outline around the computer's board, 2 pixels wide
LABEL8 = (8, 184, 89, 33)  # the computer's guess
PICTURE2 = (32, 8, 65, 133)  # the computer's board
LOST = (373, 480, 287, 78)  # the lost window's client area
DARKRED, BLACK, RED = (128, 0, 0), (0, 0, 0), (255, 0, 0)


def reddish(pixel):
    """Dark red text, its smoothed edges included."""
    return pixel[0] - max(pixel[1], pixel[2]) >= 48

game = None


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    if game:
        game.kill()
    sys.exit(1)


def poll(seconds, probe):
    """probe()'s first true value, polled until it comes or `seconds` have passed."""
    deadline = time.monotonic() + seconds
    while True:
        try:
            value = probe()
        except Exception:  # noqa: BLE001  a window or a service that is not there yet
            value = None
        if value or time.monotonic() > deadline:
            return value
        time.sleep(0.1)


def within(seconds, probe, what):
    return poll(seconds, probe) or fail(what)


class Keyboard:
    """Key presses through one remote-desktop session of mutter."""

    def __init__(self, bus):
        service = "org.gnome.Mutter.RemoteDesktop"
        desktop = dbus.Interface(bus.get_object(service, "/org/gnome/Mutter/RemoteDesktop"), service)
        self.session = dbus.Interface(bus.get_object(service, desktop.CreateSession()), service + ".Session")
        self.session.Start()

    def press(self, *keys):
        """Each key, or chord such as "alt+g", pressed and released in turn."""
        for key in keys:
            syms = [XK.string_to_keysym({"alt": "Alt_L"}.get(name, name)) for name in key.split("+")]
            for sym in syms:
                self.session.NotifyKeyboardKeysym(dbus.UInt32(sym), True)
            for sym in reversed(syms):
                self.session.NotifyKeyboardKeysym(dbus.UInt32(sym), False)
            time.sleep(0.05)


class Screen:
    """One screenshot of the whole screen, taken by GNOME."""

    def __init__(self):
        path = os.path.join(WORK, "shot.png")
        if os.path.exists(path):
            os.remove(path)
        subprocess.run(["gnome-screenshot", "-f", path], check=True, stderr=subprocess.DEVNULL, timeout=30)
        image = GdkPixbuf.Pixbuf.new_from_file(path)
        self.pixels, self.stride = image.get_pixels(), image.get_rowstride()
        self.channels, self.size = image.get_n_channels(), (image.get_width(), image.get_height())

    def at(self, x, y):
        i = y * self.stride + x * self.channels
        return tuple(self.pixels[i:i + 3])

    def count(self, rect, colour):
        """Pixels of `colour` in `rect`, or pixels for which `colour` is true."""
        test = colour if callable(colour) else colour.__eq__
        left, top, width, height = rect
        return sum(bool(test(self.at(x, y))) for y in range(top, top + height) for x in range(left, left + width))


class Session:
    def __init__(self):
        self.dpy = display.Display()
        self.root = self.dpy.screen().root

    def atom(self, name):
        return self.dpy.intern_atom(name)

    def cardinals(self, window, name):
        prop = window.get_full_property(self.atom(name), Xatom.CARDINAL)
        return list(prop.value) if prop else []

    def atoms(self, window, name):
        prop = window.get_full_property(self.atom(name), Xatom.ATOM)
        return {self.dpy.get_atom_name(a) for a in prop.value} if prop else set()

    def window(self, pattern):
        """The managed window whose title matches `pattern`, once GNOME has framed it."""
        prop = self.root.get_full_property(self.atom("_NET_CLIENT_LIST"), Xatom.WINDOW)
        for wid in prop.value if prop else []:
            window = self.dpy.create_resource_object("window", wid)
            name = window.get_full_property(self.atom("_NET_WM_NAME"), self.atom("UTF8_STRING"))
            if name and re.search(pattern, name.value.decode()) and len(self.cardinals(window, "_NET_FRAME_EXTENTS")) == 4:
                return window
        return None

    def active(self):
        prop = self.root.get_full_property(self.atom("_NET_ACTIVE_WINDOW"), Xatom.WINDOW)
        return prop.value[0] if prop and len(prop.value) else None

    def client(self, window):
        """The client area on the screen: left, top, width, height."""
        geometry = window.get_geometry()
        origin = window.translate_coords(self.root, 0, 0)
        return -origin.x, -origin.y, geometry.width, geometry.height

    def workarea(self):
        return self.cardinals(self.root, "_NET_WORKAREA")[:4]


def start_game(session, keyboard, overview, what):
    global game
    game = subprocess.Popen([GAME, SEED], stdout=open(os.path.join(WORK, "game.out"), "a"), stderr=subprocess.STDOUT)
    window = within(20, lambda: session.window("^Numora$"),
                    what + ": the game window did not appear on Xwayland, framed by GNOME")

    def focused():
        # Should the shell have opened its overview only after the check above, no window
        # has the focus while it is open.
        if overview():
            keyboard.press("Escape")
        return session.active() == window.id

    if not poll(10, focused):
        fail("%s: the game window did not get the focus; window %s has it, the overview is %s"
             % (what, session.active(), "open" if overview() else "closed"))
    return window


def stop_game():
    global game
    game.terminate()
    game.wait(timeout=10)
    game = None


def check_centred(session, window, what):
    """The framed window centred in the work area, within 2 pixels; returns its client area.
    The game moves its window once GNOME has told the frame: polled until it has."""
    def measure():
        left, top, width, height = session.client(window)
        fl, fr, ft, fb = session.cardinals(window, "_NET_FRAME_EXTENTS")
        wx, wy, ww, wh = session.workarea()
        dx = left - fl - (wx + (ww - (width + fl + fr)) // 2)
        dy = top - ft - (wy + (wh - (height + ft + fb)) // 2)
        return (left, top, width, height), (fl, fr, ft, fb), (wx, wy, ww, wh), (dx, dy)

    def centred():
        nonlocal last
        last = measure()
        (_, top, _, _), (_, _, ft, _), (_, wy, _, _), (dx, dy) = last
        return abs(dx) <= 2 and abs(dy) <= 2 and top - ft >= wy

    last = None
    ok = poll(10, centred)
    if last is None:
        fail("%s: the game window's place could not be read" % what)
    (left, top, width, height), frame, area, (dx, dy) = last
    if not ok:
        fail("%s: the game window (client %d,%d %dx%d, frame %s) is not centred in the work area %s: off by %d,%d"
             % (what, left, top, width, height, frame, area, dx, dy))
    print("%s: the game window's client is at %d,%d, %dx%d, in a frame of %s drawn by GNOME, centred in the work area"
          " %s within %d,%d" % (what, left, top, width, height, frame, area, dx, dy))
    actions = session.atoms(window, "_NET_WM_ALLOWED_ACTIONS")
    if actions & {"_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"}:
        fail(what + ": the game window can be maximized: " + ", ".join(sorted(actions)))
    if not {"_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_CLOSE"} <= actions:
        fail(what + ": the game window lacks its minimize or close box: " + ", ".join(sorted(actions)))
    return left, top, width, height


def controlrect(client, rect, scale=1):
    """A control's rectangle on the screen, from its place below the menu bar."""
    left, top, _, height = client
    belowmenu = top + height - CLIENT[1] * scale
    return (left + rect[0] * scale, belowmenu + rect[1] * scale, rect[2] * scale, rect[3] * scale)


def main():
    log = os.path.join(WORK, "shell.log")
    bus = dbus.SessionBus()
    shell = within(30, lambda: bus.get_object("org.gnome.Shell", "/org/gnome/Shell"), "GNOME Shell did not start")
    overview = lambda: shell.Get("org.gnome.Shell", "OverviewActive", dbus_interface=dbus.PROPERTIES_IFACE)  # noqa: E731
    # The shell opens its overview once it has started, and says that it has started.
    within(30, lambda: overview() or "GNOME Shell started" in open(log).read(), "GNOME Shell did not finish starting")
    keyboard = within(10, lambda: Keyboard(bus), "mutter's remote-desktop interface did not answer")
    # Escape leaves the overview. mutter makes its virtual keyboard at the first key and
    # drops that key, so Escape goes again until the overview is gone.
    within(30, lambda: (keyboard.press("Escape"), not overview())[1], "the shell stayed in its overview")
    found = within(30, lambda: re.search(r"Using public X11 display (:\d+)", open(log).read()),
                   "the shell named no X11 display for Xwayland")
    os.environ["DISPLAY"] = found.group(1)
    rundir = os.environ["XDG_RUNTIME_DIR"]
    auth = within(10, lambda: [f for f in os.listdir(rundir) if f.startswith(".mutter-Xwaylandauth.")],
                  "Xwayland's authority file did not appear")
    os.environ["XAUTHORITY"] = os.path.join(rundir, auth[0])
    session = within(30, Session, "Xwayland did not answer")

    window = start_game(session, keyboard, overview, "scale 1")
    client = check_centred(session, window, "scale 1")
    shot = Screen()
    shape = controlrect(client, SHAPE3)
    corners = [shot.at(shape[0], shape[1]), shot.at(shape[0] + shape[2] - 1, shape[1] + shape[3] - 1)]
    if corners != [DARKRED, DARKRED]:
        fail("the screenshot does not show the game window where Xwayland has it: %s at the corners of %s"
             % (corners, shape))

    # One short game: a guess, then the computer's first guess answered with 4 +.
    keyboard.press("alt+g", "n", "1", "0", "2", "3", "Return")
    within(20, lambda: Screen().count(controlrect(client, LABEL8), reddish) > 20,
           "the computer's guess did not appear after Confirm Number")
    keyboard.press("KP_Add", "KP_Add", "KP_Add", "KP_Add", "Return")
    lost = within(20, lambda: session.window("^ You have lost! My number was : [0-9]{4}$"),
                  "the lost window did not appear, framed by GNOME")
    within(10, lambda: session.active() == lost.id, "the lost window did not get the focus")
    place = session.client(lost)
    if place != LOST:
        fail("the lost window's client is at %d,%d %dx%d, not at its place %d,%d %dx%d" % (place + LOST))
    actions = session.atoms(lost, "_NET_WM_ALLOWED_ACTIONS")
    boxes = actions & {"_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_MINIMIZE",
                       "_NET_WM_ACTION_RESIZE"}
    if boxes or "_NET_WM_ACTION_CLOSE" not in actions:
        fail("the lost window is not a fixed dialog with a close box: " + ", ".join(sorted(actions)))
    if "_NET_WM_STATE_SKIP_TASKBAR" not in session.atoms(lost, "_NET_WM_STATE"):
        fail("the lost window is in the task bar")
    shot = Screen()
    left, top, width, height = LOST
    corners = [shot.at(left, top), shot.at(left + width - 1, top + height - 1)]
    if corners != [BLACK, BLACK] or shot.count((left + 8, top + 8, 233, 25), RED) < 50:
        fail("the screenshot does not show the lost window at %d,%d: corners %s" % (left, top, corners))
    print("the lost window's client is at %d,%d, %dx%d, framed by GNOME with %s, focused, out of the task bar"
          % (LOST + (session.cardinals(lost, "_NET_FRAME_EXTENTS"),)))
    if shot.count(controlrect(client, PICTURE2), reddish) < 20:
        fail("the computer's board shows no row before YES")
    keyboard.press("Return")
    within(10, lambda: session.window("^ You have lost!") is None, "Return did not close the lost window")
    within(10, lambda: Screen().count(controlrect(client, PICTURE2), reddish) == 0,
           "Return did not start a new game: the computer's board was not cleared")
    print("Return answered YES: the lost window closed and a new game started")
    stop_game()

    # GNOME's settings daemon tells X11 programs a scale of 2 as a font resolution of
    # 192 dpi; the headless shell has no such daemon.
    subprocess.run(["xrdb", "-merge"], input=b"Xft.dpi: 192\n", check=True)
    window = start_game(session, keyboard, overview, "scale 2")
    client2 = check_centred(session, window, "scale 2")
    if client2[2:] != (2 * client[2], 2 * client[3]):
        fail("at a scale of 2 the game window is %dx%d, not twice %dx%d" % (client2[2:] + client[2:]))
    shot = Screen()
    x, y, _, h = controlrect(client2, SHAPE3, 2)
    # The outline's left and top sides: 4 device pixels of its own colour, and the
    # window's face on either side, where a window scaled up afterwards would blend.
    for row in (y + 8, y + h // 2, y + h - 8):
        run = [shot.at(x + i, row) for i in range(-1, 6)]
        if run[1:5] != [DARKRED] * 4 or run[5] == DARKRED or max(run[5]) != min(run[5]):
            fail("at a scale of 2 the outline's left side is not 4 sharp pixels at row %d: %s" % (row, run))
    column = [shot.at(x + 50, y + i) for i in range(0, 6)]
    if column[:4] != [DARKRED] * 4 or column[4] == DARKRED or max(column[4]) != min(column[4]):
        fail("at a scale of 2 the outline's top side is not 4 sharp pixels: %s" % column)
    print("scale 2: the game window is twice its size, %dx%d, its outlines 4 device pixels wide and sharp"
          % client2[2:])
    stop_game()


main()
