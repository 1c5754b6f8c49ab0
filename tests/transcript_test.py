#!/usr/bin/env python3
"""Runs the real program with lines on standard input, detached from any
terminal, and compares its whole standard output byte for byte.

usage: transcript_test.py [--windows EMULATOR | --wasi EMULATOR] PROGRAM [unittest options]

With --windows the program is a Windows build run by EMULATOR (wine): its
output is code page 852 with the C runtime's "\r\n" line ends. With --wasi
it is the WebAssembly build run by EMULATOR (node), whose output is the
Linux program's.
"""
import select
import subprocess
import sys
import unittest

COMMAND = None
WINDOWS = False

START = (
    "\n"
    "Pointerek - Numerikus adatok tárolási formátuma (T.Z)\n"
    "-----------------------------------------------------\n"
    "\n"
    " - A program megjeleníti egy 2 bájtos egész\n"
    "   (-32768 --► 32767), illetve egy egyszeres pontosságú\n"
    "   lebegőpontos szám memóriában tárolt alakját.\n"
    " - Ha a megadott szám pontot tartalmaz, akkor a program\n"
    "   lebegőpontosnak, egyébként egésznek tekinti a számot.\n"
    " - Kilépés a ciklusból: k\n"
)
PROMPT = "\n Kérem a számot: "
INVALID = "\n  Érvénytelen karakter(ek).\n"
TOO_LARGE = "\n  Túl nagy a szám.\n"
LEAVE = "\n"


def float_result(value, hexa, bits):
    return (f"\n  Lebegőpontos szám   :  {value}"
            f"\n  A memóriában (hexa) :  {hexa}"
            f"\n  A memóriában (bin)  :{bits}\n")


def integer_result(value, hexa, bits):
    return (f"\n  Egész szám          :  {value}"
            f"\n  A memóriában (hexa) :  {hexa}"
            f"\n  A memóriában (bin)  :{bits}\n")


ZERO_FLOAT = float_result("0.00000000E+00", "00 00 00 00",
                          "  0000 0000  0000 0000  0000 0000  0000 0000")
ZERO_INTEGER = integer_result("0", "00 00", "  0000 0000  0000 0000")
INF = float_result("         INF", "7F 80 00 00",
                   "  0111 1111  1000 0000  0000 0000  0000 0000")
FORTY_DIGITS = "1" + "0" * 39


def take_emulator(argv):
    """Takes "--windows EMULATOR" or "--wasi EMULATOR" from the front of the
    arguments, if there; returns the command prefix that runs the program
    on this machine."""
    global WINDOWS
    if len(argv) > 2 and argv[1] in ("--windows", "--wasi"):
        WINDOWS = argv[1] == "--windows"
        emulator = argv[2]
        del argv[1:3]
        return [emulator]
    return []


def encode(text):
    """The bytes of a transcript as the platform's console gets them."""
    if WINDOWS:
        return text.replace("►", "\x10").encode("cp852").replace(b"\n", b"\r\n")
    return text.encode("utf-8")


def run(stdin, arguments=()):
    """The program's standard output and exit status for the given input."""
    # The program writes its start-up screen before anything else, so a run
    # with no output at all is wine failing to start it (seen once in about
    # two thousand starts); such a run is tried again, once.
    for attempt in range(2 if WINDOWS else 1):
        done = subprocess.run(COMMAND + list(arguments), input=stdin, stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, start_new_session=True,
                              timeout=30, check=False)
        if done.stdout:
            break
        sys.stderr.write(f"run {attempt + 1}: no output, status {done.returncode}\n")
    if done.stderr:
        sys.stderr.write(done.stderr.decode("utf-8", "replace"))
    return done.stdout, done.returncode


class Transcripts(unittest.TestCase):
    def check(self, stdin, *pieces):
        """Every run starts with the start-up screen and its first prompt."""
        expected = encode(START + PROMPT + "".join(pieces))
        output, status = run(stdin)
        self.assertEqual(output, expected)
        self.assertEqual(status, 0)

    def test_each_line_once(self):
        cases = [
            (b"1.5", float_result("1.50000000E+00", "3F C0 00 00",
                                  "  0011 1111  1100 0000  0000 0000  0000 0000")),
            (b"0.1", float_result("1.00000001E-01", "3D CC CC CD",
                                  "  0011 1101  1100 1100  1100 1100  1100 1101")),
            (b"-0.0", float_result("-0.00000000E+00", "80 00 00 00",
                                   "  1000 0000  0000 0000  0000 0000  0000 0000")),
            (b"482.4140625", float_result("4.82414063E+02", "43 F1 35 00",
                                          "  0100 0011  1111 0001  0011 0101  0000 0000")),
            (b"1.2.3", float_result("1.20000005E+00", "3F 99 99 9A",
                                    "  0011 1111  1001 1001  1001 1001  1001 1010")),
            (b".", ZERO_FLOAT),
            (b"inf.-", INF),
            (FORTY_DIGITS.encode() + b".0", INF),
            (b"-" + FORTY_DIGITS.encode() + b".0",
             float_result("        -INF", "FF 80 00 00",
                          "  1111 1111  1000 0000  0000 0000  0000 0000")),
            (b"nan.-", float_result("         NAN", "7F C0 00 00",
                                    "  0111 1111  1100 0000  0000 0000  0000 0000")),
            (b"0.000000000000000000000000000000000000000000001",
             float_result("1.40129846E-45", "00 00 00 01",
                          "  0000 0000  0000 0000  0000 0000  0000 0001")),
            (b"-5", integer_result("-5", "FF FB", "  1111 1111  1111 1011")),
            (b"256", integer_result("256", "01 00", "  0000 0001  0000 0000")),
            (b"32767", integer_result("32767", "7F FF", "  0111 1111  1111 1111")),
            (b"-32768", integer_result("-32768", "80 00", "  1000 0000  0000 0000")),
            (b"-1", integer_result("-1", "FF FF", "  1111 1111  1111 1111")),
            (b" -5", integer_result("-5", "FF FB", "  1111 1111  1111 1011")),
            (b"12-34", integer_result("12", "00 0C", "  0000 0000  0000 1100")),
            (b"0x10-", integer_result("16", "00 10", "  0000 0000  0001 0000")),
            (b"9e-1", ZERO_INTEGER),
            (b"2e-", ZERO_INTEGER),
            (b"x-1", ZERO_INTEGER),
            (b"-", ZERO_INTEGER),
            (b"-0", ZERO_INTEGER),
            (b"32768", TOO_LARGE),
            (b"-32769", TOO_LARGE),
            (b"99999999999", TOO_LARGE),
            (b"inf-", TOO_LARGE),
            (b"nan-", TOO_LARGE),
            (FORTY_DIGITS.encode(), TOO_LARGE),
            (b"abc", INVALID),
            (b" k", INVALID),
            (b" 5", INVALID),
            (b"1,5", INVALID),
            (b"--5", INVALID),
            (b"5\x00", INVALID),
            (b"\x00", INVALID),
            (b"5\r6", INVALID),
            (b"1" * 60, INVALID),
            ("1é".encode(), INVALID),
        ]
        for line, result in cases:
            for ending in (b"\n", b"\r\n"):
                with self.subTest(line=line, ending=ending):
                    self.check(line + ending, result, PROMPT, LEAVE)

    def test_every_way_to_leave(self):
        rest = b"1.5\n-5\n"  # never reached
        for line in [b"", b"k", b"K", "kilép".encode(), b"K5", b"k" * 5000]:
            for ending in (b"\n", b"\r\n"):
                with self.subTest(line=line, ending=ending):
                    self.check(line + ending + rest, LEAVE)

    def test_end_of_input_leaves(self):
        self.check(b"", LEAVE)
        # A last line without a line ending is still a line.
        self.check(b"-5", integer_result("-5", "FF FB", "  1111 1111  1111 1011"),
                   PROMPT, LEAVE)
        # Never the previous line again.
        self.check(b"abc\n", INVALID, PROMPT, LEAVE)

    def test_several_lines_in_a_row(self):
        lines = b"1.5\nabc\n" + b"9" * 5000 + b"\n32768\n256\n.\n\n-5\n"
        self.check(
            lines,
            float_result("1.50000000E+00", "3F C0 00 00",
                         "  0011 1111  1100 0000  0000 0000  0000 0000"), PROMPT,
            INVALID, PROMPT,
            INVALID, PROMPT,
            TOO_LARGE, PROMPT,
            integer_result("256", "01 00", "  0000 0001  0000 0000"), PROMPT,
            ZERO_FLOAT, PROMPT,
            LEAVE)

    def test_prompt_shows_before_each_read(self):
        """A program driving this one through pipes sees each prompt before
        it sends the next line."""
        process = subprocess.Popen(COMMAND, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL, start_new_session=True)
        self.addCleanup(process.kill)
        received = b""

        def read_until(end):
            nonlocal received
            while not received.endswith(end):
                ready, _, _ = select.select([process.stdout], [], [], 30)
                self.assertTrue(ready, f"no prompt; so far: {received!r}")
                chunk = process.stdout.raw.read(4096)
                self.assertTrue(chunk, f"output ended; so far: {received!r}")
                received += chunk

        read_until(encode(START + PROMPT))
        process.stdin.write(b"-5\n")
        process.stdin.flush()
        read_until(encode(integer_result("-5", "FF FB", "  1111 1111  1111 1011") + PROMPT))
        process.stdin.close()
        self.assertEqual(process.wait(timeout=30), 0)

    def test_arguments_are_ignored(self):
        output, status = run(b"k\n", ["--help", "5"])
        self.assertEqual(output, encode(START + PROMPT + LEAVE))
        self.assertEqual(status, 0)


if __name__ == "__main__":
    COMMAND = take_emulator(sys.argv) + [sys.argv.pop(1)]
    unittest.main(verbosity=1)
