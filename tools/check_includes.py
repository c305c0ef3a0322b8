#!/usr/bin/env python3
"""Fails on an #include "folder/..." between top-level folders that the
README's "Who may include whom" list does not allow.

Usage: check_includes.py [source root]"""

import os
import re
import sys

SOURCE_SUFFIXES = (".cpp", ".h", ".c", ".rc")
SKIPPED_FOLDERS = {"build", "docs"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
RULES_HEADING = "#### Who may include whom"


def read_rules(readme):
    """{folder: set of folders or single headers it may include}; '*' allows all."""
    with open(readme, encoding="utf-8") as f:
        lines = f.read().split("\n")
    try:
        start = lines.index(RULES_HEADING)
        fence = next(i for i in range(start, len(lines)) if lines[i].startswith("```"))
        end = next(i for i in range(fence + 1, len(lines)) if lines[i].startswith("```"))
    except (ValueError, StopIteration):
        raise SystemExit(f"check_includes: no rules block under '{RULES_HEADING}' in {readme}")
    rules = {}
    for line in lines[fence + 1:end]:
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        source, arrow, targets = line.partition("->")
        if not arrow:
            raise SystemExit(f"check_includes: rule without '->' in {readme}: {line}")
        rules[source.strip()] = set(targets.split())
    return rules


def includes_between_folders(root):
    """(file, line number, source folder, included path) for every quoted
    include whose first component is another top-level folder."""
    folders = {name for name in os.listdir(root)
               if os.path.isdir(os.path.join(root, name)) and not name.startswith(".")}
    for folder in sorted(folders - SKIPPED_FOLDERS):
        for directory, subdirectories, files in os.walk(os.path.join(root, folder)):
            subdirectories.sort()
            for name in sorted(files):
                if not name.endswith(SOURCE_SUFFIXES):
                    continue
                path = os.path.join(directory, name)
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, text in enumerate(f, 1):
                        match = INCLUDE.match(text)
                        if not match:
                            continue
                        included = match.group(1)
                        target = included.split("/", 1)[0]
                        if "/" in included and target in folders and target != folder:
                            yield os.path.relpath(path, root), number, folder, included


def allowed(rules, folder, included):
    granted = rules.get(folder, set())
    return "*" in granted or included.split("/", 1)[0] in granted or included in granted


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    rules = read_rules(os.path.join(root, "README.md"))
    faults = [f'{path}:{number}: {folder}/ may not include "{included}"'
              for path, number, folder, included in includes_between_folders(root)
              if not allowed(rules, folder, included)]
    for fault in faults:
        print(fault)
    if faults:
        print(f"check_includes: {len(faults)} include(s) outside the README's list")
        return 1
    print("check_includes: every include between folders is on the README's list")
    return 0


if __name__ == "__main__":
    sys.exit(main())
