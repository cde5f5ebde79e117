"""The panel, the settings window and the help window at 100, 125, 150 and 200 % display scale.

Wine reads the scale from HKCU\\Control Panel\\Desktop\\LogPixels when each process starts, so
each scale is set there before the programs (and the driver) start, and 96 is put back at the
end of every scenario. Wine never sends WM_DPICHANGED: the change scenario sends it by hand.
"""
import contextlib
import os
import subprocess
import sys
import time

from PIL import Image

from e2e_context import parse_rect_reply
import qpwine

sys.path.insert(0, os.path.join(qpwine.ROOT, "tools"))
import keyset_source  # noqa: E402

DPIS = (96, 120, 144, 192)
PRO = "Quillpad Pro ~ "
SETTINGS = "Quillpad ~ Settings"
HELP = "Quillpad Help"
TABS, DONE = 1068, 1031
TITLE_STRIP = 1004
MENU_QUIT, MENU_GENERAL, MENU_HELP = 1, 2, 3
TCM_GETITEMCOUNT = 0x1304
# Client heights at 96 DPI: the key area plus 44 (the bars and the frame).
KEY_AREA = {1: 106, 13: 485, 16: 78, 17: 135, 18: 273}
NAMES = {1: "Latin - Western Europe", 13: "Polytonic Greek", 16: "Ogham", 17: "Runic (All)",
         18: "International Phonetic Alphabet (IPA)"}
POLYTONIC = 13


def scale(v, dpi):
    """The program's rule: each edge scaled on its own, halves rounded up."""
    return (2 * v * dpi + 96) // 192


def scale_rect(x, y, w, h, dpi):
    left, top = scale(x, dpi), scale(y, dpi)
    return left, top, scale(x + w, dpi) - left, scale(y + h, dpi) - top


def _set_dpi(ctx, dpi):
    # Not through a pipe: a Wine service that the command starts would hold it open.
    p = subprocess.Popen([qpwine.WINE64, "reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels",
                          "/t", "REG_DWORD", "/d", str(dpi), "/f"], env=ctx.env.env, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL, start_new_session=True)
    ctx.env.track(p)
    assert p.wait(timeout=60) == 0, f"setting LogPixels to {dpi} failed"
    # The driver measures and converts at the scale it started with.
    ctx.driver.stop()


@contextlib.contextmanager
def _scales(ctx):
    """Runs the body once per scale (yielding the list), and leaves 96 behind whatever happens."""
    try:
        yield DPIS
    finally:
        for app in ctx.apps:
            ctx.env.kill(app.proc)
        ctx.apps = []
        _set_dpi(ctx, 96)


def _launch(ctx, dpi, **config):
    _set_dpi(ctx, dpi)
    folder = ctx.program_folder("pro")
    keys = {"KeySet": 1, "AllowMultiRun": 1, "Dock": 0, "WinPosLeft": 0, "WinPosTop": 0}
    keys.update(config)
    ctx.write_config(folder, ctx.config_lines(**keys))
    app = ctx.launch("pro", folder=folder)
    window, client, title = ctx.wait_panel("pro")
    return app, window, client, title


def _quit(ctx, app):
    ctx.d(f"post {MENU_QUIT} {PRO}")
    assert app.wait_exit(20) == 0


def _size(rect):
    return rect[2] - rect[0], rect[3] - rect[1]


def _panel_size(set_number, dpi):
    return scale(502, dpi), scale(KEY_AREA[set_number] + 44, dpi)


def _glyph_ink(ctx, path, dpi):
    """Height of the dark strokes on key 1 of the shown set, in screen pixels, and the darkest
    value among them."""
    first = ctx.d(f"dpikeys {dpi} 1 0 0 {PRO}").split()[0]
    _, cx, cy = (int(v) for v in first.split(":"))
    half = scale(11, dpi)
    box = Image.open(path).convert("L").crop((cx - half, cy - half, cx + half, cy + half))
    px = box.load()
    rows = [j for j in range(box.height) if any(px[i, j] < 90 for i in range(box.width))]
    darkest = min(px[i, j] for i in range(box.width) for j in range(box.height))
    return (rows[-1] - rows[0] + 1 if rows else 0), darkest


def _keys_of(set_number):
    """(position, code point) of every key of a set."""
    return [(pos, cp) for pos, cp in enumerate(keyset_source.set_code_points(set_number), start=1) if cp > 0]


def test_panel_sizes_and_screenshots_at_every_scale(ctx):
    problems = []
    ink = {}
    with _scales(ctx) as dpis:
        for dpi in dpis:
            for set_number in KEY_AREA:
                app, window, client, title = _launch(ctx, dpi, KeySet=set_number)
                if title != PRO + NAMES[set_number]:
                    problems.append((dpi, set_number, "title", title))
                if _size(client) != _panel_size(set_number, dpi):
                    problems.append((dpi, set_number, "size", _size(client), _panel_size(set_number, dpi)))
                if set_number in (1, POLYTONIC):
                    time.sleep(0.3)
                    path = ctx.shot(f"set{set_number:02d}-{dpi}dpi")
                    if set_number == 1:
                        ink[dpi] = _glyph_ink(ctx, path, dpi)
                _quit(ctx, app)
    assert not problems, problems
    # The glyphs grow with the scale (no bitmap stretching blurs them: their strokes stay as dark
    # as at 100 %).
    base_height, base_dark = ink[96]
    assert base_height >= 8, ink
    for dpi in DPIS[1:]:
        height, dark = ink[dpi]
        want = base_height * dpi / 96
        assert abs(height - want) <= max(2, want * 0.2), (dpi, height, want, ink)
        assert dark <= base_dark + 10, (dpi, dark, base_dark)


def _key_passes(ctx, dpi):
    """Places where the whole set can be reached: a panel taller than the screen is clicked in two
    starts, one with its top at the screen's top and one with its bottom at the screen's bottom."""
    screen_h = int(ctx.d("screen").split()[1])
    height = _panel_size(POLYTONIC, dpi)[1]
    return [0] if height <= screen_h else [0, screen_h - height]


def _utf16(cp):
    return [cp] if cp < 0x10000 else [0xD800 + ((cp - 0x10000) >> 10), 0xDC00 + ((cp - 0x10000) & 0x3FF)]


def test_a_click_on_every_polytonic_greek_key_types_that_key_at_every_scale(ctx):
    keys = dict(_keys_of(POLYTONIC))
    report = []
    with _scales(ctx) as dpis:
        for dpi in dpis:
            clicked = set()
            for top in _key_passes(ctx, dpi):
                if len(clicked) == len(keys):
                    break
                _set_dpi(ctx, dpi)
                target = ctx.start_target(f"Scale Target {dpi} {top}", 20, 600)
                width = _panel_size(POLYTONIC, dpi)[0]
                app, window, client, _ = _launch(ctx, dpi, KeySet=POLYTONIC, WinPosLeft=1280 - width, WinPosTop=top)
                ctx.d(f"activate Scale Target {dpi} {top}")
                screen_h = int(ctx.d("screen").split()[1])
                points = {}
                for item in ctx.d(f"dpikeys {dpi} {POLYTONIC} 0 0 {PRO}").split():
                    pos, x, y = (int(v) for v in item.split(":"))
                    points[pos] = (x, y)
                expected, order = [], []
                for pos in sorted(keys):
                    x, y = points[pos]
                    if pos in clicked or not (0 <= y < screen_h - 2):
                        continue
                    clicked.add(pos)
                    order.append(pos)
                    expected.extend(_utf16(keys[pos]))
                # Real clicks, one after the other, in one driver command.
                positions = ",".join(str(p) for p in order)
                assert ctx.d(f"dpiclicks {dpi} {POLYTONIC} {positions} {PRO}", timeout=300) == str(len(order))
                got = ctx.wait_units(target, len(expected), timeout=10)
                if got != expected:
                    # The first key whose text did not arrive as it should.
                    i = next((k for k, (a, b) in enumerate(zip(got, expected)) if a != b), min(len(got), len(expected)))
                    report.append((dpi, top, f"unit {i} of {len(expected)}", got[i:i + 3], expected[i:i + 3]))
                _quit(ctx, app)
                ctx.env.kill(target.proc)
            missing = sorted(set(keys) - clicked)
            if missing:
                report.append((dpi, "never reachable", missing))
    assert not report, report


def _window(ctx):
    return parse_rect_reply(ctx.d(f"waitprefix 5000 {PRO}"))[0]


def _drag_window_to(ctx, dpi, left, top):
    """Drags the panel by its title strip so that its top-left corner heads for (left, top)."""
    x, y = (int(v) for v in ctx.d(f"dpielempos {dpi} {TITLE_STRIP} {PRO}").split())
    x -= scale(150, dpi)  # on the strip, clear of the title text's end
    window = _window(ctx)
    dx, dy = left - window[0], top - window[1]
    ctx.d(f"down {x} {y}")
    for step in range(1, 9):
        ctx.d(f"move {x + dx * step // 8} {y + dy * step // 8}")
        time.sleep(0.25)
    ctx.d(f"up {x + dx} {y + dy}")
    time.sleep(0.4)
    return _window(ctx)


def test_docking_into_the_corners_at_every_scale(ctx):
    problems = []
    with _scales(ctx) as dpis:
        for dpi in dpis:
            _set_dpi(ctx, dpi)
            # The program reads the work area and the taskbar when it starts. Wine's taskbar may
            # change size around then, so its reading is the one from before or from after.
            before = ctx.docked_corner(0)
            app, window, client, _ = _launch(ctx, dpi, Dock=1)
            after = ctx.docked_corner(0)
            start_corner = before if (window[2], window[3]) == before else after
            if (window[2], window[3]) != start_corner:
                problems.append((dpi, "start", window, before, after))
            right, bottom = start_corner[0] - scale(6, dpi), start_corner[1] - scale(6, dpi)
            # Into the top-left corner from 10 and 12 pixels away: snapped with the scaled margin.
            snapped = _drag_window_to(ctx, dpi, 10, 12)
            if snapped[:2] != (scale(3, dpi), scale(3, dpi)):
                problems.append((dpi, "top-left", snapped))
            # Back near the bottom-right corner, 20 pixels short of it.
            w, h = _size(snapped)
            snapped = _drag_window_to(ctx, dpi, right - w - 20, bottom - h - 20)
            if snapped[2:] != (right, bottom):
                problems.append((dpi, "bottom-right", snapped, (right, bottom)))
            if _size(snapped) != _panel_size(1, dpi):
                problems.append((dpi, "size", snapped))
            ctx.shot(f"docked-{dpi}dpi")
            _quit(ctx, app)
    assert not problems, problems


def _check_controls(ctx, title, problems, label):
    reply = ctx.driver.cmd(f"dpicontrols {title}")
    if not reply.startswith("ok"):
        problems.append((label, reply))
    return reply


def test_settings_and_help_windows_fit_their_controls_at_every_scale(ctx):
    problems = []
    with _scales(ctx) as dpis:
        for dpi in dpis:
            # The settings window opens left of the panel, its bottom near the panel's: placed so
            # that it is on the screen even at 200 %, where the panel then reaches past the edge.
            app, window, client, _ = _launch(ctx, dpi, WinPosLeft=scale(330, dpi), WinPosTop=964 - scale(150, dpi))
            ctx.d(f"post {MENU_GENERAL} {PRO}")
            reply = ctx.d(f"wait 10000 {SETTINGS}")
            s_client = [int(v) for v in reply.split()[4:8]]
            if _size(s_client) != (scale(300, dpi), scale(470, dpi)):
                problems.append((dpi, "settings size", _size(s_client)))
            tabs = ctx.control_message(TABS, TCM_GETITEMCOUNT, 0, 0, SETTINGS)
            for index in range(tabs):
                ctx.click(ctx.tab_point(TABS, index, SETTINGS))
                time.sleep(0.3)
                _check_controls(ctx, SETTINGS, problems, (dpi, "settings tab", index))
            ctx.shot(f"settings-{dpi}dpi")
            ctx.click(ctx.control_point(DONE, SETTINGS))
            ctx.d(f"gone 10000 {SETTINGS}")

            ctx.d(f"post {MENU_HELP} {PRO}")
            reply = ctx.d(f"wait 10000 {HELP}")
            h_window = [int(v) for v in reply.split()[0:4]]
            h_client = [int(v) for v in reply.split()[4:8]]
            logical_screen = (2 * 1280 * 96 + dpi) // (2 * dpi)
            width = 800 if logical_screen > 900 else 640
            # At 200 % the window would be taller than the screen, and the system holds it to it.
            clamped = h_window[3] - h_window[1] >= 1024
            if _size(h_client)[0] != scale(width, dpi) or (_size(h_client)[1] != scale(500, dpi) and not clamped):
                problems.append((dpi, "help size", _size(h_client), h_window))
            _check_controls(ctx, HELP, problems, (dpi, "help"))
            time.sleep(0.3)
            ctx.shot(f"help-{dpi}dpi")
            ctx.d(f"close {HELP}")
            ctx.d(f"gone 10000 {HELP}")
            _quit(ctx, app)
    assert not problems, problems


def _crop(path, rect):
    return Image.open(path).convert("RGB").crop(rect)


def test_a_dpi_change_rescales_each_window_once_and_back(ctx):
    """At 96 DPI, WM_DPICHANGED as the system would send it on a move to a 150 % monitor and back."""
    with _scales(ctx):
        app, window, client, _ = _launch(ctx, 96, Dock=1)
        before = _crop(ctx.shot("change-before"), client)
        w, h = scale(502, 144), scale(150, 144)
        ctx.d(f"dpichange 144 {window[0]} {window[1]} {window[0] + w} {window[1] + h} {PRO}")
        time.sleep(0.5)
        window, client, _ = ctx.wait_panel("pro")
        assert _size(client) == (w, h), client
        # Docked before, so docked after: the snapping margin of 150 % from the corner.
        right, bottom = ctx.docked_corner(scale(6, 144))
        assert (window[2], window[3]) == (right, bottom), (window, right, bottom)
        ctx.shot("change-144")
        # Back to 100 %, with no rectangle (as a hand-made message might come): every pixel as before.
        ctx.d(f"dpichange 96 - {PRO}")
        time.sleep(0.5)
        window, client, _ = ctx.wait_panel("pro")
        assert _size(client) == (502, 150), client
        after = _crop(ctx.shot("change-back"), client)
        assert list(before.getdata()) == list(after.getdata()), "the panel looks different after the round trip"

        ctx.d(f"post {MENU_GENERAL} {PRO}")
        reply = ctx.d(f"wait 10000 {SETTINGS}")
        s_window = [int(v) for v in reply.split()[0:4]]
        # Suggested higher up, so that the larger window stays on the screen.
        ctx.d(f"dpichange 144 {s_window[0]} 10 {s_window[2]} {s_window[3] - s_window[1] + 10} {SETTINGS}")
        time.sleep(0.5)
        s_client = [int(v) for v in ctx.d(f"wait 10000 {SETTINGS}").split()[4:8]]
        assert _size(s_client) == (scale(300, 144), scale(470, 144)), s_client
        problems = []
        _check_controls(ctx, SETTINGS, problems, "settings at 144 by message")
        ctx.shot("change-settings-144")
        ctx.click(ctx.control_point(DONE, SETTINGS))
        ctx.d(f"gone 10000 {SETTINGS}")

        ctx.d(f"post {MENU_HELP} {PRO}")
        reply = ctx.d(f"wait 10000 {HELP}")
        h_window = [int(v) for v in reply.split()[0:4]]
        ctx.d(f"dpichange 144 {h_window[0]} {h_window[1]} {h_window[0] + 1000} {h_window[1] + 700} {HELP}")
        time.sleep(0.5)
        h_client = [int(v) for v in ctx.d(f"wait 10000 {HELP}").split()[4:8]]
        topics = ctx.control_rect(1069, HELP)[0]
        # The topic list keeps its 180 pixels, scaled.
        assert topics[2] - topics[0] == scale(180, 144), (topics, h_client)
        _check_controls(ctx, HELP, problems, "help at 144 by message")
        ctx.shot("change-help-144")
        assert not problems, problems
        ctx.d(f"close {HELP}")
        _quit(ctx, app)
