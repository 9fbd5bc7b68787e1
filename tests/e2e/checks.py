# SPDX-License-Identifier: GPL-3.0-or-later
"""fail and check for the end-to-end players, reporting as the shell helpers do."""
import sys


def fail(what):
    print(f"FAIL: {what}", file=sys.stderr)
    sys.exit(1)


def check(what, condition):
    if not condition:
        fail(what)
    print(f"ok: {what}")
