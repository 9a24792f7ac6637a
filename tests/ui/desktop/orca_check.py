#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# One whole game of Numora played by keys alone, at a person's pace, while Orca listens;
# every check is on what Orca speaks, read from its debug log as it is written. The
# player's own number is known here and every answer is honest; the player's guesses
# follow what Orca said of the earlier ones.
#   orca_check.py ORCA_LOG SEEDED_GAME GAME_OUTPUT
import itertools
import re
import subprocess
import sys
import time

import Xlib.X
import Xlib.display

LOG, GAME, GAME_OUTPUT = sys.argv[1:4]
SECRET = "4096"
SEED = "1"
# Tab order of the open entries, Confirm Number and Confirm Signs last.
DIGIT_ORDER = ["7", "8", "9", "4", "5", "6", "1", "2", "3", "0", "C", "CA", "Confirm Number"]
SIGN_ORDER = ["4 plus", "4 minus", "3 plus", "3 minus", "2 plus", "2 minus", "1 plus", "1 minus",
              "0 plus", "0 minus", "Confirm Signs"]
# A button's role: "push button" in Orca 43, "button" in Orca 48.
BUTTON = r"(?:push )?button"
UTTERANCE = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\w+)? ?\{'", re.S)
presses = 0


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


class Speech:
    """What Orca has said, and how much of it the test has already listened to."""

    def __init__(self):
        self.heard = 0

    @staticmethod
    def all():
        with open(LOG, encoding="utf-8", errors="replace") as log:
            return [m.group(1).strip() for m in UTTERANCE.finditer(log.read())]

    def awaits(self, pattern, seconds):
        """The first utterance matching `pattern` after those already listened to, if it
        comes within `seconds`."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            said = self.all()
            for index in range(self.heard, len(said)):
                found = re.search(pattern, said[index])
                if found:
                    self.heard = index + 1
                    return found
            time.sleep(0.1)
        return None

    def expect(self, what, pattern, seconds=20):
        """Waits for an utterance matching `pattern` after those already listened to."""
        return self.awaits(pattern, seconds) or fail(
            "Orca did not say %s (%r); it said: %r" % (what, pattern, self.all()[self.heard:]))

    def collect(self, mark, patterns, seconds=20):
        """What Orca said from utterance `mark` on, once each pattern has matched one."""
        deadline = time.monotonic() + seconds
        while True:
            said = self.all()[mark:]
            if all(any(re.search(p, s) for s in said) for p in patterns):
                self.heard = mark + len(said)
                return said
            if time.monotonic() > deadline:
                fail("Orca did not say all of %r; it said: %r" % (patterns, said))
            time.sleep(0.1)

    def quiet(self, seconds=1.5):
        """What Orca says in the next moments, once it has settled."""
        time.sleep(seconds)
        said = self.all()[self.heard:]
        self.heard += len(said)
        return said


def described(speech, what, name, description, found=None):
    """A control and its tooltip, which Orca 43 speaks after the name and Orca 48 with
    it; `found` is the name's utterance where the caller has heard it already. Orca 48
    sometimes names the focus in a window it has just announced without the tooltip;
    the player then asks where the focus is (keypad Enter, "where am I") and hears it."""
    found = found or speech.expect(what, name)
    if re.search(description, found.string) or speech.awaits(description, 3):
        return
    key("KP_Enter")
    speech.expect(what + "'s tooltip", description)


def ended(told, answer):
    """Whether the game has ended; if so, its end window was read before the answer
    that ended it, which the news tells once the focus is in the window."""
    ends = [i for i, said in enumerate(told) if "Play again?" in said]
    if ends and ends[0] > next(i for i, said in enumerate(told) if re.search(answer, said)):
        fail("the answer came before the end window: %r" % told)
    return bool(ends)


def until(what, condition, seconds=20):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            fail("no sign of " + what)
        time.sleep(0.1)


def key(name, hold=0.1):
    """A key pressed and released as a person does; a chord holds its modifier."""
    global presses
    presses += 1
    *modifiers, last = name.split("+")
    for modifier in modifiers:
        subprocess.run(["xdotool", "keydown", modifier], check=True)
        time.sleep(0.05)
    subprocess.run(["xdotool", "keydown", last], check=True)
    time.sleep(0.15 if modifiers else hold)
    subprocess.run(["xdotool", "keyup", last], check=True)
    for modifier in reversed(modifiers):
        subprocess.run(["xdotool", "keyup", modifier], check=True)
    time.sleep(0.4)


def tabto(order, frm, to, speech):
    """Moves the focus along the open entry's Tab order, the shorter way round."""
    step = (order.index(to) - order.index(frm)) % len(order)
    back = step > len(order) // 2
    for _ in range(len(order) - step if back else step):
        key("shift+Tab" if back else "Tab")
    speech.expect("the focus on " + to, r"^%s %s" % (re.escape(to), BUTTON))


def signs(guess, secret):
    plus = sum(g == s for g, s in zip(guess, secret))
    return plus, sum(g in secret for g in guess) - plus


def typeguess(guess, speech, mainrow):
    """Types a guess on the digit buttons, or with the main keyboard row's digits."""
    for typed in range(1, 5):
        digit = guess[typed - 1]
        if mainrow:
            key(digit)
        else:
            tabto(DIGIT_ORDER, "Confirm Number", digit, speech)
            key("space")
        speech.expect("the guess so far", r"^%s\.?$" % guess[:typed])


def main():
    # A key held longer than meant, when the machine is busy, must not repeat.
    display = Xlib.display.Display()
    display.change_keyboard_control(auto_repeat_mode=Xlib.X.AutoRepeatModeOff)
    display.sync()
    speech = Speech()
    speech.expect("that it is on", r"Screen reader on", seconds=60)
    with open(GAME_OUTPUT, "w") as output:
        game = subprocess.Popen([GAME, SEED], stdout=output, stderr=subprocess.STDOUT)
    try:
        play(speech)
    finally:
        game.kill()
        game.wait()
    with open(GAME_OUTPUT) as output:
        warnings = [line for line in output if "Accessible invalid" in line]
    if warnings:
        fail("Qt reported %d objects that are gone, first: %s" % (len(warnings), warnings[0].strip()))
    print("PASS")


def activewindow():
    return subprocess.run(["xdotool", "getactivewindow", "getwindowname"],
                          capture_output=True, text=True).stdout.strip()


def readwindows(speech):
    """About read as it opens; the help page read line by line and by say-all, in order."""
    key("alt+a")
    speech.expect("About", r"^About the game\.\.\. dialog Tavrel 2\.0 \(the smarter version\) "
                  r"Number Guessing Game\. Written by Orin Vale\.? E-mail address: \S+@")
    # Orca 43 follows the focus into the dialog and names the button; Orca 48, when the
    # dialog opens under the key that opened it, moves its focus there silently. The
    # player asks where the focus is (keypad Enter, "where am I") and hears the same.
    ok = speech.awaits(r"^OK " + BUTTON, 3)
    if not ok:
        key("KP_Enter")
    described(speech, "the OK button", r"^OK " + BUTTON, r"Move your mouse on the picture!", ok)
    key("Tab")
    described(speech, "the photograph", r"^Photograph",
              r"That was what I used to do before I began writing unnecessary")
    key("Escape")
    until("the game window to be active again", lambda: activewindow() == "Numora")
    key("alt+h")
    speech.expect("the help page", r"^Game Help read only text")
    for line in ("THE GAME", "This is a game of numbers"):
        key("Down")
        speech.expect("a line of the help page", "^" + line)
    key("Up")
    speech.expect("the line before", "^THE GAME")
    order = [r"^THE GAME", r"^GAME RULES", r"^An example", r"^GAME STRATEGY"]

    def sayall():
        with open(LOG, encoding="utf-8", errors="replace") as log:
            # Orca 43 names the text it reads, "[text | Game Help]"; Orca 48 its object.
            return re.findall(r"SAY ALL: (?:\[text \| Game Help\]|<Atspi\.Accessible [^>]*>) '([^']*)", log.read())

    def unread():
        left = list(order)
        for line in sayall():
            if left and re.search(left[0], line):
                left.pop(0)
        return left

    # Say-all (keypad "+") reads on from the caret. Now and then Orca's say-all waits
    # for ever for the speech server's word that a line was spoken; a listener whose
    # reading stopped presses the key again.
    presses, heard, since = 0, -1, 0.0
    deadline = time.monotonic() + 90
    while unread():
        if time.monotonic() > deadline:
            fail("say-all did not read the help page in order; not heard: %r" % unread())
        if len(sayall()) != heard:
            heard, since = len(sayall()), time.monotonic()
        elif time.monotonic() - since > 5 and presses < 5 or presses == 0:
            key("KP_Add")
            presses, since = presses + 1, time.monotonic()
        time.sleep(0.1)
    key("alt+F4")
    until("the game window to be active after Help", lambda: activewindow() == "Numora")


def play(speech):
    global presses
    speech.expect("the game window", r"^Numora frame")
    until("the game window to be active", lambda: activewindow() == "Numora")
    readwindows(speech)
    # A menu that pops up while the window manager is still placing the window may be
    # closed under the player: they close what is left of it and open it again.
    for attempt in range(4):
        key("alt+g")
        if speech.awaits(r"^New", 15):
            key("n")
            if speech.awaits(r"^Confirm Number " + BUTTON, 15):
                break
        key("Escape")
        key("Escape")
    else:
        fail("Game > New never opened the number entry")

    possible = ["".join(p) for p in itertools.permutations("0123456789", 4) if p[0] != "0"]
    tried = []
    for turn in range(12):
        guess = possible[0]
        presses = 0
        typeguess(guess, speech, mainrow=turn % 2 == 1)
        mark = len(speech.all())
        key("Return")
        shape = r"Your guess %s: (?:no signs|(?:(\d) plus)?(?:, )?(?:(\d) minus)?)" % guess
        told = speech.collect(mark, [shape, r"My guess is \d{4}|Play again\?"])
        row = next(re.search(shape, said) for said in told if re.search(shape, said))
        answer = (int(row.group(1) or 0), int(row.group(2) or 0))
        possible = [p for p in possible if signs(guess, p) == answer]
        tried.append(guess)
        if ended(told, shape):
            break  # the game ended with the player's guess
        mine = next(re.search(r"My guess is (\d{4})", said) for said in told if "My guess is" in said)
        print("turn %d: %s took %d key presses; Orca said %r" % (turn + 1, guess, presses, row.string))
        shown = mine.group(1)
        plus, minus = signs(shown, SECRET)
        presses = 0
        at = "Confirm Signs"
        for count, sign in ((plus, "plus"), (minus, "minus")):
            if count:
                tabto(SIGN_ORDER, at, "%d %s" % (count, sign), speech)
                key("space")
                speech.expect("the chosen count", r"^%d %s chosen" % (count, sign))
                at = "%d %s" % (count, sign)
        if at != "Confirm Signs":
            tabto(SIGN_ORDER, at, "Confirm Signs", speech)
        mark = len(speech.all())
        key("Return")
        print("    answered %s with %d plus, %d minus in %d key presses" % (shown, plus, minus, presses))
        # The answer is told whether the game goes on or ends.
        answer = r"^My guess %s: " % shown
        told = speech.collect(mark, [answer, r"Play again\?|^Confirm Number " + BUTTON])
        if ended(told, answer):
            break
        if turn == 0:
            # Both boards re-read on demand, each by its name.
            key("F2")
            speech.expect("the player's board", r"^Your progress: %s: " % guess)
            key("F3")
            speech.expect("the computer's board", r"^My progress: %s: " % shown)
            # The guess just answered, typed again, is refused with a message heard once.
            typeguess(tried[0], speech, mainrow=False)
            key("Return")
            speech.expect("the message", r"You have tried that number before!")
            again = [s for s in speech.quiet() if "You have tried that number before!" in s]
            if again:
                fail("the message was spoken again: %r" % again)
            key("Return")
            speech.expect("the focus back on Confirm Number", r"^Confirm Number " + BUTTON)
            tabto(DIGIT_ORDER, "Confirm Number", "CA", speech)
            key("space")
            speech.expect("the guess cleared", r"^cleared")
            tabto(DIGIT_ORDER, "CA", "Confirm Number", speech)
    else:
        fail("no end after 12 turns")
    # YES: a new game, its entry focused, its boards empty.
    if not any(re.match("YES " + BUTTON, said) for said in told):
        speech.expect("YES focused in the end window", r"^YES " + BUTTON)
    key("Return")
    speech.expect("the focus on the new game's entry", r"^Confirm Number " + BUTTON)
    key("F2")
    speech.expect("the player's board emptied", r"^Your progress: no rows yet")


main()
