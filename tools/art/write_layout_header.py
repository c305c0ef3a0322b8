#!/usr/bin/python3
"""Writes layout.py's rectangles as a C++ header, so that the program places
its controls and pictures where the pictures were drawn for them.

    /usr/bin/python3 tools/art/write_layout_header.py OUT.h

Every upper-case name of layout.py that holds (left, top, right, bottom)
becomes a constexpr PageRect: EXIT_BUTTON is kExitButton; a (width, height)
size such as MAIN_SIZE becomes the page's rectangle from the origin.
"""

import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import layout  # noqa: E402


def _IsRect(value):
    return isinstance(value, tuple) and len(value) == 4 and all(isinstance(v, int) for v in value)


def _IsSize(value):
    return isinstance(value, tuple) and len(value) == 2 and all(isinstance(v, int) for v in value)


def _CppName(name):
    return "k" + "".join(part.capitalize() for part in name.split("_"))


def Header():
    lines = [
        "// Written by tools/art/write_layout_header.py from tools/art/layout.py.",
        "#pragma once",
        "",
        "// A rectangle of a page in client pixels; right and bottom exclusive.",
        "struct PageRect {",
        "  int left, top, right, bottom;",
        "  constexpr int width() const { return right - left; }",
        "  constexpr int height() const { return bottom - top; }",
        "};",
        "",
        "namespace page_layout {",
    ]
    for name in sorted(n for n in dir(layout) if n.isupper()):
        value = getattr(layout, name)
        if _IsSize(value):
            value = (0, 0) + value
        if _IsRect(value):
            lines.append("constexpr PageRect %s = {%d, %d, %d, %d};" % ((_CppName(name),) + value))
    lines += ["}  // namespace page_layout", ""]
    return "\n".join(lines)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    text = Header()
    # Rewrite only on change, so the build does not recompile for nothing.
    if os.path.exists(argv[1]):
        with open(argv[1], encoding="utf-8") as existing:
            if existing.read() == text:
                return 0
    os.makedirs(os.path.dirname(os.path.abspath(argv[1])), exist_ok=True)
    with open(argv[1], "w", encoding="utf-8", newline="\n") as out:
        out.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
