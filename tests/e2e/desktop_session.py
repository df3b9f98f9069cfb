"""One run of the program against the stand-in support site, as a person would see it.

Starts the stand-in site and the program with a fixture machine (DMI files), a fake
xdg-open that records the addresses the buttons open, and reads the window through the
accessibility interface (AT-SPI): what it reads is what a screen reader gets.
"""

import os
import shutil
import signal
import subprocess
import tempfile
import time

import pyatspi
from gi.repository import GLib

FIELD_NAMES = ("产品型号", "产 品 号", "序 列 号", "保修信息")
PLACEHOLDER = "查询中..."


class DesktopSession:
    def __init__(self, app, standin=None, serial="5CD0000XYZ",
                 model="HP ZHAN 66 Pro G1 Notebook PC", sku="7DY08PA#AB2",
                 standin_args=(), live=False):
        self.app = app
        self.dir = tempfile.mkdtemp(prefix="lantuo-e2e-")
        self.env = dict(os.environ)
        self.env.pop("NO_AT_BRIDGE", None)
        self.standin = None
        self.opened_log = os.path.join(self.dir, "opened.txt")
        self._make_fake_xdg_open()
        if not live:
            self._make_dmi(serial, model, sku)
            self._start_standin(standin, standin_args)
        self.process = None

    # -- fixtures -------------------------------------------------------------

    def _make_dmi(self, serial, model, sku):
        dmi = os.path.join(self.dir, "dmi")
        os.makedirs(dmi)
        for name, value in (("product_serial", serial), ("product_name", model),
                            ("product_sku", sku), ("sys_vendor", "HP")):
            with open(os.path.join(dmi, name), "w") as f:
                f.write(value + "\n")
        self.env["LANTUO_DMI_DIR"] = dmi

    def _make_fake_xdg_open(self):
        bin_dir = os.path.join(self.dir, "bin")
        os.makedirs(bin_dir)
        path = os.path.join(bin_dir, "xdg-open")
        with open(path, "w") as f:
            f.write('#!/bin/sh\nprintf "%s\\n" "$1" >> "{}"\n'.format(self.opened_log))
        os.chmod(path, 0o755)
        self.env["PATH"] = bin_dir + os.pathsep + self.env.get("PATH", "")

    def _start_standin(self, standin, args):
        port_file = os.path.join(self.dir, "standin.port")
        self.log_file = os.path.join(self.dir, "standin.log")
        self.standin = subprocess.Popen(
            [standin, "--port-file", port_file, "--log", self.log_file, "--lifetime", "900", *args],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + 10
        port = ""
        while time.time() < deadline and not port:
            if os.path.exists(port_file):
                with open(port_file) as f:
                    port = f.read().strip()
            time.sleep(0.05)
        if not port:
            raise RuntimeError("the stand-in site did not start")
        self.origin = "http://127.0.0.1:" + port
        self.env["LANTUO_SUPPORT_SITE_ORIGIN"] = self.origin
        self.env["LANTUO_PARTS_LOOKUP_ORIGIN"] = self.origin

    # -- the program ----------------------------------------------------------

    def start(self):
        self.process = subprocess.Popen([self.app], env=self.env)
        self.accessible = self._find_application(self.process.pid, 20)
        return self

    def _find_application(self, pid, timeout):
        deadline = time.time() + timeout
        while time.time() < deadline:
            desktop = pyatspi.Registry.getDesktop(0)
            for app in desktop:
                try:
                    if app is not None and app.get_process_id() == pid and self._nodes(app, pyatspi.ROLE_TEXT):
                        return app
                except Exception:
                    pass
            time.sleep(0.2)
        raise RuntimeError("the program's window did not appear on the accessibility bus")

    @staticmethod
    def _nodes(root, role):
        found = []

        def walk(node, depth):
            if node is None or depth > 30:
                return
            if node.getRole() == role:
                found.append(node)
            for child in node:
                walk(child, depth + 1)

        walk(root, 0)
        return found

    @staticmethod
    def _name(node):
        if node.name:
            return node.name
        for relation in node.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                return relation.getTarget(0).name
        return ""

    def fields(self):
        """The four edit boxes by their labels' captions; hidden boxes read as None."""
        values = dict.fromkeys(FIELD_NAMES)
        for node in self._nodes(self.accessible, pyatspi.ROLE_TEXT):
            name = self._name(node)
            if name in values and node.getState().contains(pyatspi.STATE_SHOWING):
                values[name] = node.queryText().getText(0, -1)
        return values

    def wait_for_result(self, timeout=60):
        """Waits until the warranty field holds something other than the placeholder.
        While the program's main thread is busy (the warranty fetch blocks it), the
        accessibility bus answers with time-outs; those are waited through."""
        deadline = time.time() + timeout
        values = dict.fromkeys(FIELD_NAMES)
        while time.time() < deadline:
            try:
                values = self.fields()
            except GLib.GError:
                continue
            if values["保修信息"] not in (None, "", PLACEHOLDER):
                return values
            time.sleep(0.25)
        return values

    def button(self, caption):
        for node in self._nodes(self.accessible, pyatspi.ROLE_PUSH_BUTTON):
            if node.name == caption:
                return node
        raise LookupError(caption)

    def button_enabled(self, caption):
        return self.button(caption).getState().contains(pyatspi.STATE_SENSITIVE)

    def click(self, caption):
        self.button(caption).queryAction().doAction(0)

    def opened(self):
        if not os.path.exists(self.opened_log):
            return []
        with open(self.opened_log) as f:
            return f.read().splitlines()

    def wait_for_opened(self, count, timeout=10):
        deadline = time.time() + timeout
        while time.time() < deadline and len(self.opened()) < count:
            time.sleep(0.1)
        return self.opened()

    def requests(self):
        """The stand-in's log: one list of lines (request line, then headers) per request."""
        with open(self.log_file, "rb") as f:
            raw = f.read().decode("utf-8", "replace")
        return [block.split("\r\n") for block in raw.split("\r\n\r\n") if block.strip()]

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], check=False)

    def close(self, timeout=60):
        """Closes the window with Esc, as a person would, and returns the exit code."""
        windows = subprocess.run(["xdotool", "search", "--pid", str(self.process.pid), "--name", "岚拓"],
                                 capture_output=True, text=True).stdout.split()
        for window in windows:
            subprocess.run(["xdotool", "windowfocus", "--sync", window, "key", "Escape"],
                           capture_output=True, timeout=10)
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            return None

    def finish(self):
        if self.process and self.process.poll() is None:
            self.process.send_signal(signal.SIGKILL)
            self.process.wait()
        if self.standin:
            self.standin.terminate()
            self.standin.wait()
        shutil.rmtree(self.dir, ignore_errors=True)
