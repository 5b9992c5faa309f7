#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""A generated framed web site, visited in headless Chromium.

Makes a site with the generator program, serves it on 127.0.0.1 with
python3 -m http.server and drives Chromium through the DevTools protocol
over --remote-debugging-pipe (standard library only). Checks what a visitor
does: the left column loads the first album, a thumbnail opens its photo
page with "i of n", previous and next wrap round, the thumbnails link leads
back, the series of a large group wrap round, and a description holding
markup neither breaks the page nor runs. A second site, made by clicking
through the HTML tab of the real main window, opens at its index.htm and
leads from a thumbnail to its photo page.

Every process started here is ended by its own id; the whole run is bounded.
"""

import argparse
import fcntl
import json
import os
import select
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

CHROMIUM = "/usr/bin/chromium"
RUN_LIMIT = 75  # seconds for everything
WAIT_LIMIT = 15  # seconds for one page to reach the expected state


class Failure(Exception):
    pass


class DevTools:
    """The browser end of --remote-debugging-pipe: JSON messages ended by NUL,
    the browser reading on its fd 3 and writing on its fd 4."""

    def __init__(self, user_data_dir):
        to_browser_r, self._to_browser = os.pipe()
        self._from_browser, from_browser_w = os.pipe()

        def child_fds():
            # Move the pipe ends out of the way first, then onto 3 and 4.
            a = fcntl.fcntl(to_browser_r, fcntl.F_DUPFD, 10)
            b = fcntl.fcntl(from_browser_w, fcntl.F_DUPFD, 10)
            os.dup2(a, 3)
            os.dup2(b, 4)

        self.process = subprocess.Popen(
            [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--disable-features=site-per-process,IsolateOrigins",
             "--remote-debugging-pipe", "--user-data-dir=" + user_data_dir, "about:blank"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            # Our own descriptors are not inheritable; only 3 and 4 reach the browser.
            preexec_fn=child_fds, close_fds=False,
            start_new_session=True)
        os.close(to_browser_r)
        os.close(from_browser_w)
        self._buffer = b""
        self._next_id = 0
        self.session = None

    def close(self):
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.process.wait(timeout=10)
        for fd in (self._to_browser, self._from_browser):
            try:
                os.close(fd)
            except OSError:
                pass

    def _read_message(self, deadline):
        while b"\0" not in self._buffer:
            left = deadline - time.monotonic()
            if left <= 0:
                raise Failure("the browser did not answer in time")
            ready, _, _ = select.select([self._from_browser], [], [], left)
            if not ready:
                continue
            chunk = os.read(self._from_browser, 65536)
            if not chunk:
                raise Failure("the browser closed its DevTools pipe")
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def call(self, method, params=None, session=True, timeout=WAIT_LIMIT):
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params or {}}
        if session and self.session:
            message["sessionId"] = self.session
        os.write(self._to_browser, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + timeout
        while True:
            answer = self._read_message(deadline)
            if answer.get("id") == self._next_id:
                if "error" in answer:
                    raise Failure("%s failed: %s" % (method, answer["error"]))
                return answer.get("result", {})

    def attach_to_page(self):
        deadline = time.monotonic() + WAIT_LIMIT
        while time.monotonic() < deadline:
            targets = self.call("Target.getTargets", session=False)["targetInfos"]
            pages = [t for t in targets if t["type"] == "page"]
            if pages:
                result = self.call("Target.attachToTarget",
                                   {"targetId": pages[0]["targetId"], "flatten": True}, session=False)
                self.session = result["sessionId"]
                self.call("Runtime.enable")
                return
            time.sleep(0.1)
        raise Failure("the browser shows no page")

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", {"expression": expression, "returnByValue": True})
        if "exceptionDetails" in result:
            return None
        return result["result"].get("value")


# Frames of the site, found from the top window; all pages come from one
# origin, so the top window reaches into every frame.
FRAMES = """
var right = top.frames['webview_right'];
var left = top.frames['webview_left'];
function contents() { return right.frames['thumbnail_contents']; }
function bottom() { return right.frames['thumbnail_bottom']; }
function ready(w) { return w && w.document && w.document.readyState == 'complete'; }
function text(w) { return w.document.body ? w.document.body.innerText.replace(/\\u00a0/g, ' ') : ''; }
function clickLink(w, href) {
  var links = w.document.getElementsByTagName('a');
  for (var i = 0; i < links.length; i++)
    if (links[i].getAttribute('href') == href) { links[i].click(); return true; }
  return false;
}
"""


def wait_for(tools, what, condition):
    """Polls a JavaScript condition until it holds; fails with what."""
    deadline = time.monotonic() + WAIT_LIMIT
    last = None
    while time.monotonic() < deadline:
        last = tools.evaluate("(function(){ try {" + FRAMES + " return " + condition
                              + "; } catch (e) { return 'error: ' + e; } })()")
        if last is True:
            return
        time.sleep(0.1)
    where = tools.evaluate("(function(){ try {" + FRAMES + " return right.location.href + ' | '"
                           " + contents().location.href + ' | ' + text(contents()).slice(0, 200);"
                           " } catch (e) { return 'error: ' + e; } })()")
    raise Failure("%s (last value: %r; right frame: %s)" % (what, last, where))


def run(tools, script):
    """Runs an action; a frame that is still being replaced gets another try."""
    deadline = time.monotonic() + WAIT_LIMIT
    value = None
    while time.monotonic() < deadline:
        value = tools.evaluate("(function(){ try {" + FRAMES + script
                               + "} catch (e) { return 'error: ' + e; } })()")
        if value is True:
            return
        time.sleep(0.1)
    raise Failure("could not do: %s (%r)" % (script.strip(), value))


def photo_shown(number, index, count, word="of"):
    page = "PhotoContents%d.htm?" % number
    return ("ready(contents()) && contents().location.href.indexOf(%s) >= 0"
            " && text(contents()).indexOf(%s) >= 0"
            % (json.dumps(page), json.dumps(" %d %s %d" % (index, word, count))))


def check_site(tools, base):
    tools.call("Page.navigate", {"url": base + "index.htm"})

    # The left column selects the first album and loads its thumbnails.
    wait_for(tools, "list.htm loads album 1 into the right frame",
             "ready(left) && left.document.forms[0].album.selectedIndex == 1"
             " && right.location.pathname.endsWith('/html/albums/album1/ThumbnailFrame.htm')"
             " && ready(contents()) && contents().document.images.length == 3")
    wait_for(tools, "the title bar shows the title as text",
             "ready(top.frames['webview_top'])"
             " && text(top.frames['webview_top']).indexOf('Browser <test> & site') >= 0")

    # A thumbnail opens its photo page; next and previous go round the group.
    run(tools, "contents().document.images[0].parentNode.click(); return true;")
    wait_for(tools, "the first thumbnail opens photo 1 as 1 of 3", photo_shown(1, 1, 3))
    wait_for(tools, "the photo page keeps the group in its query",
             "contents().location.search == '?key=Holiday&path=albums_album1"
             "&thumbnails=ThumbnailFrameContents1.htm'")
    # The description with markup is text, and nothing of it ran.
    wait_for(tools, "the description shows as text and the page stays whole",
             "text(contents()).indexOf('</select><script>top.pwned = 1;</script>') >= 0"
             " && contents().document.getElementsByTagName('select').length == 0"
             " && contents().document.images.length == 1"
             " && text(contents()).indexOf('holiday-1.jpg') >= 0"
             " && typeof top.pwned == 'undefined'")
    run(tools, "return clickLink(contents(), 'javascript:goto_prevphoto()');")
    wait_for(tools, "previous from the first photo wraps to the last", photo_shown(3, 3, 3))
    run(tools, "return clickLink(contents(), 'javascript:goto_nextphoto()');")
    wait_for(tools, "next from the last photo wraps to the first", photo_shown(1, 1, 3))
    run(tools, "return clickLink(contents(), 'javascript:goto_nextphoto()');")
    wait_for(tools, "next goes to the second photo", photo_shown(2, 2, 3))
    run(tools, "return clickLink(contents(), 'javascript:goto_thumbnails()');")
    wait_for(tools, "the thumbnails link leads back to the group's page",
             "ready(contents()) && contents().location.pathname.endsWith("
             "'/html/albums/album1/ThumbnailFrameContents1.htm') && contents().document.images.length == 3")

    # The next-group link of the top bar; then the series of a large group.
    run(tools, "return clickLink(right.frames['thumnail_top'], '../album2/ThumbnailFrame.htm');")
    wait_for(tools, "the next-group link opens album 2 with 20 thumbnails on its first page",
             "right.location.pathname.endsWith('/html/albums/album2/ThumbnailFrame.htm')"
             " && ready(contents()) && contents().document.images.length == 20 && ready(bottom())")
    run(tools, "return clickLink(bottom(), 'javascript:next()');")
    wait_for(tools, "next series shows page 2 with photo 21",
             "ready(contents()) && contents().location.pathname.endsWith('ThumbnailFrameContents2.htm')"
             " && contents().document.images.length == 2 && bottom().document.forms[0].lblCurrent.value == '2'"
             " && text(contents()).indexOf('21') >= 0")
    run(tools, "return clickLink(bottom(), 'javascript:next()');")
    wait_for(tools, "next series from the last page wraps to page 1",
             "ready(contents()) && contents().location.pathname.endsWith('ThumbnailFrameContents1.htm')"
             " && bottom().document.forms[0].lblCurrent.value == '1'")
    run(tools, "return clickLink(bottom(), 'javascript:previous()');")
    wait_for(tools, "previous series from page 1 wraps to page 2",
             "ready(contents()) && contents().location.pathname.endsWith('ThumbnailFrameContents2.htm')")
    # The photo on page 2 keeps page 2 as the way back.
    run(tools, "contents().document.images[1].parentNode.click(); return true;")
    wait_for(tools, "the 22nd thumbnail opens 22 of 22", photo_shown(25, 22, 22))
    run(tools, "return clickLink(contents(), 'javascript:goto_nextphoto()');")
    wait_for(tools, "next from the last photo of album 2 wraps to its first", photo_shown(4, 1, 22))
    run(tools, "return clickLink(contents(), 'javascript:goto_thumbnails()');")
    wait_for(tools, "back to the second series page",
             "ready(contents()) && contents().location.pathname.endsWith("
             "'/html/albums/album2/ThumbnailFrameContents2.htm')")

    # A list of the left column loads its group.
    # As a visitor's choice: the change event runs in the list page, whose
    # address the relative group address is taken from.
    run(tools, "var list = left.document.forms[0].year; list.selectedIndex = 1;"
               " list.dispatchEvent(new left.Event('change')); return true;")
    wait_for(tools, "the years list opens the year group",
             "right.location.pathname.endsWith('/html/years/year1/ThumbnailFrame.htm')"
             " && ready(contents()) && contents().document.images.length == 3"
             " && left.document.forms[0].album.selectedIndex == 0")
    if tools.evaluate("typeof top.pwned") != "undefined":
        raise Failure("markup from a description ran")


def check_quoted_word(tools, base, word):
    tools.call("Page.navigate", {"url": base + "index.htm"})
    wait_for(tools, "the site with a quoted word loads album 1",
             "ready(contents()) && contents().document.images.length == 3")
    run(tools, "contents().document.images[1].parentNode.click(); return true;")
    wait_for(tools, "a word with quotes and markup still shows 2 of 3", photo_shown(2, 2, 3, word))


def check_tab_site(tools, base):
    tools.call("Page.navigate", {"url": base + "index.htm"})
    wait_for(tools, "the site made on the HTML tab shows its album's three thumbnails",
             "ready(left) && left.document.forms[0].album.selectedIndex == 1"
             " && ready(contents()) && contents().document.images.length == 3")
    run(tools, "contents().document.images[1].parentNode.click(); return true;")
    wait_for(tools, "the second thumbnail of the HTML tab's site opens 2 of 3", photo_shown(2, 2, 3))
    wait_for(tools, "the photo page shows the photo itself",
             "contents().document.images.length == 1 && contents().document.images[0].complete"
             " && contents().document.images[0].naturalWidth > 0")


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def serve(folder):
    port = free_port()
    server = subprocess.Popen(
        [sys.executable, "-m", "http.server", str(port), "--bind", "127.0.0.1", "--directory", folder],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=0.5):
                return server, "http://127.0.0.1:%d/" % port
        except OSError:
            if server.poll() is not None:
                break
            time.sleep(0.1)
    stop(server)
    raise Failure("the web server did not start")


def stop(process):
    if process is None or process.poll() is not None:
        return
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    process.wait(timeout=10)


def make_site(maker, work, word=None):
    command = [maker, work] + ([word] if word is not None else [])
    result = subprocess.run(command, capture_output=True, text=True, timeout=60)
    if result.returncode != 0:
        raise Failure("the generator failed (%d): %s" % (result.returncode, result.stderr))
    return os.path.join(work, "site")


def make_tab_site(maker, work):
    result = subprocess.run([maker, work], capture_output=True, text=True, timeout=60)
    if result.returncode != 0:
        raise Failure("the HTML tab made no site (%d): %s" % (result.returncode, result.stderr))
    site = os.path.join(work, "site")
    if result.stdout.strip() != os.path.join(site, "index.htm"):
        raise Failure("the HTML tab listed %r as its site" % result.stdout.strip())
    return site


def on_alarm(signum, frame):
    raise Failure("the browser test took longer than %d seconds" % RUN_LIMIT)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--maker", required=True)
    parser.add_argument("--tab-maker", required=True)
    args = parser.parse_args()

    if not os.access(CHROMIUM, os.X_OK):
        print("FAIL: %s is not installed (scripts/install-deps installs the chromium package)" % CHROMIUM)
        return 1

    signal.signal(signal.SIGALRM, on_alarm)
    signal.alarm(RUN_LIMIT)
    work = tempfile.mkdtemp(prefix="tavri-browser-")
    servers = []
    tools = None
    try:
        plain = make_site(args.maker, os.path.join(work, "plain"))
        quoted_word = "o\"f'</script>"
        quoted = make_site(args.maker, os.path.join(work, "quoted"), quoted_word)
        server, plain_base = serve(plain)
        servers.append(server)
        server, quoted_base = serve(quoted)
        servers.append(server)
        tab = make_tab_site(args.tab_maker, os.path.join(work, "tab"))
        server, tab_base = serve(tab)
        servers.append(server)

        os.makedirs(os.path.join(work, "profile"))
        tools = DevTools(os.path.join(work, "profile"))
        tools.attach_to_page()
        check_site(tools, plain_base)
        check_quoted_word(tools, quoted_base, quoted_word)
        check_tab_site(tools, tab_base)
        print("PASS: the framed sites work in headless Chromium")
        return 0
    except Failure as failure:
        print("FAIL: %s" % failure)
        return 1
    finally:
        signal.alarm(0)
        if tools is not None:
            tools.close()
        for server in servers:
            stop(server)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
