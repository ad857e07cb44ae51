#!/usr/bin/python3
"""What Orca, Debian's screen reader, says while a blind user works Math,
Month and Edit with the keyboard.

Orca speaks through a speech server of its own whose voice goes nowhere,
and writes each thing it says to its debug log ("SPEECH OUTPUT: '...'");
the programs run with Qt's accessibility bridge on; keys go in through the
accessibility registry (XTest), as a user's would. Each step of the table
below checks the utterances that followed its keys: what must be heard, in
order, and what must not.

    xvfb-run -a dbus-run-session -- /usr/bin/python3 tests/orcaspeech.py <build folder> [program...] [--transcript]

The session bus starts the accessibility bus and its registry; there is no
window manager. Needs Debian's orca package. Orca answers a program's keys
slowly and at its own pace, so a program whose steps fail is tried once
more before the test fails. With --transcript it prints what was said at
each step, keeps Orca's log as /tmp/orca-last.log and exits 0.
"""

import os
import re
import subprocess
import sys
import tempfile
import time

from atspisession import (Atspi, application_of, end, hold, objects, park_the_pointer, press, press_with, start,
                          type_text)


# Orca, with its debug log written a line at a time (Orca buffers it), so
# that each utterance can be read as soon as it is said.
ORCA_WITH_A_LINE_BUFFERED_LOG = """
import builtins, runpy, sys
log = sys.argv[1]
plain_open = builtins.open
def open_log_line_buffered(file, mode="r", *args, **kwargs):
    if file == log and not args:
        kwargs.setdefault("buffering", 1)
    return plain_open(file, mode, *args, **kwargs)
builtins.open = open_log_line_buffered
sys.argv = ["orca", "--replace", "--debug-file=" + log]
runpy.run_path("/usr/bin/orca", run_name="__main__")
"""


class Orca:
    """Orca started for the test, and what it has said so far."""

    def __init__(self, folder):
        self.log = os.path.join(folder, "orca.log")
        run = os.path.join(folder, "run")
        config = os.path.join(folder, "config")
        os.makedirs(run, mode=0o700)
        os.makedirs(os.path.join(config, "speech-dispatcher"))
        # A speech server of Orca's own whose voice goes nowhere: its dummy
        # voice played through libao's null driver. Orca logs each utterance
        # as it hands it over.
        with open(os.path.join(config, "speech-dispatcher", "speechd.conf"), "w", encoding="utf-8") as conf:
            conf.write('AudioOutputMethod "libao"\nAddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\n')
        with open(os.path.join(folder, ".libao"), "w", encoding="utf-8") as libao:
            libao.write("default_driver=null\n")
        environment = dict(os.environ, HOME=folder, XDG_CONFIG_HOME=config, XDG_RUNTIME_DIR=run)
        self.speech = subprocess.Popen(["speech-dispatcher", "--run-single", "--timeout", "0"], env=environment,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.process = subprocess.Popen(["/usr/bin/python3", "-c", ORCA_WITH_A_LINE_BUFFERED_LOG, self.log],
                                        env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.read = 0
        end = time.monotonic() + 30
        while not self.started() and time.monotonic() < end:
            time.sleep(0.2)
        if not self.started():
            self.end()
            raise RuntimeError("Orca did not start")

    def started(self):
        try:
            with open(self.log, encoding="utf-8", errors="replace") as log:
                return "Startup complete" in log.read()
        except FileNotFoundError:
            return False

    def utterances(self):
        """Everything said since the last call."""
        try:
            with open(self.log, encoding="utf-8", errors="replace") as log:
                lines = log.readlines()
        except FileNotFoundError:
            return []
        if lines and not lines[-1].endswith("\n"):
            lines.pop()  # being written
        said = [m[1] for m in (re.search(r"SPEECH OUTPUT: '(.*)'\s*\[?\{", line) for line in lines[self.read:]) if m]
        self.read = len(lines)
        return said

    def settle(self, expected=(), quiet=1.5, longest=20):
        """What is said until everything expected has been said, in order,
        and Orca has been quiet for a while since: Orca answers a program's
        key events slowly, so speech can come seconds after the keys."""
        said = []
        last = time.monotonic()
        end = last + longest
        while time.monotonic() < end:
            time.sleep(0.25)
            more = self.utterances()
            if more:
                said += more
                last = time.monotonic()
            elif time.monotonic() - last >= quiet and not missing(expected, said):
                break
        return said

    def end(self):
        for process in (self.process, self.speech):
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()


class Program:
    def __init__(self, path):
        self.process = start(path)

    def description_of(self, role, name):
        """The accessible description of the program's control."""
        app = application_of(self.process)
        for item in objects(app) if app else ():
            if item.get_role() == role and item.get_name() == name:
                return item.get_description()
        return ""

    def end(self):
        end(self.process)


def spoken(said):
    """The utterances, one a line, without Orca's echo of the keys typed."""
    return "\n".join(line.strip() for line in said if not re.fullmatch(r"\S+ ", line))


def missing(expected, said):
    """The patterns of expected not heard in said, in order."""
    text = spoken(said)
    position = 0
    absent = []
    for pattern in expected:
        found = re.compile(pattern, re.MULTILINE | re.IGNORECASE).search(text, position)
        if found:
            position = found.end()
        else:
            absent.append(pattern)
    return absent


# The steps: the program, a name, the keys (a function of the running
# program), what must be heard in order (regular expressions over the
# utterances, one a line), and what must not. "start" starts the program.
def answer_of(program):
    problem = re.search(r"(\d+) (plus|minus) (\d+) equals", program.description_of(Atspi.Role.TEXT, "Answer"))
    if not problem:
        return "0"
    first, second = int(problem[1]), int(problem[3])
    return str(first + second if problem[2] == "plus" else first - second)


STEPS = [
    ("Math", "the window opens", "start",
     [r"Math Practice", r"Answer", r"\d+ (plus|minus) \d+ equals"], []),
    ("Math", "a correct answer and Enter", lambda program: (type_text(answer_of(program)), press("Return")),
     [r"Correct", r"\d+ plus \d+ equals"], []),
    # A box opened by Return and closed by Return, twice: each press as a
    # person's, with the key down for a moment.
    ("Math", "a wrong answer, then OK", lambda program: (type_text("999"), hold("Return", 0.15), time.sleep(1.5),
                                                        hold("Return", 0.15)),
     [r"Try again", r"999", r"\d+ plus \d+ equals"], [r"Correct"]),
    ("Math", "a wrong answer again, then OK", lambda program: (type_text("998"), hold("Return", 0.15),
                                                              time.sleep(1.5), hold("Return", 0.15)),
     [r"Try again", r"998", r"\d+ plus \d+ equals"], [r"Correct"]),
    ("Math", "flat review of the problem", lambda program: press("KP_Up"),
     [r"\d+ plus \d+ equals"], [r"Operator"]),
    ("Math", "where am I in the box", lambda program: press("KP_Enter"),
     [r"Answer", r"\d+ plus \d+ equals"], []),
    ("Math", "Tab through the options", lambda program: [press("Tab") or time.sleep(0.8) for _ in range(4)],
     [r"Levels", r"Level 1", r"Operations", r"Addition"], [r"Levels.*\n.*Levels", r"Operations.*\n.*Operations"]),
    ("Math", "the summary box checked", lambda program: press("space"),
     [r"Correct answers 1", r"Incorrect answers 2"], []),
    ("Math", "flat review of the summary", lambda program: [press(key) or time.sleep(0.5)
                                                            for key in ("KP_Up", "KP_Page_Up", "KP_Page_Up", "KP_Page_Up")],
     [r"Correct answers 1"], []),
    # Orca takes a window's activation just after one of its own commands
    # (flat review above) for a side effect of its key grab and does not
    # announce it: the next program must not start on one.
    ("Math", "Tab to Exit", lambda program: press("Tab"),
     [r"Exit push button"], []),
    ("Math", "a correct answer with the summary shown", lambda program: (press("Tab"), time.sleep(0.8),
                                                                        type_text(answer_of(program)),
                                                                        press("Return")),
     [r"notification Correct\. Correct answers 2, Incorrect answers 2\. \d+ plus \d+ equals"], []),
    ("Month", "the window opens", "start",
     [r"Monthly Payment Calculator", r"Principal"], [r"selected.*\n.*selected"]),
    ("Month", "Tab into the rate list", lambda program: press("Tab"),
     [r"Interest rate", r"9\.00\s?%"], []),
    ("Month", "a principal and Enter", lambda program: (press_with("Alt", "p"), type_text("20000"), press("Return")),
     [r"Monthly payment \$[\d,]+\.\d\d"], []),
    ("Month", "Calculate with the button", lambda program: (press_with("Alt", "c")),
     [r"Monthly payment \$[\d,]+\.\d\d"], []),
    ("Month", "a principal too large, then OK", lambda program: (press_with("Alt", "p"), type_text("1e39"),
                                                                hold("Return", 0.15), time.sleep(1.5),
                                                                hold("Return", 0.15)),
     [r"too large", r"Principal"], []),
    ("Month", "too large again, then OK", lambda program: (press_with("Alt", "p"), type_text("1e39"),
                                                          hold("Return", 0.15), time.sleep(1.5),
                                                          hold("Return", 0.15)),
     [r"too large", r"Principal"], []),
    ("Edit", "the window opens", "start",
     [r"Document - Text Editor", r"^Document text"], [r"text text"]),
    ("Edit", "Find a word and Enter", lambda program: (type_text("the cat sat"), press_with("Control", "f"),
                                                      time.sleep(1), type_text("cat"), press("Return")),
     [r"notification cat\.?$"], [r"the cat sat\.? selected"]),
    ("Edit", "a word that is not there, then OK", lambda program: (press_with("Control", "f"), time.sleep(1),
                                                                  type_text("dog"), hold("Return", 0.15),
                                                                  time.sleep(1.5), hold("Return", 0.15)),
     [r"not found", r"Document text"], []),
    ("Edit", "not there again, then OK", lambda program: (press_with("Control", "f"), time.sleep(1),
                                                         type_text("dog"), hold("Return", 0.15),
                                                         time.sleep(1.5), hold("Return", 0.15)),
     [r"not found", r"Document text"], []),
    ("Edit", "not there, Return held", lambda program: (press_with("Control", "f"), time.sleep(1),
                                                       type_text("dog"), hold("Return", 1.5)),
     [r"alert Find", r"not found"], [r"not found(.|\n)*Document - Text Editor"]),
    ("Edit", "the menu bar and Escape", lambda program: (press("Return"), time.sleep(1),
                                                        [keys() or time.sleep(0.5) for keys in (
                                                            lambda: press_with("Alt", "e"), lambda: press("Escape"),
                                                            lambda: press_with("Alt", "e"), lambda: press("Escape"),
                                                            lambda: press("Escape"))]),
     [r"Edit\.", r"^Document text"], []),
    # The banners say nothing as they move; flat review (up, then up a line
    # at a time) reads the first one's caption.
    ("scroller-demo", "the window opens", "start", [r"Scroller Demo"], []),
    ("scroller-demo", "silence while the banners scroll", lambda program: time.sleep(10), [], [r"\w"]),
    ("scroller-demo", "flat review reads the caption",
     lambda program: [press(key) or time.sleep(0.6) for key in ("KP_Up", "KP_Home", "KP_Home", "KP_Home")],
     [r"Welcome to the Scroller demo"], []),
]


def run_steps(orca, build, name, steps):
    """Starts the program and runs its steps; the failures."""
    paths = {"Math": "math/Math", "Month": "month/Month", "Edit": "edit/Edit",
             "scroller-demo": "scroller/demo/scroller-demo"}
    failures = []
    orca.settle(quiet=2)
    program = Program(os.path.join(build, paths[name]))
    for step, keys, expected, forbidden in steps:
        if keys != "start":
            keys(program)
        said = orca.settle(expected)
        text = spoken(said)
        absent = missing(expected, said)
        unwanted = [pattern for pattern in forbidden if re.search(pattern, text)]
        ok = not absent and not unwanted
        print(f"{'ok  ' if ok else 'FAIL'} {name}: {step}: {text.replace(chr(10), ' | ')!r}", flush=True)
        if not ok:
            failures.append(f"{name}: {step}: missing {absent}, unwanted {unwanted}")
    program.end()
    return failures


def main():
    build = sys.argv[1]
    transcript = "--transcript" in sys.argv
    only = [argument for argument in sys.argv[2:] if not argument.startswith("--")]
    programs = {}
    for name, *step in STEPS:
        if not only or name in only:
            programs.setdefault(name, []).append(step)
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        park_the_pointer()
        orca = Orca(folder)
        for name, steps in programs.items():
            failed = run_steps(orca, build, name, steps)
            if failed and not transcript:
                print(f"RETRY {name}: its steps run once more after the failures above", flush=True)
                failed = run_steps(orca, build, name, steps)
            failures += failed
        orca.end()
        if transcript:
            import shutil
            shutil.copy(orca.log, "/tmp/orca-last.log")
    for failure in failures:
        print("FAIL " + failure)
    return 1 if failures and not transcript else 0


if __name__ == "__main__":
    sys.exit(main())
