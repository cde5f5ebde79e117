"""The help window, the About box and the desktop shortcut, used as a user would."""
import os
import time

HELP = "Quillpad Help"
PANEL = {"pro": "Quillpad Pro ~ ", "std": "Quillpad ~ "}
MENU_ABOUT, MENU_HELP = 0, 3
TOPICS, PAGE = 1069, 1070
ON_TOP_BOX = 1008
WS_EX_TOPMOST = 0x8
WS_FRAME_BITS = 0x00C00000 | 0x00080000 | 0x00040000 | 0x00020000 | 0x00010000  # caption, sysmenu, sizing, min, max
PRO_TOPICS = ["Quillpad Pro", "Installation", "Using Quillpad", "Keys Sets information", "Output modes",
              "Command line options"]
STD_TOPICS = ["Quillpad", "Installation", "Using Quillpad", "Keys Sets information", "Command line options"]
EURO_EXAMPLES = ["\u20ac", "&euro;", "&#8364;", "&#x20AC;", "U+20AC", "\\u20AC", "\\U000020AC", "%E2%82%AC",
                 "8364", "0x20AC", "$20AC", "&H20AC"]
SHORTCUT = "Quillpad Pro.lnk"
SCRIPT = "qlx-cs-temp.vbs"
VK_ESCAPE, VK_UP = 27, 38
STD_PANEL_TITLE = "Quillpad ~ Latin - Western Europe"
PRO_PANEL_TITLE = "Quillpad Pro ~ Latin - Western Europe"
SETTINGS = "Quillpad ~ Settings"
MENU_GENERAL = 2
SHORTCUT_BOX, DONE = 1010, 1031
BM_GETCHECK = 0xF0


def _units_text(hex_units):
    data = bytes()
    for u in hex_units.split():
        data += int(u, 16).to_bytes(2, "little")
    return data.decode("utf-16-le")


def _topics(ctx, title=HELP):
    """(count, selected index, item texts) of the topic list."""
    count, selected, texts = ctx.d(f"treeitems {TOPICS} {title}").split(" ", 2)
    return int(count), int(selected), texts.split("|")


def _page_text(ctx):
    """The page view's class and text (the plain-text view under Wine, which has no HTML engine)."""
    reply = ctx.d(f"ctltext {PAGE} {HELP}")
    cls, _, units = reply.partition(" ")
    return cls, _units_text(units)


def _client(ctx, title):
    nums = [int(v) for v in ctx.d(f"wait 10000 {title}").split()[:8]]
    return tuple(nums[0:4]), tuple(nums[4:8])


def _child_box(ctx, control, client):
    """The control's (x, y, width, height) in the client area of its window."""
    (left, top, right, bottom), visible, _ = _control_rect(ctx, control)
    assert visible, f"control {control} hidden"
    return left - client[0], top - client[1], right - left, bottom - top


def _control_rect(ctx, control):
    v = [int(p) for p in ctx.d(f"ctlrect {control} {HELP}").split()]
    return tuple(v[0:4]), v[4] == 1, v[5] == 1


def _click_topic(ctx, index):
    left, top, right, bottom = (int(v) for v in ctx.d(f"treeitemrect {TOPICS} {index} {HELP}").split())
    ctx.click(((left + right) // 2, (top + bottom) // 2))


def _styles(ctx, title):
    style, exstyle = ctx.d(f"styles {title}").split()
    return int(style, 16), int(exstyle, 16)


def _open_help(ctx, edition):
    ctx.d(f"post {MENU_HELP} {PANEL[edition]}")
    return _client(ctx, HELP)


def _wait_for(check, timeout=10.0, what="condition"):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if check():
            return
        time.sleep(0.1)
    raise AssertionError(f"timed out waiting for {what}")


def test_help_window_topics_pages_and_resizing(ctx):
    ctx.launch("pro")
    ctx.wait_panel("pro")
    window, client = _open_help(ctx, "pro")
    width, height = client[2] - client[0], client[3] - client[1]
    assert (width, height) == (800, 500), f"client {width}x{height} on a 1280-pixel screen"
    screen_w, screen_h = (int(v) for v in ctx.d("screen").split())
    assert abs((window[0] + window[2]) // 2 - screen_w // 2) <= 1, f"not centred across: {window}"
    assert abs((window[1] + window[3]) // 2 - screen_h // 2) <= 1, f"not centred down: {window}"
    style, exstyle = _styles(ctx, HELP)
    assert style & WS_FRAME_BITS == WS_FRAME_BITS, f"style {style:08X}"
    assert exstyle & WS_EX_TOPMOST, "the panel's on-top box is ticked, so help is topmost"
    assert ctx.d(f"owner {HELP}").split()[0] == "0", "help window has an owner"

    count, selected, texts = _topics(ctx)
    assert (count, selected, texts) == (6, 0, PRO_TOPICS), (count, selected, texts)
    assert _child_box(ctx, TOPICS, client) == (0, 0, 180, 500)
    assert _child_box(ctx, PAGE, client) == (181, 1, 620, 500)
    cls, text = _page_text(ctx)
    assert cls.lower() == "edit", f"page view is {cls}"
    assert text.startswith("Quillpad Pro\r\n============\r\n"), text[:60]
    assert "made by Marrowfen" in text
    ctx.shot("pro-help-first-topic")

    _click_topic(ctx, 4)
    _wait_for(lambda: _topics(ctx)[1] == 4, what="topic 4 selected")
    _, text = _page_text(ctx)
    assert text.startswith("Output Modes\r\n"), text[:60]
    shown = [line[len("Euro sign: "):] for line in text.split("\r\n") if line.startswith("Euro sign: ")]
    assert shown == EURO_EXAMPLES, shown
    ctx.shot("pro-help-output-modes")

    _click_topic(ctx, 5)
    _wait_for(lambda: _page_text(ctx)[1].startswith("Command Line Options"), what="command-line page")
    assert "21. Other symbols" in _page_text(ctx)[1]

    # Dragging the border larger: the list keeps its width, the page takes the rest.
    ctx.d(f"resize 1100 760 {HELP}")
    _wait_for(lambda: _client(ctx, HELP)[1][2] - _client(ctx, HELP)[1][0] > 900, what="larger window")
    _, client = _client(ctx, HELP)
    cw, ch = client[2] - client[0], client[3] - client[1]
    assert _child_box(ctx, TOPICS, client) == (0, 0, 180, ch)
    assert _child_box(ctx, PAGE, client) == (181, 1, cw - 180, ch)
    ctx.shot("pro-help-resized")

    # "Help" again brings the open window forward with its topic, not a fresh one.
    ctx.d(f"post {MENU_HELP} {PANEL['pro']}")
    time.sleep(0.5)
    assert _topics(ctx)[1] == 5
    assert _page_text(ctx)[1].startswith("Command Line Options")
    ctx.d(f"close {HELP}")
    ctx.d(f"gone 10000 {HELP}")

    # With the panel's on-top box cleared, a new help window is not topmost, and starts at topic 0.
    ctx.click(ctx.element_point(ON_TOP_BOX))
    _open_help(ctx, "pro")
    assert not _styles(ctx, HELP)[1] & WS_EX_TOPMOST
    assert _topics(ctx)[1] == 0
    assert _page_text(ctx)[1].startswith("Quillpad Pro\r\n")


def test_standard_help_has_five_topics(ctx):
    ctx.launch("std")
    ctx.wait_panel("std")
    _, client = _open_help(ctx, "std")
    assert (client[2] - client[0], client[3] - client[1]) == (800, 500)
    count, selected, texts = _topics(ctx)
    assert (count, selected, texts) == (5, 0, STD_TOPICS), (count, selected, texts)
    assert _page_text(ctx)[1].startswith("Quillpad\r\n========\r\n")
    _click_topic(ctx, 4)
    _wait_for(lambda: _page_text(ctx)[1].startswith("Command Line Options"), what="command-line page")
    text = _page_text(ctx)[1]
    assert "15. Emoticons" in text and "16. " not in text
    assert "quillpadpro.cfg" not in text
    ctx.shot("std-help-command-line")

    # Keys typed in the help window are the help's: Up moves through the topics, and Escape,
    # the panel's "hide" key, leaves the panel alone.
    ctx.d(f"activate {HELP}")
    ctx.d(f"key {VK_UP}")
    _wait_for(lambda: _topics(ctx)[1] == 3, what="topic 3 by keyboard")
    assert _page_text(ctx)[1].startswith("Key Sets\r\n")
    ctx.d(f"key {VK_ESCAPE}")
    time.sleep(0.3)
    assert ctx.d(f"rect {STD_PANEL_TITLE}").split()[8] == "1", "Escape in the help hid the panel"


def _about_text(edition, build_word):
    name = "Quillpad Pro" if edition == "pro" else "Quillpad"
    page = "https://www.marrowfen.example/quillpad/pro/" if edition == "pro" else "https://www.marrowfen.example/quillpad/"
    lines = ["", f"{name} version 3.0.0", "", f"Windows {build_word} edition", "", "Marrowfen", page,
             "Copyright \u00a9 2012-2025 Marrowfen"]
    return "".join(line + "\r\n" for line in lines)


def _check_about(ctx, edition, caption):
    ctx.launch(edition)
    ctx.wait_panel(edition)
    ctx.d(f"post {MENU_ABOUT} {PANEL[edition]}")
    ctx.d(f"wait 10000 {caption}")
    texts = _units_text(ctx.d(f"dialog {caption}"))
    # The message box may hand its text to its static control without the last line break.
    expected = _about_text(edition, "x64")
    assert texts in (expected, expected.rstrip("\r\n")), repr(texts)
    time.sleep(0.5)  # let the box paint its text before the picture
    ctx.shot(f"{edition}-about")
    ctx.d(f"answer 1 {caption}")
    ctx.d(f"gone 10000 {caption}")


def test_about_box_pro(ctx):
    _check_about(ctx, "pro", "About Quillpad Pro")


def test_about_box_standard(ctx):
    _check_about(ctx, "std", "About Quillpad")


# ---- desktop shortcut ----------------------------------------------------------------------

def _unix_path(ctx, windows_path):
    """A path on the prefix's drive C: as the test machine sees it."""
    assert windows_path[:3].lower() == "c:\\", windows_path
    parts = [p for p in windows_path[3:].split("\\") if p]
    return os.path.join(ctx.env.prefix, "drive_c", *parts)


def _folders(ctx):
    """The shortcut and the script as the program names them: desktop folder and temporary folder."""
    desktop = _unix_path(ctx, ctx.d("folder 16"))
    temp = _unix_path(ctx, ctx.d("folder temp"))
    os.makedirs(desktop, exist_ok=True)
    os.makedirs(temp, exist_ok=True)
    return os.path.join(desktop, SHORTCUT), os.path.join(temp, SCRIPT)


def _remove(*paths):
    for p in paths:
        if os.path.exists(p):
            os.unlink(p)


def _start_with_shortcut_option(ctx):
    """Starts Quillpad Pro with ShortcutIcon = 1 and waits until start-up is over: the About box
    answers only once the event loop runs, which is after the shortcut step."""
    folder = ctx.program_folder("pro")
    ctx.write_config(folder, ctx.config_lines(ShortcutIcon=1, AllowMultiRun=1))
    # The panel found below must be this run's, not one of an earlier scenario still closing.
    ctx.d(f"gone 10000 {PRO_PANEL_TITLE}")
    app = ctx.launch("pro", folder=folder)
    ctx.wait_panel("pro", timeout_ms=60000)
    ctx.d(f"post {MENU_ABOUT} {PANEL['pro']}")
    ctx.d("wait 60000 About Quillpad Pro", timeout=70)
    ctx.d("answer 1 About Quillpad Pro")
    return app, folder


def _read_shortcut(ctx, link):
    target, args, icon, index, workdir, show = ctx.d(f"shortcut {ctx.env.windows_path(link)}").split("|")
    return target, args, icon, int(index), workdir, int(show)


def test_shortcut_made_at_start(ctx):
    link, script = _folders(ctx)
    _remove(link, script)
    with open(link, "wb"):
        pass  # an empty one is replaced
    app, folder = _start_with_shortcut_option(ctx)
    ctx.shot("shortcut-made")
    assert not os.path.exists(script), "script left in the temporary folder"
    assert os.path.exists(link) and os.path.getsize(link) > 0, "no shortcut on the desktop"
    program = ctx.env.windows_path(os.path.join(folder, "quillpadpro.exe"))
    target, args, icon, index, workdir, show = _read_shortcut(ctx, link)
    assert target.lower() == program.lower(), (target, program)
    assert args == "/noshow"
    assert (icon.lower(), index) == (program.lower(), 0), (icon, index)
    assert workdir.rstrip("\\").lower().endswith("\\documents"), workdir
    assert show == 1
    _remove(link)


def test_existing_shortcut_is_left_alone(ctx):
    link, script = _folders(ctx)
    _remove(link, script)
    with open(link, "wb") as f:
        f.write(b"not really a shortcut")
    # A leftover script would be replaced by any run that gets that far; it stays as it is.
    with open(script, "wb") as f:
        f.write(b"' left over\r\n")
    _start_with_shortcut_option(ctx)
    ctx.shot("shortcut-existing")
    with open(link, "rb") as f:
        assert f.read() == b"not really a shortcut"
    with open(script, "rb") as f:
        assert f.read() == b"' left over\r\n", "the script host was prepared although a shortcut exists"
    _remove(link, script)


def test_leftover_script_is_replaced_and_removed(ctx):
    link, script = _folders(ctx)
    _remove(link, script)
    with open(script, "wb") as f:
        f.write(b"MsgBox \"left over\"\r\n")
    _start_with_shortcut_option(ctx)
    ctx.shot("shortcut-leftover-script")
    assert not os.path.exists(script), "leftover script not removed"
    assert os.path.exists(link) and os.path.getsize(link) > 0
    _remove(link)


def test_settings_window_closed_with_shortcut_box_makes_the_shortcut(ctx):
    link, script = _folders(ctx)
    _remove(link, script)
    folder = ctx.program_folder("pro")
    ctx.write_config(folder, ctx.config_lines(ShortcutIcon=0, AllowMultiRun=1))
    ctx.launch("pro", folder=folder)
    ctx.wait_panel("pro")
    assert not os.path.exists(link)
    ctx.d(f"post {MENU_GENERAL} {PANEL['pro']}")
    ctx.d(f"wait 10000 {SETTINGS}")
    ctx.click(ctx.control_point(SHORTCUT_BOX, SETTINGS, dx=6))
    _wait_for(lambda: ctx.d(f"ctlmsg {SHORTCUT_BOX} {BM_GETCHECK} 0 0 {SETTINGS}") == "1", what="box ticked")
    ctx.click(ctx.control_point(DONE, SETTINGS))
    ctx.d(f"gone 30000 {SETTINGS}", timeout=40)
    ctx.shot("shortcut-from-settings")
    assert os.path.exists(link) and os.path.getsize(link) > 0, "no shortcut after closing the settings"
    assert not os.path.exists(script)
    assert _read_shortcut(ctx, link)[1] == "/noshow"
    _remove(link)
