"""Two monitors: the panel docks into the corners of the one it is on, clear of that monitor's own
bars, and keeps to it when it changes shape or scale; its settings and help windows open there.

Wine's virtual desktop is a single monitor, so this scenario has a desktop of its own: one wide
Xvfb screen split into two monitors (tools/xmonitors.py) and a prefix without a virtual desktop.
"""
import os
import time

import qpwine
import xmonitors
from e2e_context import Context, parse_rect_reply, prepare_tools

PRO = "Quillpad Pro ~ "
SETTINGS = "Quillpad ~ Settings"
HELP = "Quillpad Help"
TITLE_STRIP, MORE_BUTTON = 1004, 1032
MENU_GENERAL, MENU_HELP = 2, 3
E_ACUTE = (1, 29)

# Display 0 at the left with a 40-pixel strip along its bottom; the second monitor to its right,
# smaller, with a 30-pixel bar along its top. Edges as left, top, right, bottom.
SIZE = (2304, 1024)
PRIMARY = (0, 0, 1280, 1024)
PRIMARY_WORK = (0, 0, 1280, 984)
SECOND = (1280, 0, 2304, 768)
SECOND_WORK = (1280, 30, 2304, 768)
FRAME, MARGIN = 6, 3  # snapping counts the window 6 pixels larger and keeps 3 off left and top edges


def _xywh(r, primary=False):
    return [r[0], r[1], r[2] - r[0], r[3] - r[1]] + ([1] if primary else [])


def _two_monitor_env(work):
    env = qpwine.WineEnv(work=work)
    env.start_xvfb(SIZE)
    # Before any Wine process of the prefix: its server keeps the layout it first sees.
    xmonitors.split(env.display, [_xywh(PRIMARY, True), _xywh(SECOND)],
                    [_xywh(PRIMARY_WORK), _xywh(SECOND_WORK)])
    env.ensure_prefix(virtual_desktop=False)
    # Wine's own XRandR use sees the one output; without it Wine lists the split monitors.
    env.run([qpwine.WINE64, "reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "UseXRandR", "/d", "N",
             "/f"], timeout=60)
    env.run([qpwine.WINESERVER, "-w"], timeout=120, check=False)
    env.start_wineserver()
    return env


def _monitors(ctx):
    parts = ctx.d("monitors").split("|")[1:]
    return sorted(tuple(int(v) for v in p.split()) for p in parts)


def _window(ctx):
    return parse_rect_reply(ctx.d(f"waitprefix 10000 {PRO}"))[0]


def _drag_window_to(ctx, left, top):
    """Drags the panel by its title strip with the real pointer until its top-left is at (left, top)."""
    window = _window(ctx)
    x, y = ctx.element_point(TITLE_STRIP)
    x -= 150  # on the strip, clear of the title text's end
    dx, dy = left - window[0], top - window[1]
    steps = max(abs(dx), abs(dy)) // 15 + 1  # small steps: the pointer must stay over the strip
    ctx.d(f"down {x} {y}")
    time.sleep(0.2)
    for step in range(1, steps + 1):
        ctx.d(f"move {x + dx * step // steps} {y + dy * step // steps}")
        time.sleep(0.08)
    time.sleep(0.3)
    ctx.d(f"up {x + dx} {y + dy}")
    time.sleep(0.5)


def _inside(rect, area):
    return area[0] <= rect[0] and area[1] <= rect[1] and rect[2] <= area[2] and rect[3] <= area[3]


def _scenario(ctx):
    assert _monitors(ctx) == [PRIMARY + PRIMARY_WORK + (1,), SECOND + SECOND_WORK + (0,)], ctx.d("monitors")
    folder = ctx.program_folder("pro")
    ctx.write_config(folder, ctx.config_lines(KeySet=1, AllowMultiRun=1, Dock=1))
    ctx.launch("pro", folder=folder)
    window, client, _ = ctx.wait_panel("pro")
    assert _inside(window, PRIMARY), window  # starts on display 0
    w, h = window[2] - window[0], window[3] - window[1]

    # Dropped 15 pixels from the second monitor's bottom-right corner: snapped into it.
    _drag_window_to(ctx, SECOND[2] - w - 15, SECOND_WORK[3] - h - 15)
    assert _window(ctx)[2:] == (SECOND[2] - FRAME, SECOND_WORK[3] - FRAME), _window(ctx)
    ctx.shot("docked-bottom-right-of-the-second")
    # A DPI change there (the move onto a 150 % monitor, as the system would announce it): the
    # same corner of the same monitor at the new size and margins, and back.
    big = (2 * 502 * 144 + 96) // 192, (2 * (client[3] - client[1]) * 144 + 96) // 192
    ctx.d(f"dpichange 144 {SECOND[0] + 200} 200 {SECOND[0] + 200 + big[0]} {200 + big[1]} {PRO}")
    time.sleep(0.5)
    window = _window(ctx)
    assert window[2:] == (SECOND[2] - 9, SECOND_WORK[3] - 9), window
    ctx.d(f"dpichange 96 - {PRO}")
    time.sleep(0.5)
    assert _window(ctx)[2:] == (SECOND[2] - FRAME, SECOND_WORK[3] - FRAME), _window(ctx)

    # Top-left: below the second monitor's own bar, not display 0's top.
    _drag_window_to(ctx, SECOND[0] + 12, SECOND_WORK[1] + 12)
    assert _window(ctx)[:2] == (SECOND[0] + MARGIN, SECOND_WORK[1] + MARGIN), _window(ctx)
    # The "more" row makes the panel taller, growing upwards as on display 0: it stays on this
    # monitor, its bottom-right corner where it was.
    docked = _window(ctx)
    ctx.click(ctx.element_point(MORE_BUTTON))
    time.sleep(0.5)
    window = _window(ctx)
    assert window[3] - window[1] > h, window
    assert (window[0], window[2], window[3]) == (docked[0], docked[2], docked[3]), (window, docked)
    ctx.shot("docked-top-left-of-the-second-with-the-more-row")
    # Its keys answer the pointer there. (Last of the pointer work: with no other window, Wine's
    # stand-alone tray window is the one given the focus back, and a drag then finds no capture.)
    ctx.click(ctx.key_point(*E_ACUTE))
    time.sleep(0.3)
    assert ctx.clipboard_units() == [0xE9], ctx.clipboard_units()

    # The settings and help windows open on the panel's monitor.
    ctx.d(f"post {MENU_GENERAL} {PRO}")
    settings = parse_rect_reply(ctx.d(f"wait 10000 {SETTINGS}"))[0]
    assert _inside(settings, SECOND), settings
    ctx.shot("settings-beside-the-panel")
    ctx.d(f"post {MENU_HELP} {PRO}")
    help_window = parse_rect_reply(ctx.d(f"wait 10000 {HELP}"))[0]
    middle = ((help_window[0] + help_window[2]) // 2, (help_window[1] + help_window[3]) // 2)
    assert abs(middle[0] - (SECOND[0] + SECOND[2]) // 2) <= 1, help_window
    ctx.shot("help-on-the-second")


def test_docking_and_windows_follow_the_monitor_the_panel_is_on(ctx):
    env = _two_monitor_env(os.path.join(ctx.env.work, "monitors"))
    inner = None
    try:
        inner = Context(env, prepare_tools(env), ctx.name)
        inner.artifacts = ctx.artifacts
        _scenario(inner)
    finally:
        if inner:
            inner.cleanup()
        env.close()
