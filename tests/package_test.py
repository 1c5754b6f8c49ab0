#!/usr/bin/env python3
"""Builds the release package with CPack, unpacks it into a scratch
directory and runs the program from there: the .deb of the Linux build,
or the .zip of the Windows build under its emulator.

usage: package_test.py CPACK BUILD_DIR [--windows EMULATOR] [unittest options]
"""
import glob
import gzip
import os
import subprocess
import sys
import tempfile
import unittest
import zipfile

import transcript_test as t

CPACK = BUILD = None
EMULATOR = []  # what runs a Windows program here

INPUT = b"-5\nk\n"
MINUS_FIVE = t.integer_result("-5", "FF FB", "  1111 1111  1111 1011")


def make_package(directory, extension):
    subprocess.run([CPACK, "--config", os.path.join(BUILD, "CPackConfig.cmake"), "-B", directory],
                   check=True, stdout=subprocess.DEVNULL, timeout=600)
    packages = glob.glob(os.path.join(directory, "*." + extension))
    assert len(packages) == 1, packages
    return packages[0]


def run(command):
    return subprocess.run(command, input=INPUT, stdout=subprocess.PIPE, start_new_session=True,
                          timeout=60, check=False)


class Package(unittest.TestCase):
    def setUp(self):
        self.directory = tempfile.TemporaryDirectory()
        self.addCleanup(self.directory.cleanup)

    def test_package(self):
        if t.WINDOWS:
            self.check_zip()
        else:
            self.check_deb()

    def check_deb(self):
        deb = make_package(self.directory.name, "deb")
        depends = subprocess.run(["dpkg-deb", "-f", deb, "Depends"], stdout=subprocess.PIPE,
                                 check=True).stdout.decode()
        self.assertIn("libc6", depends)
        root = os.path.join(self.directory.name, "root")
        subprocess.run(["dpkg", "-x", deb, root], check=True)
        done = run([os.path.join(root, "usr/bin/pointerek")])
        self.assertEqual(done.stdout, t.encode(t.START + t.PROMPT + MINUS_FIVE + t.PROMPT + t.LEAVE))
        self.assertEqual(done.returncode, 0)
        with gzip.open(os.path.join(root, "usr/share/man/man1/pointerek.1.gz"), "rt", encoding="utf-8") as page:
            self.assertTrue(page.read().startswith(".\\\""))
        with open(os.path.join(root, "usr/share/doc/pointerek/copyright"), encoding="utf-8") as copyright:
            self.assertIn("License: Expat\n MIT License\n", copyright.read())
        # Clean for Debian's own checker: no error and no warning.
        lint = subprocess.run(["lintian", "--fail-on", "error,warning", deb], stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT, timeout=600, check=False)
        self.assertEqual(lint.returncode, 0, lint.stdout.decode())

    def check_zip(self):
        archive = make_package(self.directory.name, "zip")
        root = os.path.join(self.directory.name, "root")
        with zipfile.ZipFile(archive) as z:
            z.extractall(root)
        top = glob.glob(os.path.join(root, "pointerek-*-win64"))[0]
        self.assertEqual(sorted(os.listdir(top)), ["LICENSE.TXT", "OLVASS.TXT", "pointerek.exe"])
        done = run(EMULATOR + [os.path.join(top, "pointerek.exe")])
        self.assertEqual(done.stdout, t.encode(t.START + t.PROMPT + MINUS_FIVE + t.PROMPT + t.LEAVE))
        self.assertEqual(done.returncode, 0)
        with open(os.path.join(top, "OLVASS.TXT"), "rb") as readme:
            text = readme.read()
        self.assertNotIn(b"\n", text.replace(b"\r\n", b""))
        self.assertIn("Kilépés", text.decode("cp852"))
        with open(os.path.join(top, "LICENSE.TXT"), "rb") as licence:
            self.assertTrue(licence.read().startswith(b"MIT License\r\n"))


if __name__ == "__main__":
    CPACK, BUILD = sys.argv.pop(1), sys.argv.pop(1)
    EMULATOR = t.take_emulator(sys.argv)
    unittest.main(verbosity=1)
