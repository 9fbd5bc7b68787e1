# SPDX-License-Identifier: GPL-3.0-or-later
"""The running game as a screen reader meets it over AT-SPI (pyatspi): the application, windows,
buttons and cards with their roles, names and states; a whole round won only through the cards'
Press action by a player who knows no more than the cards' descriptions say; each move's
announcement as the events that carry its text; the help dialog and its text."""
import time

import pyatspi
from gi.repository import GLib

from checks import check, fail

TIMEOUT = 10  # seconds to wait for anything the game should do


def pump(until, seconds=TIMEOUT):
    """Runs the event loop until `until()` is true; returns whether it became true in time."""
    context, deadline = GLib.MainContext.default(), time.monotonic() + seconds
    while not until():
        if time.monotonic() > deadline:
            return False
        while context.pending():
            context.iteration(False)
        time.sleep(0.01)
    return True


def sensitive(accessible):
    return accessible.getState().contains(pyatspi.STATE_SENSITIVE)


def actions(accessible):
    action = accessible.queryAction()
    return [action.getName(i) for i in range(action.nActions)]


def press(accessible):
    if "Press" not in actions(accessible):
        fail(f"'{accessible.name}' offers no Press action")
    accessible.queryAction().doAction(actions(accessible).index("Press"))


def child(parent, name):
    return next((c for c in parent if c is not None and c.name == name), None)


class Announcements:
    """The announcer's events: the text inserted, and the notification shown."""

    def __init__(self):
        self.inserted, self.shown = [], []
        pyatspi.Registry.registerEventListener(
            self.on_event, "object:text-changed:insert", "object:state-changed:showing")

    def on_event(self, event):
        try:
            if event.source.getRole() != pyatspi.ROLE_NOTIFICATION:
                return
        except GLib.Error:  # from an object that is gone, such as a closed window's
            return
        if event.type == "object:text-changed:insert":
            self.inserted.append(event.any_data)
        elif event.type == "object:state-changed:showing" and event.detail1 == 1:
            self.shown.append(event.source.name)

    def next(self, seconds=TIMEOUT):
        """The next announcement's text, once both events have carried it; None if none came."""
        if not pump(lambda: self.inserted and self.shown, seconds):
            return None
        text, shown = self.inserted.pop(0), self.shown.pop(0)
        if text != shown:
            fail(f"the inserted text {text!r} and the shown notification {shown!r} differ")
        return text


def main():
    deadline = time.monotonic() + TIMEOUT
    while (app := child(pyatspi.Registry.getDesktop(0), "Λαβυρίδες")) is None:
        if time.monotonic() > deadline:
            fail("no application named 'Λαβυρίδες' on the AT-SPI desktop")
        time.sleep(0.2)
    print("ok: the application 'Λαβυρίδες' is on the AT-SPI desktop")
    window = child(app, "Λαβυρίδες")
    check("the main window is a frame named 'Λαβυρίδες'", window.getRole() == pyatspi.ROLE_FRAME)
    roles = [c.getRole() for c in window]
    check("it presents 4 buttons, the score, 24 cards and a notification, nothing else",
          len(roles) == 30 and roles.count(pyatspi.ROLE_PUSH_BUTTON) == 28
          and roles.count(pyatspi.ROLE_LABEL) == 1 and roles.count(pyatspi.ROLE_NOTIFICATION) == 1)
    cards = [child(window, f"Κάρτα {i + 1}: σειρά {i // 6 + 1}, στήλη {i % 6 + 1}") for i in range(24)]
    label = next(c for c in window if c.getRole() == pyatspi.ROLE_LABEL)
    start = child(window, "Έναρξη παιχνιδιού")
    check("the cards are named by number, row and column, and the buttons by their captions",
          all(cards) and all(child(window, name) for name in (
              "Έναρξη παιχνιδιού", "Βοήθεια", "Έξοδος", "Τερματισμός της παρτίδας και εμφάνιση εικόνων")))
    check("before a round every card is an empty place that cannot be pressed",
          all(c.description == "κενή θέση" and not sensitive(c) and not actions(c) for c in cards))

    announcements = Announcements()
    # Qt learns of a new listener asynchronously: deal until an announcement is heard. A deal
    # pressed again meanwhile may still be announced later: such an announcement is passed over.
    dealt = "Νέα παρτίδα: 24 κλειστές κάρτες. Βαθμοί: 20."
    for attempt in range(5):
        press(start)
        if (text := announcements.next(2)) is not None:
            break
    check("the deal is announced", text == dealt)
    check("every card is covered, can be pressed, and offers Press and SetFocus",
          all(c.description == "κλειστή κάρτα" and sensitive(c) and actions(c) == ["Press", "SetFocus"]
              for c in cards))

    known, found, face_up, score = {}, set(), set(), 20

    def turn(card):
        press(cards[card])
        text = announcements.next()
        while text == dealt and attempt > 0:
            text = announcements.next()
        if text is None:
            fail(f"no announcement after pressing card {card + 1}")
        known[card] = cards[card].description.split(": ", 1)[1]
        return text

    while len(found) < 24:
        pairs = [(a, b) for a in known for b in known
                 if a < b and not {a, b} & found and known[a] == known[b]]
        # A known pair first (the card still face up from a mismatch goes second), else a new card.
        first = sorted(pairs[0], key=lambda c: c in face_up)[0] if pairs else min(set(range(24)) - set(known))
        covered = sorted(face_up)
        text = turn(first)
        expected = f"Κάρτα {first + 1}: {known[first]}."
        if covered:
            expected += f" Οι κάρτες {covered[0] + 1} και {covered[1] + 1} έκλεισαν."
        if text != expected or sensitive(cards[first]) or actions(cards[first]):
            fail(f"card {first + 1}: announced {text!r}, expected {expected!r}, and pressable no more")
        partners = [c for c in known if c != first and c not in found and known[c] == known[first]]
        second = partners[0] if partners else min(set(range(24)) - set(known))
        text = turn(second)
        face_up = set()
        if known[second] == known[first]:
            found |= {first, second}
            if not text.startswith(f"Κάρτα {second + 1}: {known[second]}. Ζευγάρι! "):
                fail(f"pair {first + 1}, {second + 1} announced as {text!r}")
            continue
        score -= 1
        face_up = {first, second}
        if (text != f"Κάρτα {second + 1}: {known[second]}. Δεν ταιριάζει. Βαθμοί: {score}."
                or label.name != f"Βαθμοί : {score}"
                or not cards[first].description.startswith("δεν ταίριαξε, θα κλείσει: ")):
            fail(f"mismatch {first + 1}, {second + 1}: {text!r}, {label.name!r}, "
                 f"{cards[first].description!r}")
    points = f"{score} βαθμό" if score == 1 else f"{score} βαθμούς"
    check(f"the win is announced with the final score: {text!r}",
          text.endswith(f"Ζευγάρι! Βρήκατε και τα 12 ζευγάρια. Κερδίσατε με {points}!"))
    check("the score label says so", label.name == f"Βαθμοί : {score}. Κερδίσατε!")
    check("every card is part of a found pair and cannot be pressed",
          all(c.description.startswith("βρέθηκε ζευγάρι: ") and not sensitive(c) for c in cards))

    press(child(window, "Βοήθεια"))
    pump(lambda: child(app, "Βοήθεια στις λαβυρίδες") is not None)
    dialog = child(app, "Βοήθεια στις λαβυρίδες")
    check("the help window is a dialog", dialog and dialog.getRole() == pyatspi.ROLE_DIALOG)
    text = [c.name for c in dialog if c.getRole() == pyatspi.ROLE_LABEL]
    check("its text can be read, all 13 lines of it",
          len(text) == 1 and text[0].startswith("   Οι \"Λαβυρίδες\" είναι ένα παιχνίδι μνήμης")
          and text[0].endswith("\nΚαλή διασκέδαση!") and text[0].count("\n") == 12)
    check("the main window cannot be used meanwhile", not sensitive(window))
    press(child(dialog, "OK"))
    check("OK closes it", pump(lambda: child(app, "Βοήθεια στις λαβυρίδες") is None))
    try:
        press(child(window, "Έξοδος"))
    except GLib.Error:  # the program may end before it answers
        pass


if __name__ == "__main__":
    main()
