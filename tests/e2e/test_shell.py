"""Hiding and showing, the tray icon, the keyboard shortcuts, dragging and corner docking."""
import os
import time

PRO = "Quillpad Pro ~ "
TITLE = PRO + "Latin - Western Europe"
TITLE_STRIP = 1004


def _start(ctx, **keys):
    folder = ctx.program_folder("pro")
    lines = {"KeySet": 1, "AllowMultiRun": 1}
    lines.update(keys)
    ctx.write_config(folder, ctx.config_lines(**lines))
    app = ctx.launch("pro", folder=folder)
    window, client, _ = ctx.wait_panel("pro")
    return app, window, os.path.join(folder, "quillpadpro.cfg")


def _tray_point(ctx):
    # Wine's taskbar sits along the bottom of its desktop, tray icons at its right end.
    left, top, right, bottom = [int(v) for v in ctx.d("classrect Shell_TrayWnd").split()[:4]]
    return right - 10, (top + bottom) // 2


def _visible(ctx):
    return ctx.d(f"visible {PRO}") == "1"


def _wait_visible(ctx, want, timeout=5.0):
    deadline = time.time() + timeout
    while _visible(ctx) != want and time.time() < deadline:
        time.sleep(0.05)
    return _visible(ctx) == want


def _drag_start(ctx, x, y):
    # Moved at a hand's pace: pointer moves sent faster than Wine hands them on arrive late,
    # and a drag then ends where the last handled move put it.
    ctx.d(f"down {x} {y}")
    time.sleep(0.2)


def _window(ctx):
    return tuple(int(v) for v in ctx.d(f"rect {TITLE}").split()[:4])


def test_escape_hides_without_saving_and_the_tray_icon_brings_it_back(ctx):
    app, _, cfg = _start(ctx)
    before = ctx.read_bytes(cfg)
    ctx.d(f"activate {TITLE}")
    ctx.d("key 27")
    assert _wait_visible(ctx, False), "Escape did not hide the panel"
    time.sleep(0.3)
    assert ctx.read_bytes(cfg) == before, "hiding saved the settings"
    ctx.shot("hidden")
    # Wine reports a one-pixel taskbar, so the shown panel may cover the tray: use it while hidden.
    ctx.click(_tray_point(ctx), "rclick")
    deadline = time.time() + 5
    menu = ctx.driver.cmd("classrect #32768")
    while not (menu.startswith("ok") and menu.split()[-1] == "1") and time.time() < deadline:
        time.sleep(0.05)
        menu = ctx.driver.cmd("classrect #32768")
    assert menu.startswith("ok") and menu.split()[-1] == "1", "a right press on the tray icon opened no menu"
    time.sleep(0.3)
    ctx.shot("tray-menu")
    ctx.d("key 27")  # close the menu
    time.sleep(0.3)
    assert not _visible(ctx), "the menu showed the panel"
    ctx.click(_tray_point(ctx))
    assert _wait_visible(ctx, True), "a left press on the tray icon did not show the panel"
    ctx.shot("shown-again")
    assert app.running()


def test_shift_escape_saves_and_quits(ctx):
    app, window, cfg = _start(ctx)
    ctx.d(f"activate {TITLE}")
    ctx.d("key 27 s")
    assert app.wait_exit(20) == 0
    text = ctx.read_bytes(cfg).decode("utf-8-sig")
    assert f"WinPosLeft = {window[0]}" in text and f"WinPosTop = {window[1]}" in text, text


def test_docking_on_starts_in_the_bottom_right_corner(ctx):
    # The program asks about the taskbar as it starts, before its tray icon exists.
    corner = ctx.docked_corner()
    _start(ctx, Dock=1)
    left, top, right, bottom = _window(ctx)
    assert (right, bottom) == corner, ((right, bottom), corner)
    ctx.shot("docked-start")


def test_docking_off_starts_at_the_saved_position_and_a_drag_stays_where_released(ctx):
    _start(ctx, Dock=0, WinPosLeft=300, WinPosTop=250)
    assert _window(ctx)[:2] == (300, 250)
    x, y = ctx.element_point(TITLE_STRIP)
    x -= 150  # on the strip, clear of the title text's end
    _drag_start(ctx, x, y)
    for step in range(1, 6):
        ctx.d(f"move {x + step * 20} {y + step * 15}")
        time.sleep(0.25)
    ctx.d(f"up {x + 100} {y + 75}")
    time.sleep(0.3)
    assert _window(ctx)[:2] == (400, 325), _window(ctx)
    ctx.shot("dragged")


def test_a_drag_near_the_bottom_left_corner_snaps_into_it(ctx):
    _, corner_bottom = ctx.docked_corner(6)  # as the program reads the taskbar when it starts
    app, window, cfg = _start(ctx, Dock=1)
    x, y = ctx.element_point(TITLE_STRIP)
    x -= 150
    left, top = window[0], window[1]
    # Aim the window 10 pixels from the left and 20 above the bottom: inside the corner's reach.
    height = window[3] - window[1]
    dx, dy = 10 - left, (corner_bottom + 6 - height - 20) - top
    _drag_start(ctx, x, y)
    for step in range(1, 9):
        ctx.d(f"move {x + dx * step // 8} {y + dy * step // 8}")
        time.sleep(0.25)
    ctx.d(f"up {x + dx} {y + dy}")
    time.sleep(0.4)
    nl, nt, nr, nb = _window(ctx)
    assert (nl, nb) == (3, corner_bottom), ((nl, nb), corner_bottom)
    ctx.shot("snapped")
    ctx.d(f"post 1 {PRO}")
    assert app.wait_exit(20) == 0
    text = ctx.read_bytes(cfg).decode("utf-8-sig")
    assert f"WinPosLeft = {nl}" in text and f"WinPosTop = {nt}" in text, text
