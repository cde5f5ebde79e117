"""Windows' own events around a running program: a locked configuration file, the shell
restarting, the capture taken away, the display changing, the session ending, the shortcut
script host and the help page view."""
import os
import shutil
import time

import qpwine

PRO = "Quillpad Pro ~ "
TITLE = PRO + "Latin - Western Europe"
TITLE_STRIP = 1004
WM_CANCELMODE, WM_QUERYENDSESSION = 0x1F, 0x11
TRAY_ICON_ID = 1


def _start(ctx, folder=None, **keys):
    folder = folder or ctx.program_folder("pro")
    lines = {"KeySet": 1, "AllowMultiRun": 1}
    lines.update(keys)
    ctx.write_config(folder, ctx.config_lines(**lines))
    app = ctx.launch("pro", folder=folder)
    return app, folder, os.path.join(folder, "quillpadpro.cfg")


def _window(ctx, title=TITLE):
    return tuple(int(v) for v in ctx.d(f"rect {title}").split()[:4])


def _quit(ctx, app):
    ctx.d(f"post 1 {PRO}")
    assert app.wait_exit(20) == 0


def _wait(predicate, timeout=5.0):
    deadline = time.time() + timeout
    while not predicate() and time.time() < deadline:
        time.sleep(0.05)
    return predicate()


# ---- the configuration file -----------------------------------------------------------------

def test_a_file_locked_at_start_is_not_written_when_it_is_free_again(ctx):
    folder = ctx.program_folder("pro")
    cfg = os.path.join(folder, "quillpadpro.cfg")
    ctx.write_config(folder, ["; the user's own note"] + ctx.config_lines(KeySet=12, Dock=0, WinPosLeft=300,
                                                                           WinPosTop=250, AllowMultiRun=1))
    before = ctx.read_bytes(cfg)
    ctx.d(f"lock {ctx.env.windows_path(cfg)}")  # as a backup tool holds it, sharing nothing
    app = ctx.launch("pro", folder=folder)
    _, _, title = ctx.wait_panel("pro")
    assert title == PRO + "Latin - Western Europe", title  # the read defaults: set 1, docked
    ctx.d("unlock")
    ctx.shot("started-on-defaults")
    _quit(ctx, app)  # saves: the position, set 1, docking on
    assert ctx.read_bytes(cfg) == before, "the defaults of a run that could not read the file were written"
    assert sorted(os.listdir(folder)) == ["quillpadpro.cfg", "quillpadpro.exe"], os.listdir(folder)

    # The next run reads it and saves through the file swapped in whole: the note kept, nothing left beside it.
    app = ctx.launch("pro", folder=folder)
    _, _, title = ctx.wait_panel("pro")
    assert title == PRO + "Greek", title
    _quit(ctx, app)
    after = ctx.read_bytes(cfg).decode("utf-8-sig")
    assert after.startswith("\r\n; the user's own note\r\n[Config]\r\nKeySet = 12\r\n"), after
    assert "WinPosLeft = 300\r\nWinPosTop = 250\r\n" in after, after
    assert sorted(os.listdir(folder)) == ["quillpadpro.cfg", "quillpadpro.exe"], os.listdir(folder)


def _drag_by(ctx, dx, dy, release=True):
    """Presses on the title strip and moves the pointer by (dx, dy) in four steps at a hand's
    pace; returns the press point and where the panel came to rest. Wine hands pointer moves
    from one process to another late, and under load drops, replays or overshoots one (the
    pointer it reports has been seen 13 px past the last move sent, along the drag): so the
    resting place is read, not worked out from the moves sent. It must lie the pointer's way
    from the start and near where the pointer Wine reports puts it; a dropped last move is
    sent again."""
    time.sleep(0.5)
    start = _window(ctx)[:2]
    x, y = ctx.element_point(TITLE_STRIP)
    x -= 150
    ctx.d(f"down {x} {y}")
    time.sleep(0.2)
    for step in range(1, 5):
        ctx.d(f"move {x + dx * step // 4} {y + dy * step // 4}")
        time.sleep(0.25)

    def place():
        cx, cy = (int(v) for v in ctx.d("cursor").split())
        return start[0] + cx - x, start[1] + cy - y

    def rested():  # moved, near the pointer, and still for 0.4 s: no late move is on its way
        here = _window(ctx)[:2]
        want = place()
        if here == start or max(abs(here[0] - want[0]), abs(here[1] - want[1])) > 20:
            return False
        time.sleep(0.4)
        return _window(ctx)[:2] == here and place() == want

    for _ in range(4):
        if _wait(rested, timeout=3.0):
            break
        ctx.d(f"move {x + dx + 1} {y + dy}")
        ctx.d(f"move {x + dx} {y + dy}")
    assert rested(), (_window(ctx), place(), "start", start, "pressed at", (x, y), "cursor", ctx.d("cursor"))
    followed = _window(ctx)[:2]
    assert (followed[0] - start[0]) * dx > 0 and (followed[1] - start[1]) * dy > 0, (followed, start)
    if release:  # the release point may be a pixel from the pointer the panel last saw
        ctx.d(f"up {x + dx} {y + dy}")
        for _ in range(10):  # released, it stops: wait until it has
            followed = _window(ctx)[:2]
            time.sleep(0.4)
            if _window(ctx)[:2] == followed:
                break
    return (x, y), followed


def test_the_end_of_the_session_saves_the_dragged_position(ctx):
    app, _, cfg = _start(ctx, Dock=0, WinPosLeft=300, WinPosTop=250)
    ctx.wait_panel("pro")
    _drag_by(ctx, 80, 40)
    left, top = _window(ctx)[:2]  # released where the pointer was: it stays there
    assert ctx.d(f"sendmsg {WM_QUERYENDSESSION} 0 0 {PRO}") == "1"  # the session may end
    text = ctx.read_bytes(cfg).decode("utf-8-sig")
    assert f"WinPosLeft = {left}\r\nWinPosTop = {top}\r\n" in text, text
    assert (left, top) != (300, 250)
    assert app.running()


# ---- the shell restarting ---------------------------------------------------------------------

def _tray_point(ctx):
    left, top, right, bottom = [int(v) for v in ctx.d("classrect Shell_TrayWnd").split()[:4]]
    return right - 10, (top + bottom) // 2


def _tray_tip(ctx, tries=3):
    """The tray icon's tooltip, or None when hovering where the icon was shows none."""
    x, y = _tray_point(ctx)
    for _ in range(tries):
        for dx in (30, 10, 0, 1):
            ctx.d(f"move {x - dx} {y}")
            time.sleep(0.1)
        reply = ctx.driver.cmd("tooltip 2000")
        if reply.startswith("ok"):
            return "".join(chr(int(u, 16)) for u in reply.split()[1:])
        ctx.d("move 300 300")
    return None


def test_the_tray_icon_comes_back_when_the_shell_restarts(ctx):
    # Started hidden: the tray icon is the only way to the program.
    app, _, _ = _start(ctx, KeySet=12, StartNoShow=1)
    ctx.d(f"waitexists 20000 {PRO}Greek")
    time.sleep(1.0)
    assert _tray_tip(ctx) == "Marrowfen Quillpad Pro\r\nGreek"
    ctx.d(f"traydelete {TRAY_ICON_ID} {PRO}")
    ctx.d("move 300 300")
    time.sleep(0.5)
    ctx.shot("tray-icon-lost")
    assert _tray_tip(ctx, tries=1) is None, "the icon was not removed"
    ctx.d("broadcast TaskbarCreated")
    time.sleep(1.0)
    ctx.shot("tray-icon-back")
    assert _tray_tip(ctx) == "Marrowfen Quillpad Pro\r\nGreek", "the icon is not back with its tip"
    ctx.d("move 300 300")
    time.sleep(0.3)
    ctx.click(_tray_point(ctx))
    assert _wait(lambda: ctx.d(f"visible {PRO}") == "1"), "a click on the icon did not show the panel"
    ctx.shot("panel-from-restored-icon")
    _quit(ctx, app)


# ---- the capture taken away ---------------------------------------------------------------------

def test_cancel_mode_during_a_drag_stops_the_panel_following(ctx):
    app, _, _ = _start(ctx, Dock=0, WinPosLeft=300, WinPosTop=250)
    ctx.wait_panel("pro")
    (x, y), _ = _drag_by(ctx, 60, 30, release=False)
    ctx.d(f"sendmsg {WM_CANCELMODE} 0 0 {PRO}")  # as the system does for a prompt or Alt+Tab
    # Handled before any pointer move still queued: from here on nothing may move the panel.
    held = _window(ctx)[:2]
    for step in range(4, 8):
        ctx.d(f"move {x + step * 20} {y + step * 10}")
        time.sleep(0.25)
    time.sleep(0.5)
    ctx.shot("after-cancel-mode")
    assert _window(ctx)[:2] == held, (_window(ctx), held)
    ctx.d(f"up {x + 140} {y + 70}")
    time.sleep(0.3)
    assert _window(ctx)[:2] == held, (_window(ctx), held)
    _quit(ctx, app)


# ---- the display changing -----------------------------------------------------------------------

def test_a_docked_panel_follows_its_corner_when_the_desktop_is_resized(ctx):
    start_corner = ctx.docked_corner(0)
    app, _, _ = _start(ctx, Dock=1)
    ctx.wait_panel("pro")
    assert _window(ctx)[2:] == start_corner, (_window(ctx), start_corner)
    try:
        ctx.d("displaymode 1024 768")
        assert _wait(lambda: ctx.d("screen") == "1024 768"), ctx.d("screen")
        # Placed anew, snapped as a drop into the corner would be. (Wine goes on reporting the old
        # work area; the corner is where it meets the new display.)
        corner = ctx.docked_corner(6)
        assert _wait(lambda: _window(ctx)[2:] == corner), (_window(ctx), corner)
        time.sleep(0.5)
        ctx.shot("docked-after-resize")
        assert _window(ctx)[2:] == corner, (_window(ctx), corner)
    finally:
        ctx.d(f"displaymode {qpwine.SCREEN[0]} {qpwine.SCREEN[1]}")
    assert _wait(lambda: _window(ctx)[2:] == ctx.docked_corner(6)), (_window(ctx), ctx.docked_corner(6))
    _quit(ctx, app)


def test_a_saved_position_on_no_monitor_starts_on_the_screen(ctx):
    app, _, _ = _start(ctx, Dock=0, WinPosLeft=5000, WinPosTop=-4000)
    ctx.wait_panel("pro")
    left, top, right, bottom = _window(ctx)
    work = [int(x) for x in ctx.d("workarea").split()[:4]]
    assert (right, top) == (work[2], work[1]), ((left, top, right, bottom), work)
    ctx.shot("brought-on-screen")
    _quit(ctx, app)


# ---- the desktop shortcut -----------------------------------------------------------------------

def test_shortcut_in_a_desktop_folder_named_with_a_non_ascii_letter_and_no_planted_host_run(ctx):
    name = "Zo\u00eb Desktop"
    desktop = ctx.env.user_dir(name)
    user = os.path.basename(os.path.dirname(desktop))
    windows_desktop = f"C:\\users\\{user}\\{name}"
    os.makedirs(desktop, exist_ok=True)
    folder = ctx.program_folder("pro")
    planted = os.path.join(folder, "WScript.exe")
    mark = os.path.join(folder, "planted-program-ran.txt")
    # Wine prefers its own script host to any file of that name; told to prefer a file, it runs
    # the stand-in wherever a search by bare name finds it first. The stand-in leaves its mark.
    overrides = ctx.env.env["WINEDLLOVERRIDES"]
    ctx.env.env["WINEDLLOVERRIDES"] = overrides + ";wscript=n,b"
    shutil.copy2(os.path.join(ctx.tools, "qpdriver.exe"), planted)
    try:
        stand_in = ctx.env.start(planted, ["x"])
        assert _wait(lambda: stand_in.poll() is not None, timeout=30), "the planted program did not end"
        assert os.path.exists(mark), "the planted program leaves no mark"
        os.unlink(mark)
        ctx.d(f"shellfolder Desktop {windows_desktop}")
        assert ctx.d("folder 16").lower() == windows_desktop.lower(), ctx.d("folder 16")
        app, _, _ = _start(ctx, folder=folder, ShortcutIcon=1)
        ctx.wait_panel("pro", timeout_ms=60000)
        link = os.path.join(desktop, "Quillpad Pro.lnk")
        assert _wait(lambda: os.path.exists(link) and os.path.getsize(link) > 0, timeout=30), os.listdir(desktop)
        ctx.shot("shortcut-in-non-ascii-folder")
        target = ctx.d(f"shortcut {windows_desktop}\\Quillpad Pro.lnk").split("|")[0]
        program = ctx.env.windows_path(os.path.join(folder, "quillpadpro.exe"))
        assert target.lower() == program.lower(), (target, program)
        assert not os.path.exists(mark), "the WScript.exe beside the program was run"
        _quit(ctx, app)
    finally:
        ctx.env.env["WINEDLLOVERRIDES"] = overrides
        ctx.d("shellfolder restore")
        shutil.rmtree(desktop, ignore_errors=True)


# ---- the help window ------------------------------------------------------------------------------

HELP = "Quillpad Help"
PAGE_VIEW = 1070
VK_F5 = 0x74


def _page(ctx):
    cls, _, units = ctx.d(f"ctltext {PAGE_VIEW} {HELP}").partition(" ")
    data = b"".join(int(u, 16).to_bytes(2, "little") for u in units.split())
    return cls, data.decode("utf-16-le")


def _menu_open(ctx):
    reply = ctx.driver.cmd("classrect #32768")
    return reply.startswith("ok") and reply.split()[-1] == "1"


def test_help_page_stays_and_its_bare_area_answers_a_right_click(ctx):
    app, _, _ = _start(ctx)
    ctx.wait_panel("pro")
    ctx.d(f"post 3 {PRO}")  # Help
    client = [int(v) for v in ctx.d(f"wait 10000 {HELP}").split()[4:8]]
    # Wine has no HTML engine: the page is its plain-text view, where the web address is text.
    cls, text = _page(ctx)
    assert cls.lower() == "edit", cls
    assert "Web site: https://www.marrowfen.example/quillpad/pro/" in text, text
    windows = ctx.d("list")
    # A click on the page and a refresh (F5): the same page, and no window more.
    left, top = [int(v) for v in ctx.d(f"ctlrect {PAGE_VIEW} {HELP}").split()[:2]]
    ctx.click((left + 120, top + 60))
    ctx.d(f"activate {HELP}")
    ctx.d(f"key {VK_F5}")
    time.sleep(0.5)
    assert _page(ctx) == (cls, text)
    assert ctx.d("list") == windows
    # The one-pixel seam between the topic list and the page is the window's own area.
    ctx.click((client[0] + 180, client[1] + 250), "rclick")
    assert _wait(lambda: _menu_open(ctx)), "a right click on the help window's own area showed no menu"
    time.sleep(0.3)
    ctx.shot("help-right-click-menu")
    ctx.d("key 27")
    _quit(ctx, app)
