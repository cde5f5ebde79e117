#!/usr/bin/python3
"""Runs the built Quillpad Pro (x64) under Wine.

With a display ($DISPLAY) the program runs there until you quit it (tray menu "Quit Quillpad Pro"
or Shift+Escape on the panel). Without one it runs on a private Xvfb, takes a screenshot of the
panel, quits, and prints where the screenshot is.
"""
import os
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qpwine  # noqa: E402

EXE = os.path.join(qpwine.ROOT, "build", "pro-x64", "quillpadpro.exe")
DRIVER = os.path.join(qpwine.ROOT, "build", "pro-x64", "qpdriver.exe")


def main():
    display = os.environ.get("DISPLAY")
    work = os.path.join(qpwine.ROOT, "build", "run-display" if display else "run-headless")
    env = qpwine.WineEnv(work=work)
    app_dir = os.path.join(work, "program")
    os.makedirs(app_dir, exist_ok=True)
    shutil.copy2(EXE, app_dir)
    exe = os.path.join(app_dir, "quillpadpro.exe")
    try:
        if display:
            env.use_display(display)
            env.ensure_prefix(virtual_desktop=False)
            print(f"run: Quillpad Pro on {display} (program folder {app_dir}); quit it from its tray menu")
            proc = env.start(exe, sys.argv[1:])
            proc.wait()
            print(f"run: Quillpad Pro ended with exit code {proc.returncode}")
            return proc.returncode
        env.start_xvfb()
        env.ensure_prefix()
        proc = env.start(exe, sys.argv[1:])
        driver = qpwine.Driver(env, DRIVER)
        driver.ok("waitprefix 20000 Quillpad Pro ~", timeout=40)
        time.sleep(0.5)
        shot = env.screenshot(os.path.join(work, "screenshot.png"))
        driver.ok("post 1 Quillpad Pro ~")
        deadline = time.time() + 20
        while proc.poll() is None and time.time() < deadline:
            time.sleep(0.05)
        driver.stop()
        print(f"run: no display; Quillpad Pro ran on a private Xvfb ({env.display}).")
        print(f"run: screenshot of the panel: {shot}")
        return 0
    finally:
        env.close()


if __name__ == "__main__":
    sys.exit(main())
