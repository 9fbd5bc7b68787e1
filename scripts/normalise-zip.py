# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a zip again so that its bytes depend on its contents alone: the entries sorted by name,
every one at SOURCE_DATE_EPOCH (UTC, no earlier than zip's 1980), made on Unix with the modes of a
umask of 022 (programs and folders 0755, the rest 0644), no extra fields, deflated at level 9.

Usage: python3 normalise-zip.py ZIP...   (each is replaced)
"""
import os
import sys
import time
import zipfile

ZIP_EPOCH = 315532800  # 1980-01-01, the earliest time a zip can hold


def entry(name, epoch):
    info = zipfile.ZipInfo(name, time.gmtime(max(epoch, ZIP_EPOCH))[:6])
    info.create_system = 3  # Unix, so that the modes below are read
    folder = name.endswith("/")
    mode = 0o40755 if folder else 0o100755 if name.endswith(".exe") else 0o100644
    info.external_attr = (mode << 16) | (0x10 if folder else 0)
    info.compress_type = zipfile.ZIP_STORED if folder else zipfile.ZIP_DEFLATED
    return info


def normalise(path, epoch):
    with zipfile.ZipFile(path) as source:
        contents = {info.filename: source.read(info) for info in source.infolist()}
    partial = path + ".partial"
    with zipfile.ZipFile(partial, "w", compresslevel=9) as target:
        for name in sorted(contents):
            target.writestr(entry(name, epoch), contents[name])
    os.replace(partial, path)


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    for zip_path in sys.argv[1:]:
        normalise(zip_path, int(os.environ.get("SOURCE_DATE_EPOCH", ZIP_EPOCH)))
