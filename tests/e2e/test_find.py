"""The Find window: opened from the pop-up menu and by the global hotkey, a query typed into it,
the character typed into the window the user was in, and a hotkey another program holds."""
import time

PRO = "Quillpad Pro ~ "
STD = "Quillpad ~ "
FIND = "Quillpad ~ Find"
TITLE_STRIP = 1004
VK_RETURN, VK_ESCAPE, VK_UP, VK_F12, VK_C = 13, 27, 38, 0x7B, 0x43
MOD_CONTROL, MOD_SHIFT, MOD_WIN = 2, 4, 8
# Ctrl+Shift+F12, packed as the configuration keeps it: modifiers above the virtual key.
HOTKEY_VK, HOTKEY_MODS = VK_F12, MOD_CONTROL | MOD_SHIFT
HOTKEY = (HOTKEY_MODS << 16) | HOTKEY_VK
ALPHA = 0x3B1
SETTINGS = "Quillpad ~ Settings"
MENU_GENERAL, DONE, HOTKEY_CONTROL, VK_F11 = 2, 1031, 1080, 0x7A


def _launch(ctx, edition="pro", **keys):
    folder = ctx.program_folder(edition)
    if edition == "pro":
        ctx.write_config(folder, ctx.config_lines(**{"KeySet": 1, "FindHotkey": HOTKEY, **keys}))
    app = ctx.launch(edition, folder=folder)
    ctx.wait_panel(edition)
    return app


def _focus(ctx, title):
    for _ in range(5):
        if ctx.driver.cmd(f"activate {title}").startswith("ok"):
            return
        time.sleep(0.2)
    raise AssertionError(f"{title} would not come to the foreground")


def _state(ctx):
    """(visible, result count, selected "U+XXXX name", query) of the Find window."""
    head, selected, query = ctx.d("findstate").split(" | ", 2)
    visible, count = head.split()
    return visible == "1", int(count), selected, query


def _wait(ctx, test, what, timeout=5.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if test():
            return
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}")


def _wait_find(ctx, shown=True):
    # Made the first time it opens; until then the driver finds no Find window.
    def ready():
        return ctx.driver.cmd("findstate").startswith("ok") and _state(ctx)[0] == shown
    _wait(ctx, ready, f"the Find window {'shown' if shown else 'hidden'}", timeout=10.0)


def _wait_foreground(ctx, title, timeout=5.0):
    _wait(ctx, lambda: ctx.d("foreground") == title, f"{title} in the foreground", timeout)


def _query(ctx, text):
    ctx.d("typetext " + text)
    _wait(ctx, lambda: _state(ctx)[3] == text and _state(ctx)[1] > 0, f"results for {text!r}")
    return _state(ctx)


def _open_menu(ctx, edition):
    x, y = ctx.element_point(TITLE_STRIP, edition)
    ctx.click((x - 150, y), "rclick")
    ctx.d("waitclass 5000 #32768")


def _open_from_menu(ctx, edition="pro", shot=None):
    """Chooses "Find a character..." from the pop-up menu by keyboard. Wine keeps a menu's items in
    its own process, out of the driver's reach, so the item is found by where it stands: Up from no
    selection lands on the quit item, one more Up, over the separator, on the item above it."""
    _open_menu(ctx, edition)
    ctx.d(f"key {VK_UP}")
    ctx.d(f"key {VK_UP}")
    if shot:
        ctx.shot(shot)
    ctx.d(f"key {VK_RETURN}")
    _wait_find(ctx)
    _wait_foreground(ctx, FIND)


def test_the_menu_opens_find_and_enter_types_into_the_window_the_user_was_in(ctx):
    target = ctx.start_target("Find Target")
    _launch(ctx, OutStyle=1)
    _focus(ctx, "Find Target")
    _open_from_menu(ctx, shot="menu")
    _, _, selected, query = _state(ctx)
    assert query == "", query
    _, count, selected, _ = _query(ctx, "alpha")
    assert selected.startswith("U+03B1"), selected
    ctx.shot("alpha")
    ctx.d(f"key {VK_RETURN}")
    assert ctx.wait_units(target, 1) == [ALPHA]
    assert ctx.clipboard_units() == [ALPHA]
    _wait_foreground(ctx, "Find Target")
    assert not _state(ctx)[0], "Enter left the Find window open"

    # Opened again, the empty query lists the character just typed, first; Escape gives the focus back.
    _open_from_menu(ctx)
    visible, count, selected, query = _state(ctx)
    assert query == "" and count >= 1 and selected.startswith("U+03B1"), (count, selected, query)
    ctx.shot("recent")
    ctx.d(f"key {VK_ESCAPE}")
    _wait_foreground(ctx, "Find Target")
    assert not _state(ctx)[0]
    assert ctx.target_units(target) == [ALPHA], "Escape typed something"


def test_the_hotkey_opens_find_and_shift_enter_types_the_output_form_and_stays(ctx):
    target = ctx.start_target("Hotkey Target")
    _launch(ctx, OutStyle=7)
    _focus(ctx, "Hotkey Target")
    ctx.d(f"chord {HOTKEY_VK} {HOTKEY_MODS}")
    _wait_find(ctx)
    _wait_foreground(ctx, FIND)
    _query(ctx, "alpha")
    ctx.d(f"key {VK_RETURN} s")
    want = [ord(c) for c in "\\U000003B1"]  # output mode 7, as a key click types it
    assert ctx.wait_units(target, len(want)) == want
    assert _state(ctx)[0], "Shift+Enter closed the Find window"
    _wait_foreground(ctx, FIND)
    ctx.shot("after-shift-enter")
    # The focus is back in the query box: typing goes on there.
    ctx.d("typetext s")
    _wait(ctx, lambda: _state(ctx)[3] == "alphas", "the query to take more text")
    ctx.d(f"key {VK_ESCAPE}")
    _wait_foreground(ctx, "Hotkey Target")
    assert ctx.target_units(target) == want


def test_ctrl_c_copies_without_typing(ctx):
    target = ctx.start_target("Copy Target")
    _launch(ctx, OutStyle=5)
    _focus(ctx, "Copy Target")
    ctx.d(f"chord {HOTKEY_VK} {HOTKEY_MODS}")
    _wait_find(ctx)
    _wait_foreground(ctx, FIND)
    _query(ctx, "alpha")
    ctx.d("setclipboard x")
    ctx.d(f"key {VK_C} c")
    _wait(ctx, lambda: ctx.clipboard_units() == [ord(c) for c in "U+03B1"], "the copied code point")
    assert _state(ctx)[0]
    assert ctx.target_units(target) == []
    ctx.d(f"key {VK_ESCAPE}")


def test_results_for_arrow_and_heart(ctx):
    _launch(ctx)
    _open_from_menu(ctx)
    for word in ("arrow", "heart"):
        ctx.d("typetext " + word)
        _wait(ctx, lambda: _state(ctx)[3] == word, f"the query {word!r}")
        _, count, selected, _ = _state(ctx)
        assert count > 1, (word, count)
        assert word in selected.lower(), selected  # the best result is named so
        time.sleep(0.3)  # the glyphs painted
        ctx.shot(word)
        for _ in word:
            ctx.d("key 8")
    ctx.d(f"key {VK_ESCAPE}")


def test_the_standard_edition_types_the_character_alone(ctx):
    target = ctx.start_target("Standard Find Target")
    _launch(ctx, "std")
    _focus(ctx, "Standard Find Target")
    _open_from_menu(ctx, "std")
    ctx.d(f"key {VK_ESCAPE}")
    _wait_foreground(ctx, "Standard Find Target")
    # The default hotkey, Win+Shift+F: the standard edition has no file to choose another.
    ctx.d(f"chord {ord('F')} {MOD_SHIFT | MOD_WIN}")
    _wait_find(ctx)
    _wait_foreground(ctx, FIND)
    _query(ctx, "alpha")
    ctx.d(f"key {VK_RETURN}")
    assert ctx.wait_units(target, 1) == [ALPHA]
    assert ctx.clipboard_units() == [ALPHA]
    _wait_foreground(ctx, "Standard Find Target")
    ctx.shot("standard")


def test_a_hotkey_another_program_holds_is_reported_and_the_menu_still_works(ctx):
    assert ctx.driver.cmd(f"holdhotkey {HOTKEY_VK} {HOTKEY_MODS}") == "ok"
    try:
        # A second registration of the same combination fails (error 1409), as it does for the program.
        assert ctx.driver.cmd(f"holdhotkey {HOTKEY_VK} {HOTKEY_MODS}") == "err 1409"
        target = ctx.start_target("Taken Target")
        _launch(ctx, OutStyle=1)
        tip = ""
        deadline = time.time() + 10
        while time.time() < deadline and "taken" not in tip:
            reply = ctx.driver.cmd("tooltip 500")
            if reply.startswith("ok"):
                tip = "".join(chr(int(u, 16)) for u in reply.split()[1:])
        ctx.shot("hotkey-taken")
        assert "Ctrl+Shift+F12" in tip and "taken" in tip, repr(tip)
        _focus(ctx, "Taken Target")
        _open_from_menu(ctx, shot="menu-without-hotkey")
        _query(ctx, "alpha")
        ctx.d(f"key {VK_RETURN}")
        assert ctx.wait_units(target, 1) == [ALPHA]
    finally:
        ctx.driver.cmd("freehotkey")



def _config_keys(path):
    with open(path, "rb") as f:
        text = f.read().decode("utf-8-sig")
    return dict((k.strip(), v.strip()) for k, v in (line.split("=", 1) for line in text.split("\r\n") if "=" in line))


def test_a_hotkey_chosen_on_the_general_tab_works_at_once_and_is_kept(ctx):
    target = ctx.start_target("Chosen Target")
    app = _launch(ctx, OutStyle=1, AllowMultiRun=1)
    ctx.d(f"post {MENU_GENERAL} {PRO}")
    ctx.d(f"wait 10000 {SETTINGS}")
    ctx.click(ctx.control_point(HOTKEY_CONTROL, SETTINGS))
    ctx.d(f"chord {VK_F11} {MOD_CONTROL | MOD_SHIFT}")
    time.sleep(0.3)
    ctx.shot("general-tab")
    ctx.click(ctx.control_point(DONE, SETTINGS))
    ctx.d(f"gone 10000 {SETTINGS}")
    chosen = ((MOD_CONTROL | MOD_SHIFT) << 16) | VK_F11
    assert _config_keys(f"{app.folder}/quillpadpro.cfg").get("FindHotkey") == str(chosen)

    # The old combination is free again, the new one opens Find.
    _focus(ctx, "Chosen Target")
    ctx.d(f"chord {HOTKEY_VK} {HOTKEY_MODS}")
    time.sleep(0.5)
    assert ctx.driver.cmd("findstate").startswith("err no find window"), "the old hotkey still opens Find"
    assert ctx.driver.cmd(f"holdhotkey {HOTKEY_VK} {HOTKEY_MODS}") == "ok"
    ctx.driver.cmd("freehotkey")
    ctx.d(f"chord {VK_F11} {MOD_CONTROL | MOD_SHIFT}")
    _wait_find(ctx)
    _query(ctx, "alpha")
    ctx.d(f"key {VK_RETURN}")
    assert ctx.wait_units(target, 1) == [ALPHA]
