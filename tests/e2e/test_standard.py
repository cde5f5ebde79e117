"""The standard edition, quillpad.exe: fixed start, its key-set menu, the dark toggle, typing into
the chosen window, and a whole run that leaves no file behind."""
import os
import time

STD = "Quillpad ~ "
SETTINGS_BUTTON = 1003
TITLE_STRIP = 1004
REFRESH_BUTTON = 1030
TARGET_BOX = 1022
E_ACUTE = (1, 29)  # set 1, position 29: U+00E9
ALPHA = (12, 1)    # Greek, position 1: U+0391
KEY_SETS = [
    "Latin - Western Europe", "Latin - Western Europe, Nordic", "Latin - Eastern Europe, Polish and Baltic",
    "Latin - Eastern Europe, Danube", "Latin - Southeast Europe and Turkic", "Latin - Austronesian / Oceanic",
    "Latin - Esperanto", "Cyrillic - East Slavic", "Cyrillic - Bulgarian", "Cyrillic - West Balkan",
    "Cyrillic - Turkic and Mongolic", "Greek", "Georgian", "Armenian", "Emoticons",
]
FRAME = {False: (170, 170, 170), True: (32, 32, 32)}
PANEL_BACK = {False: (204, 204, 204), True: (0, 0, 0)}
KEY_TOP = {False: (187, 187, 192), True: (24, 24, 24)}
VK_RETURN, VK_ESCAPE, VK_UP, VK_DOWN = 13, 27, 38, 40


def _pixel(ctx, x, y):
    v = ctx.d(f"pixel {x} {y}")
    return tuple(int(v[i:i + 2], 16) for i in (0, 2, 4))


def _title(ctx):
    return ctx.d(f"waitprefix 5000 {STD}").split(" ", 9)[9]


def _wait_title(ctx, want, timeout=5.0):
    deadline = time.time() + timeout
    while _title(ctx) != want and time.time() < deadline:
        time.sleep(0.05)
    return _title(ctx)


def _menu(ctx, timeout_ms=5000):
    """The shown pop-up menu's screen rectangle (left, top, right, bottom)."""
    return tuple(int(v) for v in ctx.d(f"waitclass {timeout_ms} #32768").split()[:4])


def _menu_gone(ctx, timeout=5.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if not ctx.driver.cmd("waitclass 0 #32768").startswith("ok"):
            return True
        time.sleep(0.05)
    return False


def _expected_menu_corner(ctx, menu):
    """Where the key-set menu should open: 285 left of and 330 above the settings button's top-left
    corner (current Windows), pulled onto the screen by the system when it would stick out."""
    cx, cy = ctx.element_point(SETTINGS_BUTTON, "std")
    x, y = cx - 10 - 285, cy - 10 - 330  # the button is 20 x 20; elempos gives its middle
    screen_w, screen_h = (int(v) for v in ctx.d("screen").split())
    width, height = menu[2] - menu[0], menu[3] - menu[1]
    return min(max(x, 0), screen_w - width), min(max(y, 0), screen_h - height)


def _choose_from_key_set_menu(ctx, menu, number):
    """Clicks item `number` (1..15) of the open key-set menu: fifteen rows of equal height."""
    left, top, right, bottom = menu
    row = (bottom - top) / 15
    ctx.click(((left + right) // 2, int(top + row * (number - 0.5))))


def _popup_item(ctx, downs):
    """Opens the pop-up menu on the title strip and takes the item `downs` rows down by keyboard
    (Close, Show, Select Key Set, Dark mode panel, ...; the separator is skipped)."""
    x, y = ctx.element_point(TITLE_STRIP, "std")
    ctx.click((x - 150, y), "rclick")
    _menu(ctx)
    for _ in range(downs):
        ctx.d(f"key {VK_DOWN}")
    ctx.d(f"key {VK_RETURN}")


def _activate(ctx, title):
    # A window that has only just appeared can still win the foreground back under Wine: retry.
    for _ in range(5):
        if ctx.driver.cmd(f"activate {title}").startswith("ok"):
            return
        time.sleep(0.2)
    raise AssertionError(f"{title} would not come to the foreground")


def _files_under(path):
    found = set()
    for base, _, names in os.walk(path):
        found.update(os.path.relpath(os.path.join(base, n), path) for n in names)
    return found


def _quit_by_menu(ctx, app):
    # "Quit Quillpad" is the menu's last item: Up from no selection lands on it.
    x, y = ctx.element_point(TITLE_STRIP, "std")
    ctx.click((x - 150, y), "rclick")
    _menu(ctx)
    ctx.d(f"key {VK_UP}")
    ctx.d(f"key {VK_RETURN}")
    assert app.wait_exit(20) == 0


def test_standard_starts_docked_with_set_one_and_the_target_row(ctx):
    corner = ctx.docked_corner()
    app = ctx.launch("std")
    window, client, title = ctx.wait_panel("std")
    assert title == STD + "Latin - Western Europe", title
    assert (window[2], window[3]) == corner, ((window[2], window[3]), corner)
    # The target drop-down is always there.
    left, top, right, bottom, visible, _ = (int(v) for v in ctx.d(f"ctlrect {TARGET_BOX} {STD}").split())
    assert visible == 1 and right > left, "the target box is hidden"
    ctx.shot("started")
    ctx.d(f"close {STD}")  # a close request only hides the panel
    deadline = time.time() + 5
    while ctx.d(f"visible {STD}") != "0" and time.time() < deadline:
        time.sleep(0.05)
    assert ctx.d(f"visible {STD}") == "0"
    assert app.running(), "closing the panel ended the program"
    assert os.listdir(app.folder) == ["quillpad.exe"], os.listdir(app.folder)
    ctx.d(f"post 9 {STD}")  # "Show"
    ctx.wait_panel("std")
    ctx.shot("shown-again")
    _quit_by_menu(ctx, app)


def test_standard_keyset_switch_and_the_other_instance_question(ctx):
    first = ctx.launch("std", ["keyset=15"])
    _, _, title = ctx.wait_panel("std")
    assert title == STD + "Emoticons", title
    ctx.shot("emoticons")
    # A second copy always asks; Yes starts it. 16 is no standard set: it starts with set 1.
    second = ctx.launch("std", ["keyset=16"])
    ctx.d("wait 20000 Quillpad")
    ctx.shot("question")
    ctx.d("answer 6 Quillpad")
    ctx.d(f"wait 20000 {STD}Latin - Western Europe")
    ctx.shot("second-copy")
    ctx.d(f"post 1 {STD}Latin - Western Europe")
    assert second.wait_exit(20) == 0
    ctx.d(f"post 1 {STD}Emoticons")
    assert first.wait_exit(20) == 0


def test_standard_key_set_menu_opens_by_the_cog_and_switches_sets(ctx):
    app = ctx.launch("std")
    ctx.wait_panel("std")
    ctx.click(ctx.element_point(SETTINGS_BUTTON, "std"))
    menu = _menu(ctx)
    expected = _expected_menu_corner(ctx, menu)
    assert menu[:2] == expected, (menu, expected)
    assert menu[3] - menu[1] > 15 * 12, f"menu {menu} too small for fifteen sets"
    ctx.shot("key-set-menu")
    _choose_from_key_set_menu(ctx, menu, 12)
    assert _wait_title(ctx, STD + "Greek") == STD + "Greek"
    assert _menu_gone(ctx)
    ctx.shot("greek")

    # Ctrl+Up opens the same menu at the same place (the panel's size did not change).
    _activate(ctx, STD + "Greek")
    ctx.d(f"key {VK_UP} c")
    again = _menu(ctx)
    assert again[:2] == _expected_menu_corner(ctx, again), again
    ctx.shot("key-set-menu-greek-checked")
    _choose_from_key_set_menu(ctx, again, 15)
    assert _wait_title(ctx, STD + "Emoticons") == STD + "Emoticons"

    # "Select Key Set" in the pop-up menu opens it too.
    _popup_item(ctx, 3)
    third = _menu(ctx)
    _choose_from_key_set_menu(ctx, third, 13)
    assert _wait_title(ctx, STD + "Georgian") == STD + "Georgian"
    ctx.shot("georgian")
    _quit_by_menu(ctx, app)


def test_standard_dark_mode_keeps_the_chosen_set(ctx):
    app = ctx.launch("std")
    ctx.wait_panel("std")
    ctx.click(ctx.element_point(SETTINGS_BUTTON, "std"))
    _choose_from_key_set_menu(ctx, _menu(ctx), 12)
    assert _wait_title(ctx, STD + "Greek") == STD + "Greek"
    _, client, _ = ctx.wait_panel("std")
    ox, oy, width = client[0], client[1], client[2] - client[0]
    kx, ky = ctx.key_point(*ALPHA, edition="std")
    assert _pixel(ctx, ox + width - 30, oy + 10) == PANEL_BACK[False]

    _popup_item(ctx, 4)  # "Dark mode panel"
    deadline = time.time() + 5
    while _pixel(ctx, ox + width - 30, oy + 10) != PANEL_BACK[True] and time.time() < deadline:
        time.sleep(0.05)
    assert _title(ctx) == STD + "Greek"
    assert _pixel(ctx, ox, oy) == FRAME[True]
    assert _pixel(ctx, ox + width - 30, oy + 10) == PANEL_BACK[True]
    assert _pixel(ctx, kx - 9, ky - 8) == KEY_TOP[True], _pixel(ctx, kx - 9, ky - 8)
    ctx.shot("greek-dark")
    x, y = ctx.element_point(TITLE_STRIP, "std")
    ctx.click((x - 150, y), "rclick")
    _menu(ctx)
    ctx.shot("popup-dark-checked")
    ctx.d(f"key {VK_ESCAPE}")
    assert _menu_gone(ctx)

    _popup_item(ctx, 4)  # and back
    deadline = time.time() + 5
    while _pixel(ctx, ox + width - 30, oy + 10) != PANEL_BACK[False] and time.time() < deadline:
        time.sleep(0.05)
    assert _pixel(ctx, kx - 9, ky - 8) == KEY_TOP[False]
    assert _title(ctx) == STD + "Greek"
    ctx.shot("greek-light")
    _quit_by_menu(ctx, app)


def test_standard_types_into_the_chosen_window_and_reports_a_missing_one(ctx):
    appdata = ctx.env.user_dir("AppData")
    before = _files_under(appdata)
    # The panel is in front once it has started; with the user's window in front again, the
    # refresh button chooses that window.
    first = ctx.start_target("Std Target One")
    app = ctx.launch("std")
    ctx.wait_panel("std")
    _activate(ctx, "Std Target One")
    ctx.click(ctx.element_point(REFRESH_BUTTON, "std"))
    assert ctx.d(f"combotext {STD}") == "Std Target One"
    ctx.click(ctx.key_point(*E_ACUTE, edition="std"))
    assert ctx.wait_units(first, 1) == [0xE9]
    assert ctx.clipboard_units() == [0xE9]
    ctx.shot("typed")
    _quit_by_menu(ctx, app)

    # A title on the command line picks that window even when another one is in front.
    second = ctx.start_target("Std Target Two", x=400)
    _activate(ctx, "Std Target One")
    app = ctx.launch("std", ["Std Target Two"])
    ctx.wait_panel("std")
    assert ctx.d(f"combotext {STD}") == "Std Target Two"
    ctx.click(ctx.key_point(*E_ACUTE, edition="std"))
    assert ctx.wait_units(second, 1) == [0xE9]
    assert ctx.wait_units(first, 2, timeout=0.5) == [0xE9], "the window in front got the key too"

    # The chosen window goes away: the click reports it.
    ctx.env.kill(second.proc)
    ctx.d("gone 5000 Std Target Two")
    ctx.click(ctx.key_point(*E_ACUTE, edition="std"))
    ctx.d("wait 10000 Error")
    text = "".join(chr(int(u, 16)) for u in ctx.d("dialog Error").split())
    assert text == "Could Not find target application Or document", text
    ctx.shot("missing-target")
    ctx.d("answer 1 Error")
    ctx.d("gone 5000 Error")
    _quit_by_menu(ctx, app)

    # A whole run, with quitting, leaves no file beside the program or in the application data.
    assert os.listdir(app.folder) == ["quillpad.exe"], os.listdir(app.folder)
    assert _files_under(appdata) == before, _files_under(appdata) ^ before
