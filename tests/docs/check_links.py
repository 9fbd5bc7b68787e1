#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Every relative link of the documentation leads somewhere: in README.md, CONTRIBUTING.md and
docs/*.md, each link's file exists and, when the link names a heading (#fragment), that file has
the heading, by the anchors that GitHub gives headings. Links with a scheme (https:, mailto:...)
and links inside code are not checked.

Usage: check_links.py SOURCE_FOLDER
"""
import re
import sys
import unicodedata
from pathlib import Path
from urllib.parse import unquote

FENCE = re.compile(r"^ {0,3}(`{3,}|~{3,})")
HEADING = re.compile(r"^ {0,3}(#{1,6})[ \t]+(.*?)(?:[ \t]+#+)?[ \t]*$")
# Inline code, which never runs past the end of a paragraph.
CODE_SPAN = re.compile(r"(`+)(?:(?!\n[ \t]*\n).)+?\1", re.S)
# [text](target "title") and ![alt](target); the text may run over lines, the target may be
# <in angle brackets>.
INLINE_LINK = re.compile(r"!?\[(?:[^\[\]]|\[[^\]]*\])*\]\(\s*(<[^>]*>|[^\s)]+)(?:\s+[^)]*)?\)")
REFERENCE = re.compile(r"^ {0,3}\[[^\]]+\]:[ \t]*(<[^>]*>|\S+)", re.M)
SCHEME = re.compile(r"^[A-Za-z][A-Za-z0-9+.-]*:")


def prose(text):
    """The text with fenced code blocks blanked out, line for line."""
    lines, fence = [], None
    for line in text.split("\n"):
        opening = FENCE.match(line)
        if fence is None and opening:
            fence = opening.group(1)[0]
        elif fence is not None and opening and opening.group(1)[0] == fence:
            fence = None
        elif fence is None:
            lines.append(line)
            continue
        lines.append("")
    return "\n".join(lines)


def slug(heading):
    """The anchor GitHub gives a heading: the text as shown, lower-cased, with every character
    but letters, digits, underscores, hyphens and spaces removed, and spaces made hyphens."""
    text = re.sub(r"!?\[([^\]]*)\]\([^)]*\)", r"\1", heading)  # a link's text stays
    text = re.sub(r"<[^>]+>", "", text).lower()
    kept = "".join(c for c in text if c in " -_" or unicodedata.category(c)[0] in "LNM")
    return kept.replace(" ", "-")


def anchors(path):
    found = set()
    for line in prose(path.read_text(encoding="utf-8")).split("\n"):
        match = HEADING.match(line)
        if match:
            base = slug(match.group(2))
            anchor, n = base, 0
            while anchor in found:  # a repeated heading gets -1, -2, ...
                n += 1
                anchor = f"{base}-{n}"
            found.add(anchor)
    return found


def links(path):
    """Each link's line number and target."""
    # Inline code is blanked out too, keeping its line breaks.
    text = CODE_SPAN.sub(lambda m: "\n" * m.group(0).count("\n"),
                         prose(path.read_text(encoding="utf-8")))
    for pattern in (INLINE_LINK, REFERENCE):
        for match in pattern.finditer(text):
            yield text.count("\n", 0, match.start()) + 1, match.group(1).strip("<>")


def broken(path, target, cache):
    """What is wrong with a link, or None."""
    if SCHEME.match(target):
        return None
    name, _, fragment = target.partition("#")
    linked = (path.parent / unquote(name)).resolve() if name else path.resolve()
    if not linked.exists():
        return f"no file {name}"
    if not fragment:
        return None
    if linked.suffix != ".md":
        return f"#{fragment} in {name}, which has no headings"
    if linked not in cache:
        cache[linked] = anchors(linked)
    if unquote(fragment) not in cache[linked]:
        return f"no heading #{fragment} in {linked.name}"
    return None


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    root = Path(sys.argv[1])
    files = [root / "README.md", root / "CONTRIBUTING.md", *sorted((root / "docs").glob("*.md"))]
    missing = [str(f) for f in files if not f.is_file()]
    if missing:
        sys.exit(f"missing: {', '.join(missing)}")
    cache, failures, count = {}, [], 0
    for path in files:
        for number, target in links(path):
            count += 1
            problem = broken(path, target, cache)
            if problem:
                failures.append(f"{path.relative_to(root)}:{number}: ({target}) {problem}")
    print("\n".join(failures) if failures else f"ok: {count} links in {len(files)} files")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
