"""Injects includes the README's list forbids into a copy of the sources and
makes sure tools/check_includes.py fails on each, naming file and include;
plants circles of folders that the list allows and makes sure it fails
naming the files that close them; then puts the README's library table and CMake's link table at odds and
makes sure it fails naming the row to write.

Usage: check_includes_selftest.py [source root [build tree's link_table.txt]]"""

import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", ".."))
CHECK = os.path.join(ROOT, "tools", "check_includes.py")
LINK_TABLE = sys.argv[2] if len(sys.argv) > 2 else None

# (what it pins, file that gets the include, include it gets)
BAD_INCLUDES = [
    ("logic includes a dialog", "judge/judge_flow.cpp", "ui/main_dialog.h"),
    ("copp reaches nothing of judge/", "copp/copp_messages.cpp", "judge/judge_flow.h"),
    ("ui reaches nothing of app/", "ui/verdict.cpp", "app/checker_app.h"),
    ("the base includes nothing above it", "handles/message_box.cpp", "probe/os_probes.h"),
    ("the product never includes tests", "probe/os_probes.cpp", "tests/support/trace_capture.h"),
    ("tools build on the product, never on tests", "tools/page_reader/page_reader.cpp", "tests/support/trace_capture.h"),
]

# (what it pins, README rule replaced, file that gets the include, include
# it gets, what the check must print): a circle of folders, each include
# on the list, still fails, and the files that close it are named.
CIRCLES = [
    ("the base and the text include each other", ("handles      -> text\n", "handles      -> text\ntext         -> handles\n"),
     "text/cp932_text.cpp", "handles/owner.h",
     ["folder circle handles -> text -> handles", 'handles/message_box.cpp:3: handles/ includes "text/wide_text.h"',
      'text/cp932_text.cpp:1: text/ includes "handles/owner.h"']),
    ("a circle the log would close through ui", ("judge        -> copp probe trace\n", "judge        -> copp probe trace\ntrace        -> ui\n"),
     "trace/judge_log.cpp", "ui/verdict.h",
     ["folder circle copp -> trace -> ui -> copp", 'trace/judge_log.cpp:1: trace/ includes "ui/verdict.h"']),
]

WINFW_MAIN_NOTE = "`WinMain`, in an object library so that every program linking it gets it"
# (what it pins, README text replaced, link table text replaced ("" appends),
# what the check must print)
TABLE_CASES = [
    ("a library the table lacks", ("| `dwm_control` | `system/` | `handles` |\n", ""), None,
     "no row for `dwm_control`; add this row:\n| `dwm_control` | `system/` | `handles` |\n"),
    ("a library another branch adds to CMake", None,
     ("", "notice\tSTATIC_LIBRARY\thandles/\tlibnotice.a\thandles,project_options,user32\n"),
     "no row for `notice`; add this row:\n| `notice` | `handles/` | `handles` |\n"),
    ("a link the row misses, its note kept",
     (f"| `winfw_main` | `winfw/` | `winfw`; {WINFW_MAIN_NOTE} |", f"| `winfw_main` | `winfw/` | nothing; {WINFW_MAIN_NOTE} |"),
     None, f"change it to:\n| `winfw_main` | `winfw/` | `winfw`; {WINFW_MAIN_NOTE} |\n"),
    ("a row of a target CMake does not build", ("| `probe` |", "| `gone` | `ui/` | `judge` |\n| `probe` |"), None,
     "`gone` is no target of CMake outside tests/; remove its row"),
    ("the product links a library of the tests", None,
     ("\tprobe/\tlibprobe.a\tproject_options,", "\tprobe/\tlibprobe.a\ttest_support,project_options,"),
     "`probe` links `test_support` of the test tree"),
]


def run_check(root, link_table=None):
    command = [sys.executable, "-B", CHECK, root] + ([link_table] if link_table else [])
    result = subprocess.run(command, capture_output=True, text=True)
    return result.returncode, result.stdout


def edited(path, edit, into):
    """Writes the file with `edit` (old, new) applied to `into`; False when
    `old` is not in it."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    old, new = edit
    if old and old not in text:
        return False
    with open(into, "w", encoding="utf-8") as f:
        f.write(text.replace(old, new, 1) if old else text + new)
    return True


def table_failures(copy, temp):
    failures = []
    readme = os.path.join(copy, "README.md")
    shutil.copy(readme, os.path.join(temp, "README.original"))
    code, output = run_check(copy, LINK_TABLE)
    if code != 0:
        failures.append(f"the untouched table fails:\n{output}")
    links = os.path.join(temp, "link_table.txt")
    for what, readme_edit, links_edit, expected in TABLE_CASES:
        shutil.copy(os.path.join(temp, "README.original"), readme)
        shutil.copy(LINK_TABLE, links)
        if (readme_edit and not edited(readme, readme_edit, readme)) or \
                (links_edit and not edited(links, links_edit, links)):
            failures.append(f"{what}: the text to change is gone; update the case")
            continue
        code, output = run_check(copy, links)
        if code == 0 or expected not in output:
            failures.append(f"{what}: expected\n{expected}\nin:\n{output}")
    shutil.copy(os.path.join(temp, "README.original"), readme)
    return failures


def circle_failures(copy):
    failures = []
    readme = os.path.join(copy, "README.md")
    for what, rule, file, include, expected in CIRCLES:
        path = os.path.join(copy, file)
        with open(readme, encoding="utf-8") as f:
            original_readme = f.read()
        with open(path, encoding="utf-8") as f:
            original = f.read()
        if not edited(readme, rule, readme):
            failures.append(f"{what}: the rule to change is gone; update the case")
            continue
        with open(path, "w", encoding="utf-8") as f:
            f.write(f'#include "{include}"\n' + original)
        code, output = run_check(copy)
        for name, text in ((path, original), (readme, original_readme)):
            with open(name, "w", encoding="utf-8") as f:
                f.write(text)
        if code == 0 or "may not include" in output or any(line not in output for line in expected):
            failures.append(f"{what}: expected\n" + "\n".join(expected) + f"\nin:\n{output}")
    return failures


def main():
    failures = []
    with tempfile.TemporaryDirectory() as temp:
        copy = os.path.join(temp, "tree")
        shutil.copytree(ROOT, copy, ignore=shutil.ignore_patterns(".git", "build", "docs", "GUIDE"))
        code, output = run_check(copy)
        if code != 0:
            failures.append(f"the untouched copy fails:\n{output}")
        for what, file, include in BAD_INCLUDES:
            path = os.path.join(copy, file)
            with open(path, encoding="utf-8") as f:
                original = f.read()
            with open(path, "w", encoding="utf-8") as f:
                f.write(f'#include "{include}"\n' + original)
            code, output = run_check(copy)
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
            if code == 0 or f'{file}:1: ' not in output or f'"{include}"' not in output:
                failures.append(f"{what}: {file} including {include} was not named:\n{output}")
        failures += circle_failures(copy)
        if LINK_TABLE:
            failures += table_failures(copy, temp)
    for failure in failures:
        print(failure)
    cases = len(BAD_INCLUDES) + len(CIRCLES) + 1 + (len(TABLE_CASES) + 1 if LINK_TABLE else 0)
    print(f"check_includes_selftest: {cases - len(failures)} of {cases} cases as expected")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
