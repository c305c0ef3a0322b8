"""Injects includes the README's list forbids into a copy of the sources and
makes sure tools/check_includes.py fails on each, naming file and include.

Usage: check_includes_selftest.py [source root]"""

import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", ".."))
CHECK = os.path.join(ROOT, "tools", "check_includes.py")

# (what it pins, file that gets the include, include it gets)
BAD_INCLUDES = [
    ("logic includes a dialog", "judge/judge_flow.cpp", "ui/main_dialog.h"),
    ("copp may reach only the log of judge/", "copp/copp_messages.cpp", "judge/judge_flow.h"),
    ("ui may reach only two headers of app/", "ui/verdict.cpp", "app/checker_app.h"),
    ("the base includes nothing above it", "handles/message_box.cpp", "probe/os_probes.h"),
    ("the product never includes tests", "probe/os_probes.cpp", "tests/support/trace_capture.h"),
    ("tools build on the product, never on tests", "tools/page_reader/page_reader.cpp", "tests/support/trace_capture.h"),
]


def run_check(root):
    result = subprocess.run([sys.executable, "-B", CHECK, root], capture_output=True, text=True)
    return result.returncode, result.stdout


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
    for failure in failures:
        print(failure)
    print(f"check_includes_selftest: {len(BAD_INCLUDES) + 1 - len(failures)} of {len(BAD_INCLUDES) + 1} cases as expected")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
