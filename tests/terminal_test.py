#!/usr/bin/env python3
"""Runs the real program in a real terminal (tmux), types lines of every
kind, and checks the screen row by row: its text and its colours.

usage: terminal_test.py [--windows EMULATOR] PROGRAM [unittest options]

With --windows the program is a Windows build run by EMULATOR (wine), which
gives it a console on the terminal and maps the console's colours to the
terminal's. wine's terminal console does not show code page 852 letters
faithfully, so there only the colours and the ASCII text of each row are
compared.
"""
import os
import re
import shlex
import subprocess
import sys
import tempfile
import time
import unittest

import transcript_test

COMMAND = None
WINDOWS = False
WIDTH, HEIGHT = 80, 40
PROMPT = " Kérem a számot: "

# SGR colour codes of the console colours the dialogue uses.
BLACK, BLUE, GREEN, LIGHT_GREY, LIGHT_RED = 30, 34, 32, 47, 91


def wait(condition, what):
    deadline = time.monotonic() + (60 if WINDOWS else 15)
    while time.monotonic() < deadline:
        if condition():
            return
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}")


class Terminal:
    """A tmux server of its own with one window of WIDTH x HEIGHT."""

    def __init__(self, command):
        self.socket = f"pointerek-test-{os.getpid()}-{time.monotonic_ns()}"
        self.tmux("new-session", "-d", "-x", str(WIDTH), "-y", str(HEIGHT),
                  "-s", "t", command)

    def tmux(self, *args):
        return subprocess.run(["tmux", "-L", self.socket, "-f", "/dev/null", *args],
                              stdout=subprocess.PIPE, check=True, timeout=10,
                              stdin=subprocess.DEVNULL).stdout.decode("utf-8")

    def type_line(self, text):
        self.tmux("send-keys", "-t", "t", "-l", "--", text)
        self.tmux("send-keys", "-t", "t", "Enter")

    def screen(self):
        return self.tmux("capture-pane", "-p", "-e", "-t", "t")

    def wait_for(self, condition, what):
        wait(lambda: condition(self.screen()), what)

    def close(self):
        subprocess.run(["tmux", "-L", self.socket, "kill-server"], check=False,
                       stdin=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def cells(capture):
    """Rows of (character, text colour, background colour), from a capture
    whose SGR sequences carry their state from one row to the next."""
    text, background = None, None
    rows = []
    for line in capture.split("\n")[:HEIGHT]:
        row = []
        for piece in re.split(r"(\x1b\[[0-9;]*m)", line):
            if piece.startswith("\x1b["):
                codes = [int(c) if c else 0 for c in piece[2:-1].split(";")]
                for code in codes:
                    if code == 0:
                        text, background = None, None
                    elif 30 <= code <= 37 or 90 <= code <= 97:
                        text = code
                    elif 40 <= code <= 47 or 100 <= code <= 107:
                        background = code
                    elif code == 39:
                        text = None
                    elif code == 49:
                        background = None
                continue
            row.extend((ch, text, background) for ch in piece)
        rows.append(row)
    return rows


def row_text(row):
    return "".join(ch for ch, _, _ in row).rstrip()


def comparable(text):
    """The text of a row as far as the platform's terminal shows it."""
    if WINDOWS:
        return "".join(ch for ch in text if " " <= ch <= "~").rstrip()
    return text


class ColourSchedule(unittest.TestCase):
    def setUp(self):
        self.directory = tempfile.TemporaryDirectory()
        self.addCleanup(self.directory.cleanup)
        self.status = os.path.join(self.directory.name, "status")

    def start(self, redirect=""):
        command = (f"{shlex.join(COMMAND)} {redirect}; echo $? > {shlex.quote(self.status)};"
                   " sleep 60")
        terminal = Terminal(command)
        self.addCleanup(terminal.close)
        return terminal

    def finish(self, terminal):
        terminal.type_line("k")
        wait(lambda: os.path.exists(self.status) and os.path.getsize(self.status) > 0, "the program's end")
        with open(self.status, encoding="ascii") as f:
            self.assertEqual(f.read().strip(), "0")

    def test_rows_and_colours(self):
        terminal = self.start()
        prompt = comparable(PROMPT.strip())
        terminal.wait_for(lambda s: prompt in comparable(s), "the first prompt")
        lines = ["1.5", "-5", "abc", "32768"]
        for count, line in enumerate(lines, start=2):
            terminal.type_line(line)
            terminal.wait_for(lambda s, n=count: comparable(s).count(prompt) == n,
                              f"the prompt after {line}")
        self.finish(terminal)
        rows = cells(terminal.screen())

        blue, green, black, red = ((c, LIGHT_GREY) for c in (BLUE, GREEN, BLACK, LIGHT_RED))
        expected = [
            ("", None),
            ("Pointerek - Numerikus adatok tárolási formátuma (T.Z)", blue),
            ("-" * 53, blue),
            ("", None),
            (" - A program megjeleníti egy 2 bájtos egész", blue),
            ("   (-32768 --► 32767), illetve egy egyszeres pontosságú", blue),
            ("   lebegőpontos szám memóriában tárolt alakját.", blue),
            (" - Ha a megadott szám pontot tartalmaz, akkor a program", blue),
            ("   lebegőpontosnak, egyébként egésznek tekinti a számot.", blue),
            (" - Kilépés a ciklusból: k", blue),
            ("", None),
            (PROMPT + "1.5", green),
            ("", None),
            ("  Lebegőpontos szám   :  1.50000000E+00", black),
            ("  A memóriában (hexa) :  3F C0 00 00", black),
            ("  A memóriában (bin)  :  0011 1111  1100 0000  0000 0000  0000 0000", black),
            ("", None),
            (PROMPT + "-5", green),
            ("", None),
            ("  Egész szám          :  -5", black),
            ("  A memóriában (hexa) :  FF FB", black),
            ("  A memóriában (bin)  :  1111 1111  1111 1011", black),
            ("", None),
            (PROMPT + "abc", green),
            ("", None),
            ("  Érvénytelen karakter(ek).", red),
            ("", None),
            (PROMPT + "32768", green),
            ("", None),
            ("  Túl nagy a szám.", black),
            ("", None),
            (PROMPT + "k", green),
        ]
        for number, (text, colours) in enumerate(expected):
            with self.subTest(row=number, text=text):
                shown = row_text(rows[number])
                self.assertEqual(comparable(shown), comparable(text))
                if colours:
                    used = {(fg, bg) for ch, fg, bg in rows[number][:len(shown)]}
                    self.assertEqual(used, {colours})
        for number in range(len(expected), HEIGHT):
            self.assertEqual(row_text(rows[number]), "", f"row {number}")

    def test_colours_never_reach_redirected_output(self):
        output = os.path.join(self.directory.name, "output")
        terminal = self.start(f"> {shlex.quote(output)}")

        def written():
            with open(output, "rb") as f:
                return f.read()

        prompt = b"rem a sz"  # in the prompt only, the same in every encoding
        typed = ["1.5", "-5", "abc", "32768"]
        for count, line in enumerate(typed, start=1):
            wait(lambda n=count: os.path.exists(output) and written().count(prompt) == n,
                 f"prompt {count} in the output file")
            terminal.type_line(line)
        self.finish(terminal)

        detached = subprocess.run(COMMAND, input="".join(l + "\n" for l in typed + ["k"]).encode(),
                                  stdout=subprocess.PIPE, start_new_session=True,
                                  timeout=30, check=True).stdout
        self.assertNotIn(b"\x1b", written())
        self.assertEqual(written(), detached)
        # Only the typed lines are on the screen, echoed in green on light grey.
        rows = cells(terminal.screen())
        for number, line in enumerate(typed + ["k"]):
            shown = row_text(rows[number])
            self.assertEqual(shown, line)
            self.assertEqual({(fg, bg) for ch, fg, bg in rows[number][:len(shown)]},
                             {(GREEN, LIGHT_GREY)})

    def test_shell_gets_its_colours_back(self):
        """However the program ends, what the shell writes next is in the
        terminal's default colours, and the exit status still tells how the
        program ended. A signal that the shell has the program ignore stays
        ignored."""
        if WINDOWS:
            self.skipTest("a Windows console keeps the program's last colours")
        terminal = Terminal("env -i PATH=/usr/bin:/bin TERM=tmux PS1='$ ' bash --norc --noprofile -i")
        self.addCleanup(terminal.close)
        terminal.wait_for(lambda s: s.startswith("$"), "the shell's prompt")
        shell = terminal.tmux("display-message", "-p", "-t", "t", "#{pane_pid}").strip()

        def signal(name):
            program = subprocess.run(["pgrep", "-P", shell], stdout=subprocess.PIPE, check=True,
                                     timeout=10).stdout.split()
            subprocess.run(["kill", f"-{name}", *program], check=True, timeout=10)

        def ignored_hangup_then_k():
            signal("HUP")
            terminal.type_line("k")

        program = shlex.join(COMMAND)
        cases = [
            ("k", program, lambda: terminal.type_line("k"), 0),
            ("Ctrl+C", program, lambda: terminal.tmux("send-keys", "-t", "t", "C-c"), 130),
            ("SIGTERM", program, lambda: signal("TERM"), 143),
            ("SIGHUP", program, lambda: signal("HUP"), 129),
            ("SIGHUP ignored", f"(trap '' HUP; exec {program})", ignored_hangup_then_k, 0),
        ]
        for number, (how, command, leave, status) in enumerate(cases):
            with self.subTest(how=how):
                terminal.tmux("send-keys", "-t", "t", "clear", "Enter")
                terminal.type_line(command)
                terminal.wait_for(lambda s: PROMPT.strip() in s, "the program's prompt")
                terminal.type_line("-5")
                terminal.wait_for(lambda s: s.count(PROMPT.strip()) == 2, "the prompt after -5")
                leave()
                marker = f"after-{number}-"
                terminal.type_line(f"echo {marker}$?")
                terminal.wait_for(lambda s, m=marker: f"\n{m}" in s, f"the shell's output after {how}")
                rows = cells(terminal.screen())
                row = next(r for r in rows if row_text(r).startswith(marker))
                self.assertEqual(row_text(row), f"{marker}{status}")
                self.assertEqual({(fg, bg) for ch, fg, bg in row}, {(None, None)})
                prompt_row = rows[rows.index(row) + 1]
                self.assertEqual(row_text(prompt_row), "$")
                self.assertEqual({(fg, bg) for ch, fg, bg in prompt_row}, {(None, None)})


if __name__ == "__main__":
    EMULATOR = transcript_test.take_emulator(sys.argv)
    WINDOWS = transcript_test.WINDOWS
    COMMAND = EMULATOR + [os.path.abspath(sys.argv.pop(1))]
    unittest.main(verbosity=1)
