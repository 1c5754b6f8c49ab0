#!/usr/bin/env python3
"""The Quick start commands on a machine without Debian's package tools.

    tools_test.py SOURCE_DIR

A copy of the sources is built with a PATH that holds only the commands
named here, as links: no apt-get, no dpkg-query.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

SOURCE = os.path.abspath(sys.argv.pop(1)) if __name__ == "__main__" else None

# What the scripts themselves and a C++ build call.
BASE = ["bash", "sh", "env", "dirname", "cat", "cmp", "cp", "grep", "id", "mkdir", "nproc", "rm", "uname",
        "as", "ld", "ld.bfd", "ar", "ranlib"]
BUILD = ["cmake", "make", "c++", "g++", "cc", "gcc"]
# What the tests of the Linux build need, but not the Windows build's.
LINUX_TESTS = ["clang++", "clang", "clang-format", "clang-tidy", "python3", "tmux", "valgrind", "dpkg-shlibdeps",
               "lintian"]


def path_with(directory, commands):
    os.makedirs(directory, exist_ok=True)
    for command in commands:
        found = shutil.which(command)
        if found:
            os.symlink(found, os.path.join(directory, command))
    return directory


class WithoutDebianTools(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.mkdtemp(prefix="pointerek-tools-")
        cls.tree = os.path.join(cls.scratch, "tree")
        listed = subprocess.run(["git", "-C", SOURCE, "ls-files", "-z"], stdout=subprocess.PIPE, check=True)
        for name in listed.stdout.decode().split("\0"):
            if name and os.path.exists(os.path.join(SOURCE, name)):
                os.makedirs(os.path.join(cls.tree, os.path.dirname(name)), exist_ok=True)
                shutil.copy2(os.path.join(SOURCE, name), os.path.join(cls.tree, name))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.scratch)

    def run_tool(self, tool, commands, name, stdin=b"", environment=None):
        bin_dir = path_with(os.path.join(self.scratch, name), commands)
        env = {"PATH": bin_dir, "HOME": self.scratch, **(environment or {})}
        return subprocess.run([os.path.join(self.tree, "tools", tool)], input=stdin, stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, env=env, cwd=self.tree, start_new_session=True, timeout=600)

    def test_run_builds_and_starts_the_program(self):
        result = self.run_tool("run", BASE + BUILD, "build-tools", stdin=b"1.5\n")
        self.assertEqual(result.returncode, 0, result.stderr.decode())
        self.assertIn("  Lebegőpontos szám   :  1.50000000E+00", result.stdout.decode())

    def test_run_names_a_missing_command(self):
        result = self.run_tool("run", BASE + [c for c in BUILD if c != "cmake"], "no-cmake")
        self.assertNotEqual(result.returncode, 0)
        said = (result.stdout + result.stderr).decode().strip().splitlines()
        self.assertEqual(len(said), 1, said)
        self.assertIn("cmake", said[0])

    def test_ci_fails_where_a_part_cannot_be_installed(self):
        # Everything for the Linux tests, nothing for the Windows build.
        result = self.run_tool("test", BASE + BUILD + LINUX_TESTS, "no-windows", environment={"CI": "true"})
        said = (result.stdout + result.stderr).decode()
        self.assertNotEqual(result.returncode, 0, said)
        self.assertIn("Windows", said)
        self.assertNotIn("=== default ===", said, "it fails before building anything")


if __name__ == "__main__":
    unittest.main(verbosity=2)
