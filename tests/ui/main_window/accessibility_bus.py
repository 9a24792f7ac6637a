#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# Plays one game of Numora over the AT-SPI bus the way a screen reader user does: every
# press is an action on a button or menu item, every fact is read from names, text and
# states. The player's secret is known here and every answer is honest.
import itertools
import re
import sys
import time

import pyatspi
from gi.repository import GLib

SECRET = "4096"
heard = []


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def listen(event):
    """Records an event as its kind, its object's name and its data; news, announced (Qt
    6.8) or shown as a notification (Qt 6.4), as "news" and its words."""
    if event.type.startswith("object:state-changed:") and not event.detail1:
        return  # a state that ends
    try:
        if event.type.startswith("object:announcement"):
            heard.append(("news", str(event.any_data), ""))
        elif event.type.startswith("object:state-changed:showing"):
            if event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
                heard.append(("news", event.source.name, ""))
        else:
            heard.append((event.type, event.source.name, str(event.any_data)))
    except Exception:  # the source may be gone already
        pass


def pump():
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def until(what, probe, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        pump()
        try:
            found = probe()
        except Exception:  # objects come and go while the game moves on
            found = None
        if found:
            return found
        time.sleep(0.02)
    fail("timed out waiting for " + what)


def descendants(root):
    stack = [root]
    while stack:
        node = stack.pop()
        yield node
        try:
            stack.extend(child for child in reversed(list(node)) if child is not None)
        except Exception:
            pass


def find(root, role, name):
    for node in descendants(root):
        if node.getRole() == role and node.name == name:
            return node
    return None


def states(node):
    node.clearCache()
    return node.getState()


def text(node):
    t = node.queryText()
    return t.getText(0, t.characterCount)


def press(node):
    action = node.queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    action.doAction(names.index("press") if "press" in names else 0)


def signs(guess, secret):
    plus = sum(g == s for g, s in zip(guess, secret))
    return plus, sum(g in secret for g in guess) - plus


def endwindow(app):
    for window in app:
        if window is not None and re.search(r"lost|Won|draw", window.name or ""):
            return window
    return None


def main():
    for kind in ("object:text-changed", "object:children-changed", "object:state-changed:checked",
                 "object:state-changed:focused", "object:state-changed:showing", "object:announcement"):
        pyatspi.Registry.registerEventListener(listen, kind)
    desktop = pyatspi.Registry.getDesktop(0)
    app = until("the game on the bus", lambda: next((a for a in desktop if a is not None and a.name == "Numora"), None))
    frame = until("the game window", lambda: find(app, pyatspi.ROLE_FRAME, "Numora"))
    button = {name: until("button " + name, lambda n=name: find(frame, pyatspi.ROLE_PUSH_BUTTON, n))
              for name in [str(d) for d in range(10)] + ["C", "CA", "Confirm Number", "Confirm Signs"]
              + ["%d %s" % (n, s) for n in range(5) for s in ("plus", "minus")]}
    mine = until("My guess is", lambda: find(frame, pyatspi.ROLE_LABEL, "My guess is"))
    yours = until("Your guess is", lambda: find(frame, pyatspi.ROLE_LABEL, "Your guess is"))
    myboard = until("My progress", lambda: find(frame, pyatspi.ROLE_LIST, "My progress"))
    yourboard = until("Your progress", lambda: find(frame, pyatspi.ROLE_LIST, "Your progress"))
    if states(button["1"]).contains(pyatspi.STATE_ENABLED):
        fail("the digit keypad is open before a game")

    press(until("Game > New", lambda: find(frame, pyatspi.ROLE_MENU_ITEM, "New")))
    until("the digit keypad to open", lambda: states(button["1"]).contains(pyatspi.STATE_ENABLED))

    possible = ["".join(p) for p in itertools.permutations("0123456789", 4) if p[0] != "0"]
    end = None
    for turn in range(12):
        guess = possible[0]
        for typed in range(1, 5):
            press(button[guess[typed - 1]])
            until("digit %d of %s" % (typed, guess), lambda t=typed: text(yours) == guess[:t])
        for digit in "0123456789":
            if states(button[digit]).contains(pyatspi.STATE_CHECKED) != (digit in guess):
                fail("digit %s reads %s in use" % (digit, "not" if digit in guess else "as"))
        press(button["Confirm Number"])
        row = until("my guess on Your progress", lambda: yourboard.childCount == turn + 1 and yourboard[turn])
        spoken = re.fullmatch(r"(\d{4}): (?:no signs|(?:(\d) plus)?(?:, )?(?:(\d) minus)?)", row.description)
        if not spoken or spoken.group(1) != guess:
            fail("row %r reads %r" % (row.name, row.description))
        answer = (int(spoken.group(2) or 0), int(spoken.group(3) or 0))
        possible = [p for p in possible if signs(guess, p) == answer]

        last = "Your guess %s: " % guess
        shown = until("the computer's guess or an end",
                      lambda: endwindow(app) or (len(text(mine)) == 4 and text(mine)))
        if not isinstance(shown, str):
            end = shown
            break
        print("turn %d: I guessed %s, %s; the computer guesses %s" % (turn + 1, guess, row.description, shown))
        for zero in ("0 plus", "0 minus"):
            if not states(button[zero]).contains(pyatspi.STATE_CHECKED):
                fail(zero + " is not chosen when the sign entry opens")
        plus, minus = signs(shown, SECRET)
        press(button["%d plus" % plus])
        press(button["%d minus" % minus])
        until("the chosen signs", lambda: states(button["%d plus" % plus]).contains(pyatspi.STATE_CHECKED)
              and states(button["%d minus" % minus]).contains(pyatspi.STATE_CHECKED))
        last = "My guess %s: " % shown
        press(button["Confirm Signs"])
        until("my answer on My progress", lambda: myboard.childCount == turn + 1)
        if myboard[turn].name.split()[0] != shown:
            fail("My progress row %r is not the guess %s" % (myboard[turn].name, shown))
        end = until("the next entry or an end", lambda: endwindow(app) or (
            states(button["1"]).contains(pyatspi.STATE_ENABLED) and "open"))
        if end != "open":
            break
    else:
        fail("no end after 12 turns")

    labels = [node.name for node in descendants(end) if node.getRole() == pyatspi.ROLE_LABEL and node.name]
    print("end window %r says %s" % (end.name, labels))
    if "lost" in end.name and not re.fullmatch(r" You have lost! My number was : \d{4}", end.name):
        fail("the loss caption does not name the number: %r" % end.name)
    if not any("Play again?" in label for label in labels):
        fail("the end window's labels are not read")

    # The answer that ended the game is heard after the end window, once its YES has the focus.
    def heardat(kind, words):
        """Where the first such event is in what was heard, counting from 1; 0 where none."""
        return next((i + 1 for i, (k, name, _) in enumerate(heard) if k == kind and words in (name or "")), 0)
    answered = until("the last answer, " + last, lambda: heardat("news", last))
    if not 0 < heardat("object:state-changed:focused", "YES") < answered:
        fail("the last answer came before the end window: %r" % heard[-12:])

    pump()
    kinds = {(kind, name) for kind, name, _ in heard}
    for expected in [("object:text-changed:insert", "My guess is"), ("object:text-changed:insert", "Your guess is"),
                     ("object:children-changed:add", "Your progress"), ("object:state-changed:checked", "0 plus")]:
        if not any(kind.startswith(expected[0]) and name == expected[1] for kind, name in kinds):
            fail("nothing heard of %s on %s" % expected)
    press(find(end, pyatspi.ROLE_PUSH_BUTTON, "NO"))
    print("PASS")


main()
