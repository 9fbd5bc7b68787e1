# SPDX-License-Identifier: GPL-3.0-or-later
"""The Windows game as a Windows screen reader meets it, through UI Automation under Wine: the
main window's tree (the buttons by their Greek names, the score, 24 cards as buttons named by
number, row and column, their state in the description), the focus as keys move it, and a whole
round played with real clicks at the cards' rectangles, whose every move must reach UI Automation
as one notification with its exact text and urgency.

Usage: uia.py CLIENT_COMMAND... -- GAME_LOG
The game runs with Wine's uiautomation debug channel on, written to GAME_LOG: Wine 10 delivers no
notification to clients, but writes each UiaRaiseNotificationEvent call there."""
import re
import subprocess
import sys
import time

from checks import check, fail

TIMEOUT = 30  # Wine starts its programs slowly on a busy machine
TITLE = "Λαβυρίδες"
BUTTON, TEXT, WINDOW = 50000, 50020, 50032  # UI Automation's control type ids
IMPORTANT_ALL, ALL = 0, 2  # NotificationProcessing: assertive and polite


class Client:
    """The UI Automation client (uia_client.exe), answering one command at a time."""

    def __init__(self, command):
        self.process = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        text=True, encoding="utf-8", bufsize=1)
        self.focus = []  # focus changes as they come: (name, description)
        if self.line() != "ready":
            fail("the UI Automation client did not start")

    def line(self):
        text = self.process.stdout.readline()
        if not text:
            fail("the UI Automation client ended")
        return text.rstrip("\n")

    def ask(self, command, last):
        """The lines that answer a command, up to the line that begins with one of `last`; focus
        lines are kept aside."""
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()
        lines = []
        while not (text := self.line()).startswith(last):
            if text.startswith("focus\t"):
                self.focus.append(tuple(text.split("\t")[1:3]))
            else:
                lines.append(text)
        return lines, text

    def tree(self):
        """The main window's elements: (control type, name, description, (x, y, w, h)) each."""
        lines, last = self.ask(f"tree {TITLE}", ("end", "none"))
        elements = []
        for text in lines:
            _, kind, name, description, rect = text.split("\t")
            elements.append((int(kind), name, description, tuple(int(v) for v in rect.split())))
        return elements if last == "end" else None

    def describe(self, index):
        """The description of element `index` below the window in the last tree, read anew."""
        _, text = self.ask(f"describe {index}", ("description\t", "none"))
        return text.split("\t", 1)[1] if text != "none" else None

    def watch_focus(self):
        _, answer = self.ask("focus", ("watching", "no focus events"))
        check("a focus-changed handler can be added", answer == "watching")

    def drain_focus(self, until, seconds=10):
        """Reads focus lines until `until(self.focus)` holds or the deadline passes."""
        deadline = time.monotonic() + seconds
        while not until(self.focus):
            if time.monotonic() > deadline:
                return False
            self.ask("tree -", ("none",))  # a round trip lets waiting focus lines through
            time.sleep(0.05)
        return True


def card_name(i):
    return f"Κάρτα {i + 1}: σειρά {i // 6 + 1}, στήλη {i % 6 + 1}"


def poll(what, probe, seconds=TIMEOUT):
    deadline = time.monotonic() + seconds
    while not (value := probe()):
        if time.monotonic() > deadline:
            fail(f"{what} (after {seconds} s)")
        time.sleep(0.1)
    return value


def click(rect):
    x, y, w, h = rect
    subprocess.run(["xdotool", "mousemove", "--sync", str(x + w // 2), str(y + h // 2),
                    "click", "1"], check=True)


def notifications(log):
    """Every UiaRaiseNotificationEvent that Wine logged: (processing, text)."""
    found = []
    with open(log, encoding="utf-8", errors="replace") as lines:
        for line in lines:
            match = re.search(r"UiaRaiseNotificationEvent.*?\(.*?, (\d+), (\d+), L\"(.*?)\"", line)
            if match:
                text = re.sub(r"\\([0-9a-f]{4})", lambda m: chr(int(m.group(1), 16)), match[3])
                found.append((int(match[2]), text))
    return found


def as_wine_logs(text):
    """The part of a text that Wine's log keeps: a debug string stops once about 290 bytes of it
    are written, each Greek letter taking 5 (a backslash and four hexadecimal digits)."""
    written, kept = 2, 0
    while kept < len(text) and written <= 290:
        c = text[kept]
        written += 2 if c in '\n\r\t"\\' else 1 if " " <= c < "\x7f" else 5
        kept += 1
    return text[:kept]


def main():
    split = sys.argv.index("--")
    client, log = Client(sys.argv[1:split]), sys.argv[split + 1]
    elements = poll("the main window's tree has 24 cards in UI Automation",
                    lambda: (t := client.tree()) and sum(e[1].startswith("Κάρτα ") for e in t) == 24 and t)
    window, names = elements[0], {e[1]: e for e in elements}
    check("the main window is a window named 'Λαβυρίδες'", window[:2] == (WINDOW, TITLE))
    captions = ("Έναρξη παιχνιδιού", "Βοήθεια", "Έξοδος", "Τερματισμός της παρτίδας και εμφάνιση εικόνων")
    check("the four buttons are there by their Greek captions",
          all(names.get(c, (0,))[0] == BUTTON for c in captions))
    check("the score is a text 'Βαθμοί :'", names.get("Βαθμοί :", (0,))[0] == TEXT)
    check("the 24 cards are buttons named by number, row and column, each an empty place",
          all(names.get(card_name(i), (0, "", ""))[0::2] == (BUTTON, "κενή θέση") for i in range(24)))
    cards = [names[card_name(i)][3] for i in range(24)]

    client.watch_focus()
    subprocess.run(["xdotool", "key", "Return"], check=True)  # the start button has the focus
    # A card's state, read from that card alone (a whole tree is some hundred calls to the game).
    below = [e[1] for e in elements[1:]]
    description = lambda i: client.describe(below.index(card_name(i)))
    poll("Enter on the start button deals", lambda: description(0) == "κλειστή κάρτα")
    expected = [card_name(0), card_name(1), card_name(23)]
    subprocess.run(["xdotool", "key", "shift+Tab", "Home", "Right", "End"], check=True)
    moved = lambda seen: [n for n, _ in seen if n.startswith("Κάρτα ")][-3:] == expected
    check("the focus follows Shift+Tab, Home, Right and End over the cards, as UI Automation "
          f"reports it: {[n for n, _ in client.focus][-4:]}", client.drain_focus(moved))
    check("a focused card tells its state", client.focus[-1][1] == "κλειστή κάρτα")

    # A round won with real clicks, remembering every photo seen. What each move must announce
    # is what the accessibility test on Linux hears; here it is read from Wine's log.
    told = [(ALL, "Νέα παρτίδα: 24 κλειστές κάρτες. Βαθμοί: 20.")]
    known, found, face_up, score = {}, set(), set(), 20

    def turn(card):
        click(cards[card])
        photo = poll(f"card {card + 1} shows its photo after a click",
                     lambda: (d := description(card)) != "κλειστή κάρτα" and d)
        known[card] = photo.split(": ", 1)[1]

    while len(found) < 24:
        pairs = [(a, b) for a in known for b in known
                 if a < b and not {a, b} & found and known[a] == known[b]]
        first = sorted(pairs[0], key=lambda c: c in face_up)[0] if pairs else min(set(range(24)) - set(known))
        covered = sorted(face_up)
        turn(first)
        text = f"Κάρτα {first + 1}: {known[first]}."
        if covered:
            text += f" Οι κάρτες {covered[0] + 1} και {covered[1] + 1} έκλεισαν."
        told.append((ALL, text))
        partners = [c for c in known if c != first and c not in found and known[c] == known[first]]
        second = partners[0] if partners else min(set(range(24)) - set(known))
        turn(second)
        face_up = set()
        text = f"Κάρτα {second + 1}: {known[second]}."
        if known[second] == known[first]:
            found |= {first, second}
            if len(found) < 24:
                text += f" Ζευγάρι! Βρέθηκ{'ε' if len(found) == 2 else 'αν'} {len(found) // 2} από τα 12 ζευγάρια."
        else:
            score -= 1
            face_up = {first, second}
            text += f" Δεν ταιριάζει. Βαθμοί: {score}."
        told.append((ALL, text))
    points = f"{score} βαθμό" if score == 1 else f"{score} βαθμούς"
    told[-1] = (IMPORTANT_ALL, told[-1][1] + f" Ζευγάρι! Βρήκατε και τα 12 ζευγάρια. Κερδίσατε με {points}!")
    poll("the score label tells the win",
         lambda: f"Βαθμοί : {score}. Κερδίσατε!" in {e[1] for e in client.tree()})

    raised = poll("Wine logged the win's notification", lambda: len(notifications(log)) >= len(told)
                  and notifications(log), 10)
    for i, (want, got) in enumerate(zip(told, raised)):
        if (want[0], as_wine_logs(want[1])) != got:
            fail(f"notification {i + 1} of {len(told)}: expected {want}, UI Automation got {got}")
    check(f"each of the round's {len(told)} moves reached UI Automation once, in order, with its "
          "exact text (as far as Wine's log keeps it), polite, and the win assertive",
          len(raised) == len(told))
    client.process.stdin.write("quit\n")
    client.process.stdin.close()
    client.process.wait(TIMEOUT)


if __name__ == "__main__":
    main()
