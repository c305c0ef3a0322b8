"""Breaks a copy of the guide pages in the ways a hand edit breaks them and
makes sure the page check fails, with a message that names the fault.

Usage: check_guide_selftest.py [GUIDE folder]"""

import os
import shutil
import subprocess
import sys
import tempfile

import check_guide_pages
import devtools
import guide_rules

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_GUIDE = os.path.join(HERE, "..", "..", "res", "GUIDE")


def replace(name, old, new, count=1):
    def edit(folder):
        path = os.path.join(folder, name)
        with open(path, "rb") as f:
            raw = f.read()
        old_bytes, new_bytes = old.encode("cp932"), new.encode("cp932")
        if old_bytes not in raw:
            raise AssertionError(f"fixture edit: {old!r} is not in {name}")
        with open(path, "wb") as f:
            f.write(raw.replace(old_bytes, new_bytes, count))
    return edit


def delete(name):
    return lambda folder: os.remove(os.path.join(folder, name))


def reencode_utf8(name):
    def edit(folder):
        path = os.path.join(folder, name)
        with open(path, "rb") as f:
            text = f.read().decode("cp932")
        with open(path, "wb") as f:
            f.write(text.encode("utf-8"))
    return edit


def outside_file(edit):
    """Also leaves a file just outside the GUIDE folder, so that a reference
    to it resolves instead of failing as missing."""
    def both(folder):
        with open(os.path.join(os.path.dirname(folder), "outside.png"), "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
        edit(folder)
    return both


BODY = '<div id="content">'

# (case, edit, page the check should blame, words its message must hold)
STATIC_CASES = [
    ("page the program opens is gone", delete("error05.htm"), "error05.htm", "missing"),
    ("link to a misspelt page", replace("spec_top.htm", 'href="error06.htm"', 'href="error6.htm"'),
     "spec_top.htm", "does not exist"),
    ("link to a missing anchor", replace("error03-1.htm", "error01.htm#driver", "error01.htm#drivers"),
     "error03-1.htm", "names no anchor"),
    ("link to the web", replace("error00.htm", BODY, BODY + '<p><a href="http://www.example.com/">x</a></p>'),
     "error00.htm", "not a relative link"),
    ("absolute local path", replace("error00.htm", BODY, BODY + '<p><a href="/etc/hosts">x</a></p>'),
     "error00.htm", "not a relative link"),
    ("image outside the folder", outside_file(replace("error01.htm", BODY, BODY + '<p><img src="../outside.png" alt=""></p>')),
     "error01.htm", "outside the GUIDE folder"),
    ("Windows path separator", replace("error05.htm", 'href="error06.htm"', 'href=".\\error06.htm"'),
     "error05.htm", "backslashes"),
    ("no way back to the top page", replace("error05.htm", 'href="spec_top.htm', 'href="error06.htm', count=-1),
     "error05.htm", "does not link back to spec_top.htm"),
    ("top page forgets a page", replace("spec_top.htm", 'href="error05.htm"', 'href="error06.htm"', count=-1),
     "spec_top.htm", "does not link to error05.htm"),
    ("saved as UTF-8 by an editor", reencode_utf8("error00.htm"), "error00.htm", "bytes are UTF-8"),
    ("declared charset the bytes do not match", replace("error06.htm", "charset=Shift_JIS", "charset=UTF-8"),
     "error06.htm", "does not decode as UTF-8"),
    ("unknown charset", replace("error06.htm", "charset=Shift_JIS", "charset=EUC-JP"),
     "error06.htm", "neither Shift_JIS nor UTF-8"),
    ("no charset at all", replace("error06.htm", '<meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS">', ""),
     "error06.htm", "exactly one"),
    ("byte order mark", lambda folder: _prepend(folder, "error06.htm", b"\xef\xbb\xbf"), "error06.htm",
     "byte order mark"),
    ("doctype dropped", replace("error05.htm", '<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN" '
                                '"http://www.w3.org/TR/html4/strict.dtd">', ""), "error05.htm", "doctype"),
    ("title in English", replace("error01.htm", "<title>グラフィック機能がCOPPに対応していません - ソラリオ for UT-750 ガイド",
                                 "<title>COPP error"), "error01.htm", "<title> 'COPP error' has no Japanese"),
    ("h1 in English", replace("error01.htm", "<h1>グラフィック機能がCOPPに対応していません</h1>", "<h1>COPP</h1>"),
     "error01.htm", "first <h1> 'COPP' has no Japanese"),
    ("script element", replace("error00.htm", "</head>", '<script type="text/javascript">history.back()</script></head>'),
     "error00.htm", "has script"),
    ("event attribute", replace("error00.htm", '<body id="top">', '<body id="top" onload="x()">'),
     "error00.htm", "has script"),
    ("flex layout", replace("guide.css", "#page {", "#page {\n  display: flex;"), "guide.css", "flex"),
    ("rounded corners", replace("guide.css", "#page {", "#page {\n  border-radius: 4px;"), "guide.css", "CSS3"),
    ("web font", replace("guide.css", "body {", '@font-face { font-family: x; src: url(x.woff); }\nbody {'),
     "guide.css", "web fonts"),
    ("stylesheet background from the web", replace("guide.css", "body {", "body {\n  background: url(http://example.com/b.png);"),
     "guide.css", "not a relative link"),
    ("stylesheet lost its @charset", replace("guide.css", '@charset "Shift_JIS";\n', ""), "guide.css", "no @charset"),
    ("stylesheet missing", delete("guide.css"), "", "guide.css"),
]


def _prepend(folder, name, prefix):
    path = os.path.join(folder, name)
    with open(path, "rb") as f:
        raw = f.read()
    with open(path, "wb") as f:
        f.write(prefix + raw)


# Faults only the rendering shows: the bytes pass, what Chromium does not.
RENDER_CASES = [
    ("text too small to read", replace("error00.htm", BODY, BODY + '<p style="font-size:9px">小さな文字</p>'),
     "error00.htm", "smaller than 12px"),
    ("box wider than the window", replace("error00.htm", BODY, BODY + '<p style="width:1200px">広い</p>'),
     "error00.htm", "wider than a 1000px window"),
    ("box wider than a small window", replace("error00.htm", BODY, BODY + '<p style="width:880px">広い</p>'),
     "error00.htm", "wider than a 800px window"),
    ("image outside the folder through srcset", outside_file(replace("error01.htm", BODY, BODY + '<p><img srcset="../outside.png 1x" alt=""></p>')),
     "error01.htm", "outside the GUIDE folder"),
    ("missing image", replace("error01.htm", BODY, BODY + '<p><img srcset="nothere.png 1x" alt=""></p>'),
     "error01.htm", "ERR_FILE_NOT_FOUND"),
    ("HTML5 charset wins over the declared one", replace("error05.htm", "<head>", '<head><meta charset="UTF-8">'),
     "error05.htm", "not the declared Shift_JIS"),
    ("quirks mode", replace("error05.htm", '<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN" '
                            '"http://www.w3.org/TR/html4/strict.dtd">', ""), "error05.htm", "quirks mode"),
]


def fresh_copy(guide_dir, scratch, case):
    folder = os.path.join(scratch, str(case), "GUIDE")
    shutil.copytree(guide_dir, folder)
    return folder


def main(argv):
    guide_dir = os.path.abspath(argv[1] if len(argv) > 1 else DEFAULT_GUIDE)
    failures = []
    scratch = tempfile.mkdtemp(prefix="guide-selftest-")
    try:
        problems, _ = guide_rules.check_folder(guide_dir)
        if problems:
            failures.append("the unbroken pages already fail: " + "; ".join(problems))
        for index, (case, edit, page, words) in enumerate(STATIC_CASES):
            folder = fresh_copy(guide_dir, scratch, f"s{index}")
            edit(folder)
            problems, _ = guide_rules.check_folder(folder)
            if not any(p.startswith(page) and words in p for p in problems):
                failures.append(f"{case}: no '{page}: ...{words}...' among {problems}")
        with devtools.Browser() as browser:
            for method in ("Network.enable", "Page.enable", "Log.enable", "Runtime.enable"):
                browser.call(method)
            browser.call("Network.setCacheDisabled", cacheDisabled=True)
            for index, (case, edit, page, words) in enumerate(RENDER_CASES):
                folder = fresh_copy(guide_dir, scratch, f"r{index}")
                edit(folder)
                # What the bytes say, read before the edit where the edit
                # breaks the static read; the rendering must still disagree.
                _, titles = guide_rules.check_folder(guide_dir)
                problems = check_guide_pages.check_rendering(browser, folder, page, titles[page])
                if not any(words in p for p in problems):
                    failures.append(f"{case}: rendering check missed it ({problems})")
            problems = check_guide_pages.check_rendering(browser, guide_dir, "spec_top.htm",
                                                         guide_rules.check_folder(guide_dir)[1]["spec_top.htm"])
            if problems:
                failures.append(f"unbroken spec_top.htm fails to render: {problems}")
        # The whole script: a broken folder must fail the run, not just print.
        script = os.path.join(HERE, "check_guide_pages.sh")
        folder = fresh_copy(guide_dir, scratch, "script")
        os.remove(os.path.join(folder, "error06.htm"))
        run = subprocess.run(["bash", script, folder, os.path.join(scratch, "shots")], capture_output=True, text=True)
        if run.returncode != 1 or "FAIL: error06.htm: missing" not in run.stderr:
            failures.append(f"script on a broken folder: exit {run.returncode}, stderr {run.stderr[-500:]!r}")
        run = subprocess.run(["bash", script, folder], capture_output=True, text=True)
        if run.returncode != 2 or "usage" not in run.stderr:
            failures.append(f"script without a screenshot folder: exit {run.returncode}")
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    for failure in failures:
        print("FAIL: " + failure, file=sys.stderr)
    if failures:
        return 1
    print(f"OK: {len(STATIC_CASES)} byte faults and {len(RENDER_CASES)} rendering faults caught")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
