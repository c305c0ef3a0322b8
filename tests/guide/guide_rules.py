"""What a guide page must be before it ships beside the program: read from
the bytes alone, without a browser."""

import html.parser
import os
import re
import urllib.parse

# The program opens these by name (ui/solution_pages.cpp).
REQUIRED_PAGES = [
    "spec_top.htm",
    "spec_usb_ut750.htm",
    "error00.htm",
    "error01.htm",
    "error03-1.htm",
    "error05.htm",
    "error06.htm",
]
TOP_PAGE = "spec_top.htm"

# Charset labels as IE and Chromium both read them, and the codec that
# decodes the same bytes the same way.
CODECS = {"shift_jis": "cp932", "windows-31j": "cp932", "utf-8": "utf-8"}

JAPANESE = re.compile("[\u3040-\u30ff\u3400-\u9fff\uff66-\uff9f]")
DOCTYPE = re.compile(rb'\A<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4\.01(?: Transitional)?//EN"'
                     rb'(?: "http://www\.w3\.org/TR/html4/(?:strict|loose)\.dtd")?>', re.I)
META_CHARSET = re.compile(rb'<meta\s+http-equiv="?Content-Type"?\s+content="text/html;\s*charset=([A-Za-z0-9_-]+)"\s*>',
                          re.I)
CSS_CHARSET = re.compile(rb'\A@charset "([A-Za-z0-9_-]+)";')
CSS_URL = re.compile(r"url\(\s*['\"]?([^'\")]*)['\"]?\s*\)|@import\s+['\"]([^'\"]+)['\"]", re.I)
# Things IE7/8 do not lay out, or that need a network; a page leaning on
# them looks broken on the PCs this program runs on.
CSS_FORBIDDEN = [
    (re.compile(r"display\s*:\s*(?:inline-)?(?:flex|grid)", re.I), "flex or grid layout"),
    (re.compile(r"var\(\s*--|(?:^|[;{\s])--[\w-]+\s*:", re.I), "CSS variables"),
    (re.compile(r"@font-face", re.I), "web fonts"),
    (re.compile(r"\bcalc\(", re.I), "calc()"),
    (re.compile(r"\b(?:border-radius|box-shadow|text-shadow|transform|transition|animation|opacity)\s*:", re.I),
     "CSS3 properties"),
    (re.compile(r"\b(?:rgba|hsla?)\(|gradient\(", re.I), "CSS3 colours"),
]
URL_ATTRIBUTES = {"href", "src", "background", "data", "action", "longdesc", "usemap", "cite", "codebase"}


class PageParser(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.references = []  # (tag, attribute, value)
        self.anchors = set()
        self.styles = []
        self.scripts = []
        self.title = None
        self.h1 = None
        self._capture = None
        self._text = []
        self._in_style = False

    def handle_starttag(self, tag, attrs):
        for name, value in attrs:
            value = value or ""
            if name in URL_ATTRIBUTES:
                self.references.append((tag, name, value))
            elif name == "style":
                self.styles.append(value)
            elif name.startswith("on"):
                self.scripts.append(f"{tag} {name}")
            if name == "id" or (tag == "a" and name == "name"):
                self.anchors.add(value)
        if tag == "script":
            self.scripts.append("script")
        if tag == "style":
            self._in_style = True
        if (tag == "title" and self.title is None) or (tag == "h1" and self.h1 is None):
            self._capture = tag
            self._text = []

    def handle_endtag(self, tag):
        if tag == "style":
            self._in_style = False
        if tag == self._capture:
            setattr(self, tag, " ".join("".join(self._text).split()))
            self._capture = None

    def handle_data(self, data):
        if self._in_style:
            self.styles.append(data)
        if self._capture:
            self._text.append(data)


def decode_page(raw):
    """Returns (charset label, text, problems)."""
    problems = []
    if raw.startswith(b"\xef\xbb\xbf"):
        problems.append("starts with a UTF-8 byte order mark; IE then ignores the declared charset")
        raw = raw[3:]
    if not DOCTYPE.match(raw):
        problems.append("does not start with an HTML 4.01 Strict or Transitional doctype")
    found = META_CHARSET.findall(raw)
    if len(found) != 1:
        return None, None, problems + [f"needs exactly one <meta http-equiv=\"Content-Type\"> charset, has {len(found)}"]
    label = found[0].decode("ascii")
    if META_CHARSET.search(raw).start() > 1024 - 80:
        problems.append("declares its charset after the first 1024 bytes, where browsers stop looking")
    codec = CODECS.get(label.lower())
    if codec is None:
        return label, None, problems + [f"declares charset {label}, which is neither Shift_JIS nor UTF-8"]
    text, problem = decode_strict(raw, label, codec)
    if problem:
        problems.append(problem)
    return label, text, problems


def decode_strict(raw, label, codec):
    # Japanese text in CP932 is practically never valid UTF-8, so valid
    # UTF-8 under a Shift_JIS label means an editor re-saved the file.
    if codec == "cp932" and any(b >= 0x80 for b in raw):
        try:
            raw.decode("utf-8")
            return None, f"declares {label} but its bytes are UTF-8"
        except UnicodeDecodeError:
            pass
    try:
        return raw.decode(codec), None
    except UnicodeDecodeError as e:
        context = raw[max(0, e.start - 20):e.end + 20]
        return None, f"declares {label} but byte {e.start} does not decode as {label} (near {context!r})"


def decode_css(raw):
    """CSS without @charset takes the charset of whichever page links it, so
    anything beyond ASCII must say its own."""
    match = CSS_CHARSET.match(raw)
    if match is None:
        try:
            return raw.decode("ascii"), None
        except UnicodeDecodeError:
            return None, "has non-ASCII bytes but no @charset rule on its first line"
    label = match.group(1).decode("ascii")
    codec = CODECS.get(label.lower())
    if codec is None:
        return None, f"declares @charset {label}, which is neither Shift_JIS nor UTF-8"
    return decode_strict(raw, label, codec)


def resolve(guide_dir, from_file, reference):
    """Returns (file path, fragment, problem) for a reference in `from_file`."""
    if reference.strip() != reference or "\\" in reference:
        return None, None, "has spaces or backslashes"
    parts = urllib.parse.urlsplit(reference)
    if parts.scheme or parts.netloc or reference.startswith("/"):
        return None, None, "is not a relative link"
    if parts.query:
        return None, None, "has a query string, which a local file cannot answer"
    if not parts.path:
        return from_file, parts.fragment, None
    target = os.path.normpath(os.path.join(os.path.dirname(from_file), urllib.parse.unquote(parts.path)))
    root = os.path.realpath(guide_dir)
    if os.path.commonpath([root, os.path.realpath(target)]) != root:
        return None, None, "points outside the GUIDE folder"
    if not os.path.isfile(target):
        return None, None, "points to a file that does not exist"
    # Windows does not care about case, but the build tree may.
    if os.path.basename(target) not in os.listdir(os.path.dirname(target)):
        return None, None, "differs in case from the file it points to"
    return target, parts.fragment, None


def check_css_text(css, where, guide_dir, from_file, problems, seen_css):
    for pattern, what in CSS_FORBIDDEN:
        if pattern.search(css):
            problems.append(f"{where} uses {what}")
    for match in CSS_URL.finditer(css):
        reference = match.group(1) or match.group(2)
        target, _, problem = resolve(guide_dir, from_file, reference)
        if problem:
            problems.append(f"{where}: url {reference!r} {problem}")
        elif target.endswith(".css"):
            seen_css.add(target)


def check_folder(guide_dir):
    """Returns (problems, titles): problems as 'file: message' lines, titles
    as {file name: (title, h1, charset label)} from the bytes."""
    problems = []
    titles = {}
    pages = sorted(f for f in os.listdir(guide_dir) if f.lower().endswith((".htm", ".html")))
    for name in REQUIRED_PAGES:
        if name not in pages:
            problems.append(f"{name}: missing; the program opens it")
    parsed = {}
    seen_css = set()
    for name in pages:
        path = os.path.join(guide_dir, name)
        with open(path, "rb") as f:
            raw = f.read()
        label, text, page_problems = decode_page(raw)
        problems += [f"{name}: {p}" for p in page_problems]
        if text is None:
            continue
        parser = PageParser()
        parser.feed(text)
        parser.close()
        parsed[name] = parser
        titles[name] = (parser.title, parser.h1, label)
        for what in parser.scripts:
            problems.append(f"{name}: has script ({what})")
        for part, value in (("<title>", parser.title), ("first <h1>", parser.h1)):
            if not value:
                problems.append(f"{name}: has no {part}")
            elif not JAPANESE.search(value):
                problems.append(f"{name}: {part} {value!r} has no Japanese")
        for style in parser.styles:
            check_css_text(style, "inline style", guide_dir, path, problems, seen_css)
    for name, parser in parsed.items():
        path = os.path.join(guide_dir, name)
        linked = set()
        for tag, attribute, reference in parser.references:
            target, fragment, problem = resolve(guide_dir, path, reference)
            if problem:
                problems.append(f"{name}: <{tag} {attribute}={reference!r}> {problem}")
                continue
            target_name = os.path.relpath(target, guide_dir)
            if tag == "a":
                linked.add(target_name)
            if target.endswith(".css"):
                seen_css.add(target)
            if fragment:
                anchors = parsed[target_name].anchors if target_name in parsed else set()
                if fragment not in anchors:
                    problems.append(f"{name}: <{tag} {attribute}={reference!r}> names no anchor in {target_name}")
        if name == TOP_PAGE:
            for other in pages:
                if other != TOP_PAGE and other not in linked:
                    problems.append(f"{name}: does not link to {other}")
        elif TOP_PAGE not in linked:
            problems.append(f"{name}: does not link back to {TOP_PAGE}")
    checked = set()
    while seen_css - checked:
        css_path = sorted(seen_css - checked)[0]
        checked.add(css_path)
        css_name = os.path.relpath(css_path, guide_dir)
        with open(css_path, "rb") as f:
            css, problem = decode_css(f.read())
        if problem:
            problems.append(f"{css_name}: {problem}")
            continue
        check_css_text(css, css_name, guide_dir, css_path, problems, seen_css)
    return problems, titles
