"""The panel read and worked as a screen reader does (its accessibility tree from another
process), the settings window worked by keyboard alone, and high contrast."""
import os
import time

from e2e_context import Skip

PRO = "Quillpad Pro ~ "
SETTINGS = "Quillpad ~ Settings"
ROLE_STATICTEXT, ROLE_PUSHBUTTON, ROLE_CHECKBUTTON = 0x29, 0x2B, 0x2C
STATE_UNAVAILABLE, STATE_CHECKED = 0x1, 0x10
ON_TOP_BOX, TITLE_STRIP = 1008, 1004
VK_TAB, VK_RETURN, VK_SPACE, VK_DOWN = 9, 13, 32, 40
TABS, DOCK_BOX, ALWAYS_ON_TOP_BOX, BM_GETCHECK, TCM_GETCURSEL = 1068, 1012, 1009, 0xF0, 0x130B
OUTPUT_OPTION = 1055  # + output mode
COLOR_WINDOW, COLOR_HIGHLIGHT = 5, 13
LIGHT_PANEL_BACK = (204, 204, 204)

LATIN_NAMES = {
    "\u00e0": "a grave", "\u00c0": "cap A grave", "\u00c5": "cap A ring above", "\u00cb": "cap E diaeresis",
    "\u00d2": "cap O grave", "\u00e4": "a diaeresis", "\u00ea": "e circumflex", "\u00f1": "n tilde",
    "\u0152": "cap OE ligature", "\u00dd": "cap Y acute", "\u00f6": "o diaeresis", "\u00fc": "u diaeresis",
}


def _tree(ctx, prefix=PRO):
    """{id: (role, state, name, value, description, action)} in the order the tree gives, and the count."""
    reply = ctx.d(f"acctree {prefix}")
    head, *children = reply.split("\x1e")
    nodes = {}
    for child in children:
        f = child.split("\x1f")
        nodes[int(f[0])] = (int(f[1]), int(f[2]), f[3], f[4], f[5], f[6])
    return int(head), nodes


def _keys(nodes):
    return {i: n for i, n in nodes.items() if i <= 457}


def _launch(ctx, **config):
    folder = ctx.program_folder("pro")
    keys = {"AllowMultiRun": 1, "Dock": 0, "WinPosLeft": 500, "WinPosTop": 420}
    keys.update(config)
    ctx.write_config(folder, ctx.config_lines(**keys))
    app = ctx.launch("pro", folder=folder)
    ctx.wait_panel("pro")
    return app


def _rgb(hex_reply):
    return tuple(int(hex_reply[i:i + 2], 16) for i in (0, 2, 4))


def _pixel(ctx, x, y):
    return _rgb(ctx.d(f"pixel {x} {y}"))


def _cfg(app):
    with open(os.path.join(app.folder, "quillpadpro.cfg"), "rb") as f:
        lines = f.read().decode("utf-8-sig").split("\r\n")
    return {k.strip(): v.strip() for k, v in (line.split("=", 1) for line in lines if "=" in line)}


def test_latin_tree_names_keys_and_a_default_action_types_into_the_focused_window(ctx):
    target = ctx.start_target("Reader Target")
    _launch(ctx, KeySet=1)
    count, nodes = _tree(ctx)
    keys = _keys(nodes)
    assert count == len(nodes) and len(keys) == 76, (count, len(keys))
    by_char = {n[3]: n for n in keys.values()}
    for char, name in LATIN_NAMES.items():
        role, state, got, _, desc, action = by_char[char]
        assert (role, got, action) == (ROLE_PUSHBUTTON, name, "Press"), (char, by_char[char])
        assert desc == "U+%04X" % ord(char) and state & STATE_UNAVAILABLE == 0
    assert nodes[ON_TOP_BOX][0] == ROLE_CHECKBUTTON and nodes[ON_TOP_BOX][2] == "on top"
    assert nodes[ON_TOP_BOX][1] & STATE_CHECKED
    assert nodes[TITLE_STRIP][:3] == (ROLE_STATICTEXT, nodes[TITLE_STRIP][1], "Quillpad Pro ~ Latin - Western Europe")
    assert [nodes[i][2] for i in (1000, 1002, 1003)] == ["close", "help", "settings, keys, output"]

    ctx.d("activate Reader Target")
    for char in "\u00e9\u00f1":
        ctx.d(f"accdo {next(i for i, n in keys.items() if n[3] == char)} {PRO}")
    assert ctx.wait_units(target, 2) == [0xE9, 0xF1]
    assert ctx.d("foreground") == "Reader Target"
    # The box's default action is its click: unticked, the tree says so and readers are told.
    ctx.d(f"accwatch {PRO}")
    ctx.d("accevents")
    ctx.d(f"accdo {ON_TOP_BOX} {PRO}")
    time.sleep(0.3)
    assert _tree(ctx)[1][ON_TOP_BOX][1] & STATE_CHECKED == 0
    assert f"800A:{ON_TOP_BOX}" in ctx.d("accevents").split()  # EVENT_OBJECT_STATECHANGE
    ctx.shot("latin-after-actions")


def test_runic_tree_with_a_filter_greys_runes_and_follows_a_key_set_change(ctx):
    # Only the elder row chosen: 27 of the 90 runes (all shown in Unicode order) can be typed.
    _launch(ctx, KeySet=17, Elder=1, YoungerLB=0, YoungerST=0, AngloSaxon=0, Medieval=0, Loremark=0, RuneOrder=0)
    _, nodes = _tree(ctx)
    keys = _keys(nodes)
    assert len(keys) == 90, len(keys)
    greyed = {n[3] for n in keys.values() if n[1] & STATE_UNAVAILABLE}
    assert len(greyed) == 90 - 27, len(greyed)
    assert "\u16a8" not in greyed and "\u16a0" not in greyed  # Ansuz, Fehu: elder runes
    assert "\u16a1" in greyed and "\u16a9" in greyed  # medieval dotted fe, Os
    assert keys[1][2].startswith("Fehu") and keys[9][2] == "Ansuz, god, A"
    # A greyed rune has no action to offer.
    assert ctx.driver.cmd(f"accdo 2 {PRO}").startswith("err")
    ctx.shot("runic-filtered")

    ctx.d(f"acchold {PRO}")
    ctx.d(f"accwatch {PRO}")
    ctx.d("accevents")
    ctx.d(f"post 5 {PRO}")  # "Select Key Set"
    ctx.d(f"wait 10000 {SETTINGS}")
    ctx.click(ctx.control_point(1034 + 1, SETTINGS, dx=6))
    ctx.d(f"waitprefix 10000 {PRO}Latin - Western Europe")
    time.sleep(0.3)
    _, nodes = _tree(ctx)
    keys = _keys(nodes)
    assert len(keys) == 76 and keys[1][2] == "cap A grave", keys.get(1)
    assert "8004:0" in ctx.d("accevents").split()  # EVENT_OBJECT_REORDER of the whole panel
    # A client that kept the object from before: a rune the new set lacks is now an invalid
    # child, a key it has answers with its new name.
    hr, _, _ = ctx.d("accheld 90").partition(" ")
    assert hr == "80070057", hr
    assert ctx.d("accheld 1") == "00000000 cap A grave"


def test_settings_by_keyboard_alone(ctx):
    app = _launch(ctx, KeySet=1, OutStyle=1, ConfPanel=0)
    ctx.d(f"post 2 {PRO}")  # "General Settings"
    ctx.d(f"wait 10000 {SETTINGS}")
    ctx.d(f"activate {SETTINGS}")
    for _ in range(4):  # the tab strip, then the first three boxes
        ctx.d(f"key {VK_TAB}")
    assert ctx.d("focusid") == str(DOCK_BOX)
    ctx.d(f"key {VK_SPACE}")
    assert ctx.control_message(DOCK_BOX, BM_GETCHECK, 0, 0, SETTINGS) == 1
    time.sleep(0.3)
    ctx.shot("settings-box-focused")
    ctx.d(f"key {VK_TAB} s")
    focus = ctx.d("focusid")
    assert focus == str(ALWAYS_ON_TOP_BOX), focus  # back to the box above
    for _ in range(2):
        ctx.d(f"key {VK_TAB} c")
    assert ctx.control_message(TABS, TCM_GETCURSEL, 0, 0, SETTINGS) == 2
    assert ctx.d("focusid") == str(OUTPUT_OPTION + 1)  # the chosen form
    ctx.d(f"key {VK_DOWN}")
    assert ctx.d("focusid") == str(OUTPUT_OPTION + 2)
    assert ctx.control_message(OUTPUT_OPTION + 2, BM_GETCHECK, 0, 0, SETTINGS) == 1
    time.sleep(0.3)
    ctx.shot("settings-output-focused")
    ctx.d(f"key {VK_RETURN}")
    ctx.d(f"gone 10000 {SETTINGS}")
    cfg = _cfg(app)
    assert (cfg["Dock"], cfg["OutStyle"], cfg["ConfPanel"]) == ("1", "2", "2"), cfg


def test_escape_closes_the_settings_as_the_close_box_does(ctx):
    app = _launch(ctx, KeySet=1, OutStyle=1, ConfPanel=2)
    ctx.d(f"post 7 {PRO}")  # "Output mode"
    ctx.d(f"wait 10000 {SETTINGS}")
    ctx.d(f"activate {SETTINGS}")
    for key in (VK_TAB, VK_TAB, VK_DOWN, 27):  # the tab strip, the chosen form, the next; Escape
        ctx.d(f"key {key}")
    ctx.d(f"gone 10000 {SETTINGS}")
    assert _cfg(app)["OutStyle"] == "2"


def test_high_contrast_paints_the_panel_in_system_colours_and_back(ctx):
    _launch(ctx, KeySet=1)
    rect = ctx.d(f"waitprefix 10000 {PRO}").split()
    cx, cy = int(rect[4]), int(rect[5])  # client area's top-left on the screen
    back = (cx + 300, cy + 10)  # the title strip's bare background
    assert _pixel(ctx, *back) == LIGHT_PANEL_BACK
    try:
        reply = ctx.d("contrast on")
        if not reply.endswith(" 1"):
            # Wine 8 answers SPI_SETHIGHCONTRAST with a "not implemented" and always reports the
            # mode off; the colour decision is covered by the unit tests instead.
            assert _pixel(ctx, *back) == LIGHT_PANEL_BACK
            raise Skip(f"the system cannot switch high contrast on (contrast on -> {reply!r})")
        time.sleep(0.5)
        assert _pixel(ctx, *back) == _rgb(ctx.d(f"syscolor {COLOR_WINDOW}"))
        ctx.shot("high-contrast")
    finally:
        ctx.driver.cmd("contrast off")
    time.sleep(0.5)
    assert _pixel(ctx, *back) == LIGHT_PANEL_BACK
    ctx.shot("contrast-off")


def test_help_topics_and_page_take_the_focus_with_tab(ctx):
    help_title, topics, page = "Quillpad Help", 1069, 1070
    _launch(ctx, KeySet=1)
    ctx.d(f"post 3 {PRO}")  # "Help"
    ctx.d(f"wait 10000 {help_title}")
    # Under Wine the page is the plain-text view that replaces the browser once it gives up.
    deadline = time.time() + 10
    while not ctx.driver.cmd(f"ctltext {page} {help_title}").lower().startswith("ok edit"):
        assert time.time() < deadline, "no page view"
        time.sleep(0.2)
    ctx.d(f"activate {help_title}")
    assert ctx.d("focusid") == str(topics)
    ctx.d(f"key {VK_TAB}")
    assert ctx.d("focusid") == str(page)
    time.sleep(0.3)
    ctx.shot("help-page-focused")
    ctx.d(f"key {VK_TAB} s")
    assert ctx.d("focusid") == str(topics)
    ctx.d(f"key {VK_DOWN}")
    time.sleep(0.3)
    assert ctx.d(f"treeitems {topics} {help_title}").split()[1] == "1"
    ctx.shot("help-second-topic")


def _count_colour(path, rgb, box):
    from PIL import Image
    return sum(1 for p in Image.open(path).convert("RGB").crop(box).getdata() if p == rgb)


def test_target_drop_down_in_the_tree_opens_by_its_action_with_the_selection_highlighted(ctx):
    ctx.start_target("Listed Target")
    _launch(ctx, KeySet=1, NamedTarget=1)
    _, nodes = _tree(ctx)
    role, _, name, value, _, action = nodes[1022]
    assert (role, name, action) == (0x2E, "type in", "Open"), nodes[1022]
    assert value, "the drop-down names no chosen window"
    rgb = _rgb(ctx.d(f"syscolor {COLOR_HIGHLIGHT}"))
    client = [int(v) for v in ctx.d(f"waitprefix 10000 {PRO}").split()[4:8]]
    below = (client[0], client[3] - 30, client[2], client[3] + 120)  # the bottom bar and under it
    before = _count_colour(ctx.shot("target-closed"), rgb, below)
    ctx.d(f"accdo 1022 {PRO}")
    time.sleep(0.5)
    after = _count_colour(ctx.shot("target-list-open"), rgb, below)
    # The chosen item of the open list is drawn in the highlight colour: a row of it at least.
    assert after >= before + 100, (before, after)
