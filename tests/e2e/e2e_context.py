"""What a scenario works with: fresh program folders, launching, the driver, screenshots."""
import os
import shutil
import time

import qpwine

ROOT = qpwine.ROOT
# QP_BUILD_ROOT points the scenarios at other build folders (<root>/pro-x64, <root>/std-x64).
BUILD = os.environ.get("QP_BUILD_ROOT") or os.path.join(ROOT, "build")
PROGRAMS = {
    "pro": os.path.join(BUILD, "pro-x64", "quillpadpro.exe"),
    "std": os.path.join(BUILD, "std-x64", "quillpad.exe"),
}
TITLE_PREFIX = {"pro": "Quillpad Pro ~ ", "std": "Quillpad ~ "}


def prepare_tools(env):
    tools = os.path.join(env.work, "tools")
    os.makedirs(tools, exist_ok=True)
    for name in ("qpdriver.exe", "qptarget.exe"):
        shutil.copy2(os.path.join(BUILD, "pro-x64", name), os.path.join(tools, name))
    return tools


class Skip(Exception):
    """Raised by a scenario the system under it cannot run; reported as skipped, with the reason."""


class App:
    def __init__(self, ctx, proc, folder, edition, command=None):
        self.ctx = ctx
        self.proc = proc
        self.folder = folder
        self.edition = edition
        self.command = command  # (exe, args): what starts it again

    def wait_exit(self, timeout=20):
        deadline = time.time() + timeout
        while self.proc.poll() is None:
            if time.time() > deadline:
                raise AssertionError(f"program still running after {timeout}s")
            time.sleep(0.05)
        return self.proc.returncode

    def running(self):
        return self.proc.poll() is None


class Context:
    def __init__(self, env, tools, name):
        self.env = env
        self.name = name
        self.tools = tools
        self.artifacts = os.path.join(env.work, "artifacts", name)
        shutil.rmtree(self.artifacts, ignore_errors=True)
        os.makedirs(self.artifacts, exist_ok=True)
        self.driver = qpwine.Driver(env, os.path.join(tools, "qpdriver.exe"))
        self.apps = []
        self.relaunches = []  # what the harness had to start twice, for the run's summary
        self._folders = 0

    # ---- programs ----------------------------------------------------------------------
    def program_folder(self, edition="pro"):
        """A fresh folder holding a copy of the program, so that files beside it are the scenario's own."""
        self._folders += 1
        folder = os.path.join(self.env.work, "run", self.name, f"{edition}{self._folders}")
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        shutil.copy2(PROGRAMS[edition], folder)
        return folder

    def launch(self, edition="pro", args=(), folder=None):
        folder = folder or self.program_folder(edition)
        exe = os.path.join(folder, os.path.basename(PROGRAMS[edition]))
        app = App(self, self.env.start(exe, args, cwd=folder), folder, edition, (exe, tuple(args)))
        self.apps.append(app)
        return app

    def start_target(self, title="Quillpad Test Target", x=40, y=40):
        log = os.path.join(self.artifacts, f"target-{len(self.apps)}.log")
        if os.path.exists(log):
            os.unlink(log)
        proc = self.env.start(os.path.join(self.tools, "qptarget.exe"),
                              [title, self.env.windows_path(log), str(x), str(y)])
        app = App(self, proc, self.tools, "target")
        app.log = log
        self.apps.append(app)
        self.d("wait 15000 " + title)
        return app

    # ---- driver --------------------------------------------------------------------------
    def d(self, line, timeout=30.0):
        return self.driver.ok(line, timeout)

    def wait_panel(self, edition="pro", timeout_ms=20000, relaunch=True):
        """Waits until the panel is visible; returns (window rect, client rect, title).

        Wine now and then loses a process while it starts. A program that shows no window of its
        own in the time is started once more, and the run's summary counts it; the start-up
        scenarios, whose subject is the start, pass relaunch=False."""
        try:
            reply = self._wait_prefix(edition, timeout_ms)
        except qpwine.HarnessError as e:
            app = next((a for a in reversed(self.apps) if a.edition == edition and a.command), None)
            state = self._start_report(app)
            if not relaunch or app is None:
                raise qpwine.HarnessError(f"{e}; {state}") from e
            print(f"    harness: no {edition} window in {timeout_ms} ms ({state}); started once more", flush=True)
            self.relaunches.append(f"{self.name}: {state}")
            self.env.kill(app.proc)
            exe, args = app.command
            app.proc = self.env.start(exe, args, cwd=app.folder)
            try:
                reply = self._wait_prefix(edition, timeout_ms)
            except qpwine.HarnessError as again:
                raise qpwine.HarnessError(f"{again} twice; {self._start_report(app)}") from again
        # The panel settles into its corner with its first moves; wait until it stays put.
        deadline = time.time() + 5
        while time.time() < deadline:
            time.sleep(0.15)
            again = self._wait_prefix(edition, timeout_ms)
            if again == reply:
                break
            reply = again
        rects = parse_rect_reply(reply)
        self.wait_painted(rects[1])
        return rects

    def _wait_prefix(self, edition, timeout_ms):
        return self.d(f"waitprefix {timeout_ms} {TITLE_PREFIX[edition]}", timeout=timeout_ms / 1000 + 10)

    def _start_report(self, app):
        """Whether the program still runs, and the top-level windows there are: what a failed
        start is read from."""
        if app is None:
            state = "no program launched"
        elif app.proc.poll() is None:
            state = "program still running"
        else:
            state = f"program ended with {app.proc.returncode}"
        try:
            windows = self.d("list").strip()
        except qpwine.HarnessError as e:
            windows = f"(no list: {e})"
        return f"{state}; windows:{windows or ' none'}"

    # Wine's desktop colour, as the virtual desktop shows where no window is.
    DESKTOP = "256f95"

    def wait_painted(self, client, timeout=10):
        """A loaded machine may list a shown window a moment before its first paint reaches the
        screen; the pixels a scenario reads are the painted ones."""
        deadline = time.time() + timeout
        while time.time() < deadline and self.d(f"pixel {client[0]} {client[1]}").lower() == self.DESKTOP:
            time.sleep(0.1)

    # ---- files beside the program ---------------------------------------------------------
    @staticmethod
    def write_config(folder, lines, name="quillpadpro.cfg"):
        """Writes a configuration file as the program writes it: UTF-8 mark, CR LF lines."""
        data = "\ufeff\r\n" + "".join(line + "\r\n" for line in lines)
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data.encode("utf-8"))

    @staticmethod
    def config_lines(**keys):
        return ["[Config]"] + [f"{k} = {v}" for k, v in keys.items()]

    @staticmethod
    def read_bytes(path):
        with open(path, "rb") as f:
            return f.read()

    # ---- the panel ---------------------------------------------------------------------------
    def key_point(self, set_number, position, edition="pro", compact=0, order=0):
        reply = self.d(f"keypos {set_number} {position} {compact} {order} {TITLE_PREFIX[edition]}")
        x, y = reply.split()
        return int(x), int(y)

    def docked_corner(self, margin=0):
        """Right and bottom edges a docked panel keeps to on display 0, worked out as the program
        does from what the system reports now: the work area and a bottom taskbar's thickness.
        Snapping keeps a margin off them; the start placement none."""
        v = [int(x) for x in self.d("workarea").split()]
        work_right, work_bottom, edge, tb_top, tb_bottom = v[2], v[3], v[4], v[6], v[8]
        screen_w, screen_h = (int(x) for x in self.d("screen").split())
        thickness = tb_bottom - tb_top if edge == 3 else 0  # ABE_BOTTOM
        right = min(screen_w, work_right)
        bottom = min(screen_h, work_bottom + thickness) - thickness
        return right - margin, bottom - margin

    def more_point(self, position, edition="pro"):
        x, y = self.d(f"morepos {position} {TITLE_PREFIX[edition]}").split()
        return int(x), int(y)

    def element_point(self, element, edition="pro"):
        x, y = self.d(f"elempos {element} {TITLE_PREFIX[edition]}").split()
        return int(x), int(y)

    # ---- controls of any of the program's windows, by id (title prefix of the top window) ----
    def control_rect(self, control_id, title):
        """((left, top, right, bottom) on the screen, visible, enabled) of a control."""
        v = [int(p) for p in self.d(f"ctlrect {control_id} {title}").split()]
        return tuple(v[0:4]), v[4] == 1, v[5] == 1

    def control_point(self, control_id, title, dx=None):
        """A point on the control: its middle, or dx pixels right of its left edge."""
        (left, top, right, bottom), _, _ = self.control_rect(control_id, title)
        x = (left + right) // 2 if dx is None else left + dx
        return x, (top + bottom) // 2

    def control_message(self, control_id, message, wparam, lparam, title):
        return int(self.d(f"ctlmsg {control_id} {message} {wparam} {lparam} {title}"))

    def tab_point(self, control_id, index, title):
        left, top, right, bottom = (int(p) for p in self.d(f"tabrect {control_id} {index} {title}").split())
        return (left + right) // 2, (top + bottom) // 2

    def click(self, point, button="click"):
        self.d(f"{button} {point[0]} {point[1]}")

    def target_units(self, target):
        """UTF-16 units the target has received so far, as ints."""
        if not os.path.exists(target.log):
            return []
        with open(target.log) as f:
            return [int(line, 16) for line in f.read().split()]

    def wait_units(self, target, count, timeout=3.0):
        deadline = time.time() + timeout
        units = self.target_units(target)
        while len(units) < count and time.time() < deadline:
            time.sleep(0.05)
            units = self.target_units(target)
        time.sleep(0.2)  # anything extra would arrive now
        return self.target_units(target)

    def clipboard_units(self):
        reply = self.d("clipboard")
        return [] if reply == "none" else [int(u, 16) for u in reply.split()]

    def shot(self, label):
        return self.env.screenshot(os.path.join(self.artifacts, f"{label}.png"))

    def appdata_config(self):
        return os.path.join(self.env.user_dir("AppData"), "Roaming", "Marrowfen", "Quillpad", "quillpadpro.cfg")

    def cleanup(self):
        for app in self.apps:
            self.env.kill(app.proc)
        self.apps = []
        self.driver.stop()
        # A configuration left in the shared application-data folder would be read by later scenarios.
        shutil.rmtree(os.path.join(self.env.user_dir("AppData"), "Roaming", "Marrowfen"), ignore_errors=True)


def parse_rect_reply(reply):
    parts = reply.split(" ", 9)
    nums = [int(v) for v in parts[:9]]
    window = tuple(nums[0:4])
    client = tuple(nums[4:8])
    title = parts[9] if len(parts) > 9 else ""
    return window, client, title
