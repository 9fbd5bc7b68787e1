#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""debian/copyright against the tree and the photos' credits: every photo and every file under
another licence than the game's has a stanza of its own, every stanza names files that exist,
each photo's authors and licence are the ones that assets/CREDITS.md gives, every licence is one
that can be combined with the GPL-3+ program the photos are compiled into, and every licence that
Debian's common licences lack is given in full.

Usage: copyright.py SOURCE_DIR"""
import fnmatch
import os
import re
import sys

source = sys.argv[1]
failures = []


def check(what, ok):
    print(("ok: " if ok else "FAIL: ") + what)
    if not ok:
        failures.append(what)


def paragraphs(text):
    """The file's paragraphs, each a dict of its fields (continuation lines joined by newlines)."""
    result = []
    for block in re.split(r"\n\s*\n", text.strip()):
        fields, name = {}, None
        for line in block.split("\n"):
            if line.startswith((" ", "\t")) and name:
                fields[name] += "\n" + line.strip()
            else:
                name, _, value = line.partition(":")
                fields[name] = value.strip()
        result.append(fields)
    return result


def tree_files():
    skip = {".git", "build", ".pc", "debian/build", "dist"}
    for folder, subfolders, files in os.walk(source):
        relative = os.path.relpath(folder, source)
        subfolders[:] = [d for d in subfolders
                         if os.path.normpath(os.path.join(relative, d)) not in skip]
        for name in files:
            yield os.path.normpath(os.path.join(relative, name))


with open(os.path.join(source, "debian/copyright"), encoding="utf-8") as f:
    stanzas = paragraphs(f.read())
header, stanzas = stanzas[0], stanzas[1:]
files_stanzas = [s for s in stanzas if "Files" in s]
licence_texts = {s["License"].split("\n")[0]: s["License"] for s in stanzas if "Files" not in s}
files = sorted(tree_files())
check("the header is of the machine-readable format",
      header.get("Format", "").endswith("/copyright-format/1.0/"))
check("the first stanza is Files: * under GPL-3+",
      files_stanzas[0]["Files"] == "*" and files_stanzas[0]["License"] == "GPL-3+")


def stanza_of(path):
    """The last stanza whose patterns match the path, as the format says."""
    found = None
    for stanza in files_stanzas:
        if any(fnmatch.fnmatchcase(path, p) for p in stanza["Files"].split()):
            found = stanza
    return found


for stanza in files_stanzas[1:]:
    for pattern in stanza["Files"].split():
        check(f"{pattern} names a file of the tree",
              any(fnmatch.fnmatchcase(path, pattern) for path in files))

# Each photo, both sizes, against its row of the credits.
with open(os.path.join(source, "assets/CREDITS.md"), encoding="utf-8") as f:
    rows = [[c.strip() for c in line.strip().strip("|").split("|")]
            for line in f if re.match(r"\| \d+ \| photos/", line)]
as_licence = {"CC0": "CC0-1.0", "public domain": "public-domain"}
# What a photo compiled into the GPL-3+ program may be under: public domain and CC0, the GPL
# version 2 or later, the LGPL 3, and CC BY 4.0.
combinable = {"CC0-1.0", "public-domain", "GPL-2+", "LGPL-3", "CC-BY-4.0"}
photos = sorted(p for p in files if p.startswith("assets/photos/") and p.endswith(".jpg"))
check(f"the credits name 18 photos, the tree holds both sizes of each ({len(photos)} files)",
      len(rows) == 18 and len(photos) == 36)
for index, path, _, _, authors, licence, _ in rows:
    licence = as_licence.get(licence, licence.split(" (")[0])
    for size in (path, path.replace(".jpg", "@2x.jpg")):
        stanza = stanza_of("assets/" + size) or {}
        copyright_holders = stanza.get("Copyright", "")
        check(f"photo {index}, {size}: a stanza of its own, under {licence}",
              stanza is not files_stanzas[0] and stanza.get("License") == licence)
        for author in re.split(r",(?![^(]*\))", re.sub(r" \(\d{4}\)", "", authors)):
            author = author.strip().strip('"')
            check(f"photo {index}, {size}: {author} among its copyright holders",
                  author.split(" (")[0] in copyright_holders)
    check(f"photo {index}: {licence} can be combined with the GPL-3+", licence in combinable)

# The metainfo's own licence.
metainfo = "data/org.dyadora.Dyadora.metainfo.xml"
with open(os.path.join(source, metainfo), encoding="utf-8") as f:
    metadata_licence = re.search(r"<metadata_license>(.*)</metadata_license>", f.read()).group(1)
check(f"{metainfo} is under its metadata_license, {metadata_licence}",
      (stanza_of(metainfo) or {}).get("License") == metadata_licence)

# Every licence named, given in a stanza of its own; in full where Debian has no copy of it.
common = {"GPL-2", "GPL-3", "LGPL-3", "CC0-1.0"}
for name in sorted({n for s in files_stanzas for n in re.split(r" or ", s["License"])}):
    text = licence_texts.get(name, "")
    check(f"the licence {name} has a stanza of its own", bool(text))
    base = name.rstrip("+")
    if base in common:
        check(f"{name} points to its copy in the common licences",
              f"/usr/share/common-licenses/{base}" in text)
    elif name.startswith("CC-"):
        check(f"{name} is given in full", text.count("\n") > 300 and "Section 1" in text)

print(f"{len(failures)} failed")
sys.exit(1 if failures else 0)
