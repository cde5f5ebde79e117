"""The settings window: tabs, key sets, output modes, the rune filter and the general boxes,
worked with the pointer as a user would."""
import os
import time

from e2e_context import parse_rect_reply

PRO = "Quillpad Pro ~ "
SETTINGS = "Quillpad ~ Settings"
TABS = 1068
DONE = 1031
BM_GETCHECK = 0xF0
TCM_GETITEMCOUNT = 0x1304
TCM_GETCURSEL = 0x130B
SETTINGS_BUTTON = 1003
ON_TOP_BOX = 1008
TARGET_FRAME = 1006
WS_EX_TOPMOST = 0x8
MENU_GENERAL, MENU_KEY_SETS, MENU_OUTPUT, MENU_QUIT = 2, 5, 7, 1
DISABLED_FACE = {0: (203, 203, 203), 1: (16, 16, 16)}
NORMAL_FACE_TOP = {0: (187, 187, 192), 1: (24, 24, 24)}


def _pixel(ctx, x, y):
    v = ctx.d(f"pixel {x} {y}")
    return tuple(int(v[i:i + 2], 16) for i in (0, 2, 4))


def _keys(path):
    with open(path, "rb") as f:
        text = f.read().decode("utf-8-sig")
    out = {}
    for line in text.split("\r\n"):
        if "=" in line:
            k, v = line.split("=", 1)
            out[k.strip()] = v.strip()
    return out


def _launch(ctx, **config):
    folder = ctx.program_folder("pro")
    keys = {"KeySet": 1, "AllowMultiRun": 1, "Dock": 0, "WinPosLeft": 600, "WinPosTop": 500}
    keys.update(config)
    ctx.write_config(folder, ctx.config_lines(**keys))
    app = ctx.launch("pro", folder=folder)
    window, client, title = ctx.wait_panel("pro")
    return app, window, client, title


def _open(ctx, menu_item):
    """Opens the settings window as the pop-up menu item would; returns its window and client rects."""
    ctx.d(f"post {menu_item} {PRO}")
    return _wait_settings(ctx)


def _wait_settings(ctx):
    reply = ctx.d(f"wait 10000 {SETTINGS}")
    nums = [int(v) for v in reply.split()[:8]]
    return tuple(nums[0:4]), tuple(nums[4:8])


def _tab(ctx):
    return ctx.control_message(TABS, TCM_GETCURSEL, 0, 0, SETTINGS)


def _tab_count(ctx):
    return ctx.control_message(TABS, TCM_GETITEMCOUNT, 0, 0, SETTINGS)


def _checked(ctx, control_id):
    return ctx.control_message(control_id, BM_GETCHECK, 0, 0, SETTINGS) == 1


def _visible(ctx, control_id, title=SETTINGS):
    return ctx.control_rect(control_id, title)[1]


def _click_control(ctx, control_id):
    # Near the left end: on the box or the option's circle, wherever the text ends.
    ctx.click(ctx.control_point(control_id, SETTINGS, dx=6))
    time.sleep(0.2)


def _click_tab(ctx, index):
    ctx.click(ctx.tab_point(TABS, index, SETTINGS))
    time.sleep(0.2)


def _done(ctx):
    ctx.click(ctx.control_point(DONE, SETTINGS))
    ctx.d(f"gone 10000 {SETTINGS}")


def _shot(ctx, label):
    time.sleep(0.5)  # let the windows paint
    ctx.shot(label)


def _panel(ctx):
    window, client, title = ctx.wait_panel("pro")
    return window, client, title


def _wait_title(ctx, title):
    return parse_rect_reply(ctx.d(f"wait 10000 {title}"))


def _wait_size(ctx, size, timeout=10.0):
    deadline = time.time() + timeout
    while True:
        _, client, _ = _panel(ctx)
        if _size(client) == size or time.time() > deadline:
            assert _size(client) == size, client
            return client
        time.sleep(0.1)


def _size(client):
    return client[2] - client[0], client[3] - client[1]


def _quit(ctx, app):
    ctx.d(f"post {MENU_QUIT} {PRO}")
    assert app.wait_exit(20) == 0


def test_output_mode_item_opens_output_and_the_settings_button_returns_there(ctx):
    app, panel_window, panel_client, _ = _launch(ctx, ConfPanel=0)
    window, client = _open(ctx, MENU_OUTPUT)
    assert _size(client) == (300, 470), client
    # Left of the panel, its bottom level with the panel's client bottom.
    x0, y0 = panel_window[0], panel_window[1]
    assert window[0] == x0 - 325 and window[1] == y0 + _size(panel_client)[1] - 470, (window, panel_window)
    assert _tab(ctx) == 2
    assert _visible(ctx, 1056) and not _visible(ctx, 1035) and not _visible(ctx, 1010)
    assert _checked(ctx, 1056) and not _checked(ctx, 1057)
    _shot(ctx, "output-tab")
    _done(ctx)
    assert _keys(os.path.join(app.folder, "quillpadpro.cfg"))["ConfPanel"] == "2"
    ctx.click(ctx.element_point(SETTINGS_BUTTON))
    _wait_settings(ctx)
    assert _tab(ctx) == 2 and _visible(ctx, 1056)
    _shot(ctx, "reopened-on-output")
    _done(ctx)
    _quit(ctx, app)


def test_choosing_key_sets_rebuilds_the_panel_and_the_rune_filter_tab_follows(ctx):
    app, _, _, _ = _launch(ctx, KeySet=1)
    _open(ctx, MENU_KEY_SETS)
    assert _tab(ctx) == 1 and _checked(ctx, 1035) and _tab_count(ctx) == 3
    _click_control(ctx, 1042)
    _, client, _ = _wait_title(ctx, PRO + "Cyrillic - East Slavic")
    assert _size(client) == (502, 150)
    _click_control(ctx, 1041)
    _, client, _ = _wait_title(ctx, PRO + "Latin - Esperanto")
    assert _size(client) == (268, 98)
    _click_control(ctx, 1051)
    _, client, _ = _wait_title(ctx, PRO + "Runic (All)")
    assert _size(client) == (502, 179)
    assert _tab_count(ctx) == 4
    _shot(ctx, "runic-chosen")
    # The set already shown: no rebuild, so no second rune filter tab either.
    _click_control(ctx, 1051)
    time.sleep(0.5)
    assert _tab_count(ctx) == 4 and _panel(ctx)[2] == PRO + "Runic (All)"
    _click_tab(ctx, 3)
    assert _tab(ctx) == 3 and _visible(ctx, 1016) and not _visible(ctx, 1051)
    _click_tab(ctx, 1)
    _click_control(ctx, 1035)
    _wait_title(ctx, PRO + "Latin - Western Europe")
    assert _tab_count(ctx) == 3 and _tab(ctx) == 1 and _visible(ctx, 1035)
    _shot(ctx, "back-to-latin")
    _done(ctx)
    assert _keys(os.path.join(app.folder, "quillpadpro.cfg"))["KeySet"] == "1"
    _quit(ctx, app)


def _face(ctx, place):
    """Top and bottom colour of a rune key's face at a grid place (order 0: Unicode order)."""
    position, order = place
    x, y = ctx.key_point(17, position, order=order)
    return _pixel(ctx, x - 9, y - 8), _pixel(ctx, x - 9, y + 9)


def test_rune_filter_greys_runes_at_once_in_both_schemes_and_orders_them(ctx):
    target = ctx.start_target("Rune Target")
    app, _, _, _ = _launch(ctx, KeySet=17, ConfPanel=3, Dark=0)
    ctx.click(ctx.element_point(SETTINGS_BUTTON))
    _wait_settings(ctx)
    assert _tab_count(ctx) == 4 and _tab(ctx) == 3 and _visible(ctx, 1016)
    assert all(_checked(ctx, i) for i in range(1016, 1022)) and _checked(ctx, 1033)
    for row in range(1017, 1022):
        _click_control(ctx, row)
    _wait_title(ctx, PRO + "Runic (Elder)")
    # Only Elder: U+16A8 (position 9) stays, U+16A9 (position 10) is greyed.
    assert _face(ctx, (10, 0)) == (DISABLED_FACE[0], DISABLED_FACE[0])
    assert _face(ctx, (9, 0))[0] == NORMAL_FACE_TOP[0]
    _shot(ctx, "elder-only-light")

    # A greyed rune delivers nothing; an enabled one does.
    ctx.d("setclipboard before")
    ctx.d("activate Rune Target")
    ctx.click(ctx.key_point(17, 10))
    assert ctx.wait_units(target, 1, timeout=1.0) == []
    assert ctx.clipboard_units() == [ord(c) for c in "before"]
    ctx.click(ctx.key_point(17, 9))
    assert ctx.wait_units(target, 1) == [0x16A8]

    # Transliteration order: U+16A8 (order 1) takes the first grid place; place 84 is empty.
    _click_control(ctx, 1034)
    time.sleep(0.5)
    ctx.d("activate Rune Target")
    ctx.click(ctx.key_point(17, 9, order=1))
    assert ctx.wait_units(target, 2) == [0x16A8, 0x16A8]
    x, y = ctx.key_point(17, 1, order=84)
    assert _pixel(ctx, x, y) == (204, 204, 204)
    _shot(ctx, "transliteration-order")

    # Dark scheme: the filter still greys, in the dark disabled colour.
    _click_tab(ctx, 0)
    _click_control(ctx, 1011)
    time.sleep(0.5)
    assert _panel(ctx)[2] == PRO + "Runic (Elder)"
    # U+16A9 has order 52.
    assert _face(ctx, (10, 52)) == (DISABLED_FACE[1], DISABLED_FACE[1])
    assert _face(ctx, (9, 1))[0] == NORMAL_FACE_TOP[1]
    _click_tab(ctx, 3)
    _click_control(ctx, 1016)
    _wait_title(ctx, PRO + "Runic")
    assert _face(ctx, (9, 1)) == (DISABLED_FACE[1], DISABLED_FACE[1])
    _shot(ctx, "none-dark")
    _done(ctx)
    keys = _keys(os.path.join(app.folder, "quillpadpro.cfg"))
    assert [keys[k] for k in ("Elder", "YoungerLB", "YoungerST", "AngloSaxon", "Medieval", "Loremark")] == ["0"] * 6
    assert keys["RuneOrder"] == "1" and keys["Dark"] == "1" and keys["ConfPanel"] == "3"
    _quit(ctx, app)


def test_named_target_box_shows_the_target_row_and_relays_esperanto(ctx):
    app, _, client, _ = _launch(ctx, KeySet=7, NamedTarget=0)
    assert _size(client) == (268, 98)
    assert not _visible(ctx, TARGET_FRAME, PRO)
    _open(ctx, MENU_GENERAL)
    assert _tab(ctx) == 0 and not _checked(ctx, 1015)
    _click_control(ctx, 1015)
    client = _wait_size(ctx, (502, 71))
    assert _visible(ctx, TARGET_FRAME, PRO)
    _shot(ctx, "target-row-shown")
    _click_control(ctx, 1015)
    client = _wait_size(ctx, (268, 98))
    assert not _visible(ctx, TARGET_FRAME, PRO)
    _shot(ctx, "target-row-hidden")
    _done(ctx)
    assert _keys(os.path.join(app.folder, "quillpadpro.cfg"))["NamedTarget"] == "0"
    _quit(ctx, app)


def _topmost(ctx, title):
    return int(ctx.d(f"styles {title}").split()[1], 16) & WS_EX_TOPMOST != 0


def _on_top_box(ctx):
    """Border pixel and whether the blue tick shows, of the panel's on-top box."""
    cx, cy = ctx.element_point(ON_TOP_BOX)
    left, top = cx - 25, cy - 7
    border = _pixel(ctx, left, top + 7)
    ticked = any(_pixel(ctx, left + dx, top + dy) == (17, 17, 255) for dy in range(3, 12, 2) for dx in range(2, 13))
    return border, ticked


def test_always_on_top_box_and_the_panel_toggle(ctx):
    app, _, _, _ = _launch(ctx, AlwaysOnTop=0)
    assert _topmost(ctx, PRO) and _on_top_box(ctx) == ((51, 51, 51), True)
    # The user switches the panel's own toggle off first.
    ctx.click(ctx.element_point(ON_TOP_BOX))
    time.sleep(0.3)
    assert not _topmost(ctx, PRO)
    _open(ctx, MENU_GENERAL)
    assert not _topmost(ctx, SETTINGS)
    _click_control(ctx, 1009)
    assert _topmost(ctx, PRO)
    assert _on_top_box(ctx)[0] == (204, 204, 204), "the panel's box should be hidden"
    _shot(ctx, "always-on-top")
    # Clearing it leaves the panel topmost and shows the box, ticked.
    _click_control(ctx, 1009)
    assert _topmost(ctx, PRO)
    assert _on_top_box(ctx) == ((51, 51, 51), True)
    _shot(ctx, "cleared")
    ctx.click(ctx.element_point(ON_TOP_BOX))
    time.sleep(0.3)
    assert not _topmost(ctx, PRO)
    _done(ctx)
    assert _keys(os.path.join(app.folder, "quillpadpro.cfg"))["AlwaysOnTop"] == "0"
    _quit(ctx, app)


def test_closing_saves_every_setting(ctx):
    app, _, _, _ = _launch(ctx)
    _open(ctx, MENU_GENERAL)
    # A close-time box ticked and then the window opened again: dropped.
    _click_control(ctx, 1014)
    assert _checked(ctx, 1014)
    _open(ctx, MENU_GENERAL)
    assert not _checked(ctx, 1014)
    # A right-click on the bare window brings the pop-up menu.
    window, _ = _wait_settings(ctx)
    ctx.click((window[0] + 150, window[3] - 20), "rclick")
    assert "|#32768|v]" in ctx.d("list")
    _shot(ctx, "popup-menu")
    ctx.d("key 27")
    for box in (1012, 1013, 1014, 1011, 1010):
        _click_control(ctx, box)
    _click_tab(ctx, 1)
    _click_control(ctx, 1043)
    _wait_title(ctx, PRO + "Cyrillic - Bulgarian")
    _click_tab(ctx, 2)
    _click_control(ctx, 1062)
    _shot(ctx, "before-close")
    ctx.d(f"close {SETTINGS}")
    ctx.d(f"gone 10000 {SETTINGS}")
    keys = _keys(os.path.join(app.folder, "quillpadpro.cfg"))
    want = {"KeySet": "9", "OutStyle": "7", "ConfPanel": "2", "Dark": "1", "Dock": "1", "AlwaysOnTop": "0",
            "StartNoShow": "1", "ShortcutIcon": "1", "AllowMultiRun": "0", "NamedTarget": "0", "RuneOrder": "0"}
    assert {k: keys.get(k) for k in want} == want, keys
    assert "WinPosLeft" in keys and "WinPosTop" in keys
    _quit(ctx, app)
