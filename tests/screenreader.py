#!/usr/bin/python3
"""Reads Math, Month and Edit through AT-SPI as a screen reader does.

Each program runs on the X server of the environment without a window
manager, with Qt's accessibility bridge on, and is read and driven through
the AT-SPI client library: its tree, its events and keyboard input sent
through the accessibility registry (XTest). The pointer is parked away from
the windows, so no key reaches a window that does not hold the focus.

    screenreader.py <folder of Math, Month and Edit>

CTest runs it under xvfb-run and dbus-run-session, whose session bus starts
the accessibility bus and its registry on demand.
"""

import os
import re
import sys

from atspisession import (Atspi, application_of, end, find, hold, objects, park_the_pointer, press, press_with,
                          start, type_text, wait_for)

INTERACTIVE = {
    Atspi.Role.PUSH_BUTTON, Atspi.Role.RADIO_BUTTON, Atspi.Role.CHECK_BOX, Atspi.Role.TEXT,
    Atspi.Role.ENTRY, Atspi.Role.LIST, Atspi.Role.MENU_ITEM, Atspi.Role.MENU, Atspi.Role.COMBO_BOX,
}

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)
    return condition


def is_focused(item):
    item.clear_cache()
    return item.get_state_set().contains(Atspi.StateType.FOCUSED)


def related(item, relation):
    """The names of the objects item has the relation to."""
    names = []
    for found in item.get_relation_set():
        if found.get_relation_type() == relation:
            names += [found.get_target(i).get_name() for i in range(found.get_n_targets())]
    return names


class Program:
    """A program started for the test, its application object and the
    notifications it shows."""

    def __init__(self, path):
        self.process = start(path)
        self.notices = []
        self.listener = Atspi.EventListener.new(self.heard)
        self.listener.register("object:state-changed:showing")
        self.app = wait_for(lambda: application_of(self.process))
        if not self.app:
            raise RuntimeError(path + " did not appear on the accessibility bus")

    def heard(self, event):
        # What a screen reader speaks without a move of the focus: a
        # notification as it is shown.
        if event.detail1 and event.source.get_role() == Atspi.Role.NOTIFICATION:
            self.notices.append(event.source.get_name())

    def windows(self):
        return [self.app.get_child_at_index(i) for i in range(self.app.get_child_count())]

    def every_control_has_a_name(self, program):
        unnamed = [item.get_role_name() for item in objects(self.app)
                   if item.get_role() in INTERACTIVE and not item.get_name()]
        check(not unnamed, f"{program}: every interactive control has a name {unnamed or ''}")

    def answer_boxes(self, program, control, open_a_box):
        """Opens a box with open_a_box(seconds), which ends on Return held for
        that long, and closes it with a key pressed as a person does: Return
        twice and Space once, the first time after Return was held as the box
        opened, which must not answer it. After each the keyboard is back on
        control. A listening client puts Qt's accessibility bridge between
        the keys and the box."""
        for held, key in ((1.5, "Return"), (0.15, "Return"), (0.15, "space")):
            open_a_box(held)
            check(wait_for(lambda: len(self.windows()) > 1, 5), f"{program}: a box opens")
            if held > 1:
                check(len(self.windows()) > 1, f"{program}: Return held as the box opens does not answer it")
            hold(key, 0.15)
            check(wait_for(lambda: len(self.windows()) == 1, 5), f"{program}: {key} closes the box")
            check(wait_for(lambda: is_focused(control), 5), f"{program}: the focus is back on {control.get_name()}")

    def end(self):
        self.listener.deregister("object:state-changed:showing")
        end(self.process)


def read_math(folder):
    math = Program(os.path.join(folder, "Math"))
    window = math.windows()[0]
    check(window.get_role() == Atspi.Role.FRAME, "Math: the window is a frame")
    math.every_control_has_a_name("Math")
    answer = find(math.app, Atspi.Role.TEXT, "Answer")
    check(wait_for(lambda: is_focused(answer)), "Math: the answer box has the keyboard at start")

    problem = re.fullmatch(r"(\d+) (plus|minus) (\d+) equals", answer.get_description())
    check(problem, f"Math: the answer box describes the problem ({answer.get_description()!r})")
    first, operation, second = int(problem[1]), problem[2], int(problem[3])
    check(find(math.app, Atspi.Role.IMAGE, operation) is not None, "Math: the sign is read as the operation")

    type_text(str(first + second if operation == "plus" else first - second))
    press("Return")
    check(wait_for(lambda: any(re.fullmatch(r"Correct\. \d+ plus \d+ equals", n) for n in math.notices), 5),
          f"Math: a correct answer and the next problem are told ({math.notices})")
    check(re.fullmatch(r"\d+ plus \d+ equals", answer.get_description()),
          f"Math: the answer box describes the new problem alone ({answer.get_description()!r})")
    check(find(math.app, Atspi.Role.LABEL, "Correct answers 1") is not None
          and find(math.app, Atspi.Role.LABEL, "Incorrect answers 0") is not None,
          "Math: the counts are read with their values")

    math.answer_boxes("Math", answer, lambda held: (type_text("1000"), hold("Return", held)))
    type_text("7")
    check(wait_for(lambda: Atspi.Text.get_text(answer, 0, -1) == "7", 5),
          "Math: keys reach the answer box after the box")
    math.end()


def read_month(folder):
    month = Program(os.path.join(folder, "Month"))
    month.every_control_has_a_name("Month")
    principal = find(month.app, Atspi.Role.TEXT, "Principal")
    check(wait_for(lambda: is_focused(principal)), "Month: the principal box has the keyboard at start")

    press("Tab")
    press("Tab")
    term = find(month.app, Atspi.Role.RADIO_BUTTON, "5 years")
    check(wait_for(lambda: is_focused(term), 5), "Month: Tab enters the term group at the checked term")
    check("Term:" in related(term, Atspi.RelationType.LABELLED_BY), "Month: the term buttons are labelled Term")

    press("Tab")  # to Calculate
    press("Tab")  # and round to the principal
    check(wait_for(lambda: is_focused(principal), 5), "Month: Tab goes round to the principal")
    type_text("20000")
    press("Return")
    payment = wait_for(lambda: find(month.app, Atspi.Role.LABEL, r"Monthly payment \$[\d,]+\.\d\d"), 5)
    check(payment, "Month: the payment is read with its caption")
    check(wait_for(lambda: any(n.startswith("Monthly payment $") for n in month.notices), 5),
          f"Month: calculating is told ({month.notices})")
    caption = find(month.app, Atspi.Role.LABEL, "Monthly payment:")
    check(payment and caption and payment.get_name() in related(caption, Atspi.RelationType.LABEL_FOR),
          "Month: the caption labels the payment")

    month.answer_boxes("Month", principal, lambda held: (type_text("1e39"), hold("Return", held)))

    # The colour dialog gives the keyboard back as it closes, so that the
    # menu still answers: Alt+F, X ends the program.
    press_with("Alt", "l")
    press("b")
    check(wait_for(lambda: len(month.windows()) > 1, 5), "Month: the colour dialog opens")
    press("Escape")
    wait_for(lambda: len(month.windows()) == 1)
    press_with("Alt", "f")
    press("x")
    check(wait_for(lambda: month.process.poll() is not None, 5), "Month: Alt+F, X ends it after the colour dialog")
    month.end()


def read_edit(folder):
    edit = Program(os.path.join(folder, "Edit"))
    edit.every_control_has_a_name("Edit")
    text = find(edit.app, Atspi.Role.TEXT, "Document")
    check(wait_for(lambda: is_focused(text)), "Edit: the text has the keyboard at start")
    type_text("abc")

    def find_what_is_not_there(held):
        press_with("Control", "f")
        check(wait_for(lambda: len(edit.windows()) > 1, 5), "Edit: Find opens its box")
        type_text("zzz")
        hold("Return", held)

    edit.answer_boxes("Edit", text, find_what_is_not_there)
    type_text("d")
    check(wait_for(lambda: Atspi.Text.get_text(text, 0, -1) == "abcd", 5), "Edit: keys reach the text after the boxes")
    edit.end()


def read_demo(folder):
    """The Scroller in its demo host: read by its caption, silent while it
    moves, and a new caption told once."""
    demo = Program(os.path.join(folder, "scroller-demo"))
    banner = wait_for(lambda: find(demo.app, Atspi.Role.LABEL, "Welcome to the Scroller demo"), 5)
    check(banner, "scroller-demo: the banner is a label named by its whole caption")
    states = banner.get_state_set() if banner else None
    check(states and states.contains(Atspi.StateType.ANIMATED) and not states.contains(Atspi.StateType.FOCUSABLE),
          "scroller-demo: the banner is animated and takes no focus")
    told = []

    def heard(event):
        if event.source.get_role() == Atspi.Role.LABEL:
            told.append(event.type)

    listener = Atspi.EventListener.new(heard)
    kinds = ("object:property-change:accessible-name", "object:property-change:accessible-description",
             "object:text-changed")
    for kind in kinds:
        listener.register(kind)
    wait_for(lambda: False, 3)
    check(not told, f"scroller-demo: nothing is told while the banners scroll ({told})")
    press_with("Alt", "a")
    type_text("Hello")
    press("Return")
    check(wait_for(lambda: find(demo.app, Atspi.Role.LABEL, "Hello"), 5) and wait_for(lambda: False, 1) is False
          and told == ["object:property-change:accessible-name"], f"scroller-demo: a new caption is told once ({told})")
    for kind in kinds:
        listener.deregister(kind)
    demo.end()


def main():
    folder = sys.argv[1]
    park_the_pointer()
    read_math(os.path.join(folder, "math"))
    read_month(os.path.join(folder, "month"))
    read_edit(os.path.join(folder, "edit"))
    read_demo(os.path.join(folder, "scroller", "demo"))
    if failures:
        print(f"{len(failures)} checks failed", flush=True)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
