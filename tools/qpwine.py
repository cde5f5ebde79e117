"""A private Wine desktop for running the Windows programs: prefix, Xvfb, processes, driver.

Used by the end-to-end tests, the benchmarks and the run command. Everything started here is
tracked by process id and stopped in close(), also when a step fails or times out.
"""
import os
import shutil
import signal
import subprocess
import threading
import time
import queue

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
WINE64 = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver64" if os.path.exists("/usr/lib/wine/wineserver64") else "wineserver"
SCREEN = (1280, 1024)


class HarnessError(Exception):
    pass


def _lock_owner_alive(lock):
    try:
        with open(lock) as f:
            pid = int(f.read().strip())
    except FileNotFoundError:
        return False
    except (OSError, ValueError):
        return True  # unreadable: someone else's, leave it
    return os.path.exists(f"/proc/{pid}")


def _free_display():
    for n in range(90, 200):
        lock, socket = f"/tmp/.X{n}-lock", f"/tmp/.X11-unix/X{n}"
        if os.path.exists(lock) and not _lock_owner_alive(lock):
            # Left by a server that was killed: its files name a process that is gone.
            for path in (lock, socket):
                try:
                    os.unlink(path)
                except OSError:
                    pass
        if not os.path.exists(socket) and not os.path.exists(lock):
            return n
    raise HarnessError("no free X display number")


class Driver:
    """The in-Wine driver program, kept running; one command line in, one reply line out."""

    def __init__(self, env, exe):
        self.env = env
        self.exe = exe
        self.proc = None
        self.lines = None

    def _start(self):
        self.proc = subprocess.Popen([WINE64, self.exe], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL, env=self.env.env, cwd=os.path.dirname(self.exe),
                                     start_new_session=True)
        self.env.track(self.proc)
        self.lines = queue.Queue()

        def pump(stream, q):
            for raw in iter(stream.readline, b""):
                q.put(raw.decode("utf-8", "replace").rstrip("\r\n"))
            q.put(None)

        threading.Thread(target=pump, args=(self.proc.stdout, self.lines), daemon=True).start()

    def cmd(self, line, timeout=30.0):
        # A driver that ends as it starts (Wine can lose a process starting beside a service that
        # another command woke) is started once more; one that had answered before is not.
        for attempt in (1, 2):
            fresh = self.proc is None or self.proc.poll() is not None
            if fresh:
                self._start()
            try:
                self.proc.stdin.write((line + "\n").encode("utf-8"))
                self.proc.stdin.flush()
                reply = self.lines.get(timeout=timeout)
            except BrokenPipeError as e:
                self.stop()
                if fresh and attempt == 1:
                    continue
                raise HarnessError(f"driver ended before it read {line!r}") from e
            except queue.Empty as e:
                self.stop()
                raise HarnessError(f"driver gave no answer to {line!r} within {timeout}s") from e
            if reply is None:
                self.stop()
                if fresh and attempt == 1:
                    continue
                raise HarnessError(f"driver ended while running {line!r}")
            return reply

    def ok(self, line, timeout=30.0):
        reply = self.cmd(line, timeout)
        if not reply.startswith("ok"):
            raise HarnessError(f"{line!r} -> {reply!r}")
        return reply[3:] if len(reply) > 2 else ""

    def stop(self):
        if self.proc and self.proc.poll() is None:
            try:
                self.proc.stdin.write(b"exit\n")
                self.proc.stdin.flush()
                self.proc.wait(timeout=5)
            except Exception:
                self.env.kill(self.proc)
        self.proc = None


class WineEnv:
    def __init__(self, work=None, display=None):
        # QP_E2E_WORK gives a run its own prefix and wineserver, so that runs can go side by side.
        self.work = work or os.environ.get("QP_E2E_WORK") or os.path.join(ROOT, "build", "e2e")
        self.prefix = os.path.join(self.work, "prefix")
        self.home = os.path.join(self.work, "home")
        self.procs = []
        self.xvfb = None
        self.display = display
        os.makedirs(self.home, exist_ok=True)
        self.env = dict(os.environ)
        self.env.update({
            "WINEPREFIX": self.prefix,
            "HOME": self.home,
            "WINEDEBUG": "-all",
            # Keep Wine from writing menu entries and icons into a real home folder, and from
            # asking to install the .NET and HTML engines while the prefix is made.
            "WINEDLLOVERRIDES": "winemenubuilder.exe=d;mscoree=d;mshtml=d",
            "WINEARCH": "win64",
        })
        self.env.pop("WINELOADER", None)

    # ---- processes ---------------------------------------------------------------------
    def track(self, proc):
        self.procs.append(proc)
        return proc

    def kill(self, proc):
        if proc.poll() is None:
            try:
                os.killpg(proc.pid, signal.SIGKILL)
            except (ProcessLookupError, PermissionError):
                try:
                    proc.kill()
                except ProcessLookupError:
                    pass
            try:
                proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                pass

    def run(self, args, timeout, check=True, **kw):
        p = subprocess.Popen(args, env=self.env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                             start_new_session=True, **kw)
        self.track(p)
        try:
            out, _ = p.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.kill(p)
            raise HarnessError(f"{' '.join(args)} took longer than {timeout}s")
        if check and p.returncode != 0:
            raise HarnessError(f"{' '.join(args)} failed ({p.returncode}): {out.decode(errors='replace')[-400:]}")
        return out.decode("utf-8", "replace")

    def start(self, exe, args=(), cwd=None):
        """Starts a Windows program; returns its Popen (the exit code is the program's)."""
        p = subprocess.Popen([WINE64, exe, *args], env=self.env, cwd=cwd or os.path.dirname(exe),
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        return self.track(p)

    # ---- display -------------------------------------------------------------------------
    def start_xvfb(self, size=SCREEN):
        n = _free_display()
        self.xvfb = subprocess.Popen(["Xvfb", f":{n}", "-screen", "0", f"{size[0]}x{size[1]}x24",
                                      "-nolisten", "tcp", "-noreset"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        self.track(self.xvfb)
        deadline = time.time() + 15
        while not os.path.exists(f"/tmp/.X11-unix/X{n}"):
            if self.xvfb.poll() is not None or time.time() > deadline:
                raise HarnessError("Xvfb did not start")
            time.sleep(0.05)
        self.display = f":{n}"
        self.env["DISPLAY"] = self.display

    def use_display(self, display):
        self.display = display
        self.env["DISPLAY"] = display

    # ---- prefix --------------------------------------------------------------------------
    def ensure_prefix(self, virtual_desktop=True):
        ready = os.path.join(self.prefix, ".quillpad-ready")
        if os.path.exists(ready):
            return False
        shutil.rmtree(self.prefix, ignore_errors=True)
        self.run([WINE64, "wineboot", "-i"], timeout=240)
        self.run([WINESERVER, "-w"], timeout=120, check=False)
        # Wine's virtual desktop: without a window manager, keyboard input follows the pointer;
        # the virtual desktop routes it to Wine's foreground window instead.
        reg = [("HKCU\\Software\\Wine\\Explorer", "Desktop", "Default"),
               ("HKCU\\Software\\Wine\\Explorer\\Desktops", "Default", f"{SCREEN[0]}x{SCREEN[1]}")]
        if not virtual_desktop:
            reg = []
        for key, name, value in reg:
            self.run([WINE64, "reg", "add", key, "/v", name, "/d", value, "/f"], timeout=60)
        self.run([WINESERVER, "-w"], timeout=120, check=False)
        # The user folders are symlinks into $HOME: make them real folders of the prefix.
        users = os.path.join(self.prefix, "drive_c", "users")
        for user in os.listdir(users):
            base = os.path.join(users, user)
            for name in os.listdir(base):
                path = os.path.join(base, name)
                if os.path.islink(path):
                    os.unlink(path)
                    os.makedirs(path, exist_ok=True)
        with open(ready, "w") as f:
            f.write("ok\n")
        return True

    def user_dir(self, name):
        users = os.path.join(self.prefix, "drive_c", "users")
        for user in sorted(os.listdir(users)):
            if user != "Public":
                return os.path.join(users, user, name)
        raise HarnessError("no user folder in the prefix")

    def start_wineserver(self):
        # A persistent server keeps program start-up fast between scenarios.
        p = subprocess.Popen([WINESERVER, "-p", "-f"], env=self.env, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL, start_new_session=True)
        self.track(p)

    def screenshot(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        self.run(["import", "-display", self.display, "-window", "root", path], timeout=30)
        return path

    def windows_path(self, unix_path):
        return "Z:" + os.path.abspath(unix_path).replace("/", "\\")

    def close(self):
        # The server first, while it still runs: it ends every process of the prefix, the
        # desktop and Wine's own services included, which no process id here names.
        try:
            subprocess.run([WINESERVER, "-k"], env=self.env, timeout=30,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except Exception:
            pass
        for p in reversed(self.procs):
            if p is not self.xvfb:
                self.kill(p)
        if self.xvfb:
            # Terminated, not killed, so that the server removes its lock and socket files.
            if self.xvfb.poll() is None:
                self.xvfb.terminate()
                try:
                    self.xvfb.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    pass
            self.kill(self.xvfb)
        self.procs = []
