"""A headless Chromium and just enough of its DevTools protocol to load a
page, watch its requests, read its DOM and take a screenshot.

Standard library only: the WebSocket client below speaks unfragmented text
frames out and reassembles whatever Chromium sends back."""

import base64
import json
import os
import shutil
import socket
import struct
import subprocess
import tempfile
import time
import urllib.request

CHROMIUM = "/usr/bin/chromium"
CHROMIUM_FLAGS = [
    "--headless",
    "--no-sandbox",
    "--disable-gpu",
    "--disable-quic",
    "--no-first-run",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--hide-scrollbars",
    "--remote-debugging-port=0",
]


class DevToolsError(Exception):
    pass


class WebSocket:
    def __init__(self, host, port, path, timeout):
        self.sock = socket.create_connection((host, port), timeout=timeout)
        key = base64.b64encode(os.urandom(16)).decode("ascii")
        # No Origin header: Chromium refuses WebSocket origins it was not told
        # to allow, but lets a client without one through.
        request = (
            f"GET {path} HTTP/1.1\r\nHost: {host}:{port}\r\nUpgrade: websocket\r\n"
            f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
            "Sec-WebSocket-Version: 13\r\n\r\n"
        )
        self.sock.sendall(request.encode("ascii"))
        head = b""
        while b"\r\n\r\n" not in head:
            chunk = self.sock.recv(4096)
            if not chunk:
                raise DevToolsError("DevTools closed the WebSocket handshake")
            head += chunk
        head, rest = head.split(b"\r\n\r\n", 1)
        self.pending = bytearray(rest)
        status = head.split(b"\r\n", 1)[0]
        if b" 101 " not in status + b" ":
            raise DevToolsError("DevTools refused the WebSocket: " + status.decode("latin-1"))

    def _read_exact(self, count):
        while len(self.pending) < count:
            chunk = self.sock.recv(max(65536, count - len(self.pending)))
            if not chunk:
                raise DevToolsError("DevTools closed the WebSocket")
            self.pending += chunk
        data = bytes(self.pending[:count])
        del self.pending[:count]
        return data

    def send_text(self, text):
        payload = text.encode("utf-8")
        header = bytearray([0x81])
        if len(payload) < 126:
            header.append(0x80 | len(payload))
        elif len(payload) < 65536:
            header.append(0x80 | 126)
            header += struct.pack(">H", len(payload))
        else:
            header.append(0x80 | 127)
            header += struct.pack(">Q", len(payload))
        mask = os.urandom(4)
        masked = bytes(b ^ mask[i % 4] for i, b in enumerate(payload))
        self.sock.sendall(bytes(header) + mask + masked)

    def receive_text(self):
        message = b""
        while True:
            first, second = self._read_exact(2)
            opcode = first & 0x0F
            length = second & 0x7F
            if length == 126:
                (length,) = struct.unpack(">H", self._read_exact(2))
            elif length == 127:
                (length,) = struct.unpack(">Q", self._read_exact(8))
            mask = self._read_exact(4) if second & 0x80 else None
            payload = self._read_exact(length)
            if mask:
                payload = bytes(b ^ mask[i % 4] for i, b in enumerate(payload))
            if opcode == 0x8:
                raise DevToolsError("DevTools closed the WebSocket")
            if opcode == 0x9:
                continue  # Chromium does not ping; a pong is not worth the code
            message += payload
            if first & 0x80:
                return message.decode("utf-8")

    def close(self):
        try:
            self.sock.close()
        except OSError:
            pass


class Browser:
    """One headless Chromium with a fresh profile, and its first page."""

    def __init__(self, timeout=30.0):
        self.timeout = timeout
        self.profile = tempfile.mkdtemp(prefix="guide-chromium-")
        self.log = open(os.path.join(self.profile, "chromium.log"), "wb")
        self.process = subprocess.Popen(
            [CHROMIUM, *CHROMIUM_FLAGS, f"--user-data-dir={self.profile}", "about:blank"],
            stdin=subprocess.DEVNULL,
            stdout=self.log,
            stderr=subprocess.STDOUT,
            start_new_session=True,
        )
        self.socket = None
        self.next_id = 0
        self.events = []
        try:
            self._connect()
        except Exception:
            self.close()
            raise

    def _connect(self):
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        deadline = time.monotonic() + self.timeout
        port = None
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise DevToolsError(f"Chromium exited with {self.process.returncode}; see its log:\n"
                                    + self.log_text())
            try:
                with open(port_file, encoding="ascii") as f:
                    lines = f.read().split()
                if lines:
                    port = int(lines[0])
                    break
            except (OSError, ValueError):
                pass
            time.sleep(0.1)
        if port is None:
            raise DevToolsError("Chromium wrote no DevToolsActivePort within the time limit")
        page = None
        while time.monotonic() < deadline and page is None:
            with urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list", timeout=5) as reply:
                targets = json.load(reply)
            page = next((t for t in targets if t.get("type") == "page"), None)
            if page is None:
                time.sleep(0.1)
        if page is None:
            raise DevToolsError("Chromium opened no page target")
        path = page["webSocketDebuggerUrl"].split(f":{port}", 1)[1]
        self.socket = WebSocket("127.0.0.1", port, path, self.timeout)

    def log_text(self):
        self.log.flush()
        with open(self.log.name, "rb") as f:
            return f.read().decode("utf-8", "replace")

    def call(self, method, **params):
        self.next_id += 1
        call_id = self.next_id
        self.socket.send_text(json.dumps({"id": call_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.receive_text())
            if message.get("id") == call_id:
                if "error" in message:
                    raise DevToolsError(f"{method}: {message['error'].get('message')}")
                return message.get("result", {})
            if "method" in message:
                self.events.append(message)

    def wait_for_event(self, method, seconds):
        """Collects events until `method` arrives or `seconds` pass; returns
        whether it came."""
        if any(e["method"] == method for e in self.events):
            return True
        deadline = time.monotonic() + seconds
        while True:
            left = deadline - time.monotonic()
            if left <= 0:
                return False
            self.socket.sock.settimeout(left)
            try:
                message = json.loads(self.socket.receive_text())
            except socket.timeout:
                return False
            finally:
                self.socket.sock.settimeout(self.timeout)
            if "method" in message:
                self.events.append(message)
                if message["method"] == method:
                    return True

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise DevToolsError("script failed: " + json.dumps(result["exceptionDetails"])[:500])
        return result["result"].get("value")

    def close(self):
        if self.socket:
            self.socket.close()
        if self.process.poll() is None:
            # The whole session: Chromium's zygote and renderers share it.
            try:
                os.killpg(self.process.pid, 15)
            except ProcessLookupError:
                pass
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(self.process.pid, 9)
                self.process.wait()
        self.log.close()
        shutil.rmtree(self.profile, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
