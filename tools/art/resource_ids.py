"""The program's resource numbers, read from res/resource_ids.h, where each is
written once. Every '#define IDx_NAME number' there is a name of this module:

    import resource_ids as ids
    ids.IDB_START_PAGE  # 226
"""

import os
import re

HEADER = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, os.pardir, "res", "resource_ids.h")
_DEFINE = re.compile(r"#define (ID[A-Z]_[A-Z0-9_]+) ([0-9]+)\s*$")


def Read(path):
    """{name: number} for the header's numeric defines."""
    numbers = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            match = _DEFINE.match(line)
            if match:
                numbers[match.group(1)] = int(match.group(2))
    if not numbers:
        raise SystemExit("resource_ids: no '#define IDx_NAME number' lines in %s" % path)
    return numbers


globals().update(Read(HEADER))
