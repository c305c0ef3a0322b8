"""Checks the guide pages the program opens: first from their bytes, then as
headless Chromium renders them, and leaves a full-page screenshot of each.

Usage: check_guide_pages.py <GUIDE folder> <screenshot folder>"""

import base64
import os
import struct
import sys
import time
import urllib.parse
import urllib.request

import devtools
import guide_rules

WIDTH = 1000
# IE on a 1024x768 screen, not maximised, is about this wide.
NARROW_WIDTH = 800
SMALLEST_TEXT_PX = 12
LOAD_SECONDS = 15

PAGE_FACTS = r"""(() => {
  const h1 = document.querySelector('h1');
  const tiny = [];
  for (const el of document.body.querySelectorAll('*')) {
    const own = Array.from(el.childNodes).some(n => n.nodeType === 3 && n.textContent.trim());
    if (!own) continue;
    const size = parseFloat(getComputedStyle(el).fontSize);
    if (size < %d) tiny.push(el.tagName.toLowerCase() + ' ' + size + 'px: ' + el.textContent.trim().slice(0, 20));
  }
  return {
    title: document.title.replace(/\s+/g, ' ').trim(),
    h1: h1 ? h1.textContent.replace(/\s+/g, ' ').trim() : null,
    charset: document.characterSet,
    mode: document.compatMode,
    links: Array.from(document.querySelectorAll('a[href]')).map(a => a.href),
    tiny: tiny.slice(0, 5),
  };
})()""" % SMALLEST_TEXT_PX

OVERFLOW = r"""(() => {
  const root = document.documentElement;
  const wide = [];
  for (const el of document.body.querySelectorAll('*')) {
    const box = el.getBoundingClientRect();
    if (box.width > 0 && box.right > root.clientWidth + 1) wide.push(el.tagName.toLowerCase());
  }
  return {scroll: root.scrollWidth, client: root.clientWidth, wide: wide.slice(0, 5)};
})()"""


def file_url(path):
    return urllib.parse.urljoin("file:", urllib.request.pathname2url(os.path.abspath(path)))


def inside(guide_dir, url):
    parts = urllib.parse.urlsplit(url)
    if parts.scheme != "file" or parts.netloc not in ("", "localhost"):
        return False
    path = os.path.realpath(urllib.request.url2pathname(parts.path))
    root = os.path.realpath(guide_dir)
    return os.path.commonpath([root, path]) == root


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", data[16:24])


def set_width(browser, width, height):
    browser.call("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=1, mobile=False)


def load(browser, guide_dir, path):
    """Loads one page; returns (facts, problems) where problems are the
    requests that left the GUIDE folder or failed."""
    problems = []
    browser.events.clear()
    set_width(browser, WIDTH, 700)
    reply = browser.call("Page.navigate", url=file_url(path))
    if reply.get("errorText"):
        return None, [f"Chromium could not open it: {reply['errorText']}"]
    if not browser.wait_for_event("Page.loadEventFired", LOAD_SECONDS):
        problems.append(f"did not finish loading within {LOAD_SECONDS} s")
    # Late requests (fonts, CSS backgrounds) come after the load event.
    browser.wait_for_event("no such event", 0.5)
    urls = {}
    finished = set()
    for event in browser.events:
        method, params = event["method"], event["params"]
        if method == "Network.requestWillBeSent":
            url = params["request"]["url"]
            urls[params["requestId"]] = url
            if not inside(guide_dir, url):
                problems.append(f"requested {url[:120]}, outside the GUIDE folder")
        elif method == "Network.loadingFailed":
            problems.append(f"request for {urls.get(params['requestId'], '?')} failed: {params.get('errorText')}")
            finished.add(params["requestId"])
        elif method == "Network.loadingFinished":
            finished.add(params["requestId"])
        elif method == "Network.responseReceived" and params["response"].get("status") not in (0, 200):
            problems.append(f"{params['response']['url']} answered {params['response']['status']}")
        elif method == "Log.entryAdded" and params["entry"]["level"] == "error":
            problems.append(f"console error: {params['entry']['text'][:200]}")
        elif method == "Runtime.exceptionThrown":
            problems.append("script exception")
    for request_id, url in urls.items():
        if request_id not in finished:
            problems.append(f"request for {url} never finished")
    return browser.evaluate(PAGE_FACTS), problems


def check_rendering(browser, guide_dir, name, expected):
    """Returns the problems of one page as Chromium renders it."""
    path = os.path.join(guide_dir, name)
    facts, problems = load(browser, guide_dir, path)
    if facts is None:
        return problems
    title, h1, label = expected
    if facts["mode"] != "CSS1Compat":
        problems.append("Chromium renders it in quirks mode")
    if facts["charset"].lower() != label.lower():
        problems.append(f"Chromium read it as {facts['charset']}, not the declared {label}")
    for part, shown, meant in (("<title>", facts["title"], title), ("<h1>", facts["h1"], h1)):
        if not shown or not guide_rules.JAPANESE.search(shown):
            problems.append(f"rendered {part} {shown!r} has no Japanese")
        elif shown != meant:
            problems.append(f"rendered {part} {shown!r} differs from the text in the file {meant!r}")
    for link in facts["links"]:
        if not inside(guide_dir, link):
            problems.append(f"link {link} leaves the GUIDE folder")
        else:
            target = urllib.request.url2pathname(urllib.parse.urlsplit(link).path)
            if not os.path.isfile(target):
                problems.append(f"link {link} has no file")
    for entry in facts["tiny"]:
        problems.append(f"text smaller than {SMALLEST_TEXT_PX}px: {entry}")
    for width in (WIDTH, NARROW_WIDTH):
        set_width(browser, width, 700)
        overflow = browser.evaluate(OVERFLOW)
        if overflow["scroll"] > overflow["client"] or overflow["wide"]:
            problems.append(f"wider than a {width}px window ({overflow['scroll']}px; {', '.join(overflow['wide'])})")
    return problems


def screenshot(browser, shot_path):
    set_width(browser, WIDTH, 700)
    height = int(browser.evaluate("Math.ceil(document.documentElement.scrollHeight)"))
    set_width(browser, WIDTH, height)
    # One frame for the taller viewport to lay out before the capture.
    browser.evaluate("new Promise(r => requestAnimationFrame(() => r(0)))")
    data = base64.b64decode(browser.call("Page.captureScreenshot", format="png")["data"])
    if png_size(data) != (WIDTH, height):
        return f"screenshot is {png_size(data)}, not {WIDTH}x{height}"
    with open(shot_path, "wb") as f:
        f.write(data)
    return None


def main(argv):
    if len(argv) != 3:
        print("usage: check_guide_pages.py <GUIDE folder> <screenshot folder>", file=sys.stderr)
        return 2
    guide_dir, shot_dir = argv[1], argv[2]
    if not os.path.isdir(guide_dir):
        print(f"FAIL: {guide_dir} is not a folder", file=sys.stderr)
        return 1
    os.makedirs(shot_dir, exist_ok=True)
    started = time.monotonic()
    problems, pages = guide_rules.check_folder(guide_dir)
    try:
        with devtools.Browser() as browser:
            browser.call("Network.enable")
            browser.call("Network.setCacheDisabled", cacheDisabled=True)
            browser.call("Page.enable")
            browser.call("Log.enable")
            browser.call("Runtime.enable")
            for name, expected in sorted(pages.items()):
                page_problems = check_rendering(browser, guide_dir, name, expected)
                shot = os.path.join(shot_dir, os.path.splitext(name)[0] + ".png")
                failure = screenshot(browser, shot)
                if failure:
                    page_problems.append(failure)
                problems += [f"{name}: {p}" for p in page_problems]
    except (devtools.DevToolsError, OSError) as e:
        problems.append(f"headless Chromium: {e}")
    for problem in problems:
        print("FAIL: " + problem, file=sys.stderr)
    if problems:
        print(f"{len(problems)} problem(s) in {guide_dir}", file=sys.stderr)
        return 1
    print(f"OK: {len(pages)} pages in {guide_dir}, screenshots in {shot_dir} ({time.monotonic() - started:.1f} s)")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
