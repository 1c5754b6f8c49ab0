#!/usr/bin/env python3
"""Feeds the real program input no user should type and standard streams
no user should give it; it must answer each as defined, never crash, hang
or lose its place, and end with status 0.

usage: hostile_input_test.py PROGRAM [unittest options]
"""
import random
import subprocess
import sys
import unittest

import transcript_test as t

PROGRAM = None
TIMEOUT = 300


def run(data=b"", **streams):
    """Runs the program on data, or on the given standard streams."""
    streams.setdefault("stdout", subprocess.PIPE)
    done = subprocess.run([PROGRAM], input=None if "stdin" in streams else data,
                          stderr=subprocess.PIPE, start_new_session=True, timeout=TIMEOUT,
                          check=False, **streams)
    return done.stdout, done.returncode, done.stderr


def transcript(*pieces):
    return (t.START + t.PROMPT + "".join(pieces)).encode("utf-8")


MINUS_FIVE = t.integer_result("-5", "FF FB", "  1111 1111  1111 1011")


class HostileInput(unittest.TestCase):
    def check(self, stdin, *pieces):
        output, status, errors = run(stdin)
        self.assertEqual(output, transcript(*pieces))
        self.assertEqual(status, 0)
        self.assertEqual(errors, b"")

    def test_lines_of_every_length(self):
        for length in (59, 60, 4096, 1 << 20):
            digits = b"9" * length
            with self.subTest(length=length):
                first = t.TOO_LARGE if length == 59 else t.INVALID
                # The next line is read as a line of its own.
                self.check(digits + b"\n-5\n", first, t.PROMPT, MINUS_FIVE, t.PROMPT, t.LEAVE)
                self.check(b"k" + digits + b"\n-5\n", t.LEAVE)

    def test_odd_bytes(self):
        cases = [
            (b"5\x00\n", t.INVALID),
            (b"\x00\n", t.INVALID),
            (b"\x00-5\n", t.ZERO_INTEGER),
            (b"\xff\xfe\x80\n", t.INVALID),
            ("é\n".encode(), t.INVALID),
            ("-5é\n".encode(), t.INVALID),
            (b"5\r6\n", t.INVALID),
            (b"5\r\r\n", t.INVALID),
            (b"\r\n", None),
            (b"5\r", t.INVALID),  # a last line without a newline keeps its "\r"
            (b"-5", MINUS_FIVE),
        ]
        for stdin, result in cases:
            with self.subTest(stdin=stdin):
                if result is None:
                    self.check(stdin, t.LEAVE)
                else:
                    self.check(stdin, result, t.PROMPT, t.LEAVE)

    def test_no_input(self):
        self.check(b"", t.LEAVE)
        output, status, _ = run(stdin=subprocess.DEVNULL)
        self.assertEqual((output, status), (transcript(t.LEAVE), 0))
        # Standard input closed altogether.
        done = subprocess.run(["sh", "-c", 'exec "$0" <&-', PROGRAM], stdout=subprocess.PIPE,
                              start_new_session=True, timeout=TIMEOUT, check=False)
        self.assertEqual((done.stdout, done.returncode), (transcript(t.LEAVE), 0))

    def test_output_that_cannot_be_written(self):
        lines = b"1.5\n-5\nabc\n" * 1000
        with open("/dev/full", "wb") as full:
            _, status, errors = run(lines, stdout=full)
        self.assertEqual((status, errors), (0, b""))
        done = subprocess.run(["sh", "-c", 'exec "$0" >&-', PROGRAM], input=lines,
                              stderr=subprocess.PIPE, start_new_session=True,
                              timeout=TIMEOUT, check=False)
        self.assertEqual((done.returncode, done.stderr), (0, b""))

    def test_random_bytes(self):
        data = random.Random(20261209).randbytes(1 << 20)
        output, status, errors = run(data)
        self.assertEqual((status, errors), (0, b""))
        text = output.decode("utf-8")  # whatever came in, UTF-8 goes out
        self.assertTrue(text.startswith(t.START + t.PROMPT))
        self.assertTrue(text.endswith(t.PROMPT + t.LEAVE))
        # Every line before the first that leaves got exactly one answer.
        lines = data.split(b"\n")
        answered = next(i for i, line in enumerate(lines + [b""])
                        if line in (b"", b"\r") or line[:1] in (b"k", b"K"))
        self.assertEqual(text.count(t.PROMPT), answered + 1)

    def test_a_million_lines(self):
        lines = [b"1.5", b"-5", b"abc", b"32768"]
        answers = [t.float_result("1.50000000E+00", "3F C0 00 00",
                                  "  0011 1111  1100 0000  0000 0000  0000 0000"),
                   MINUS_FIVE, t.INVALID, t.TOO_LARGE]
        rounds = 250000
        output, status, errors = run(b"\n".join(lines * rounds) + b"\n")
        self.assertEqual((status, errors), (0, b""))
        expected = transcript("".join(a + t.PROMPT for a in answers) * rounds, t.LEAVE)
        self.assertEqual(len(output), len(expected))
        self.assertTrue(output == expected)


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main(verbosity=1)
