"""Every key set on screen in both colour schemes: sizes, titles, faces and glyphs."""
import os
import time

from PIL import Image

PRO = "Quillpad Pro ~ "
NAMES = [
    "Latin - Western Europe", "Latin - Western Europe, Nordic", "Latin - Eastern Europe, Polish and Baltic",
    "Latin - Eastern Europe, Danube", "Latin - Southeast Europe and Turkic", "Latin - Austronesian / Oceanic",
    "Latin - Esperanto", "Cyrillic - East Slavic", "Cyrillic - Bulgarian", "Cyrillic - West Balkan",
    "Cyrillic - Turkic and Mongolic", "Greek", "Polytonic Greek", "Georgian", "Armenian", "Ogham", "Runic",
    "International Phonetic Alphabet (IPA)", "Roman Numerals", "Emoticons", "Other symbols",
]
KEY_AREA = {1: 106, 2: 106, 3: 106, 4: 106, 5: 106, 6: 106, 7: 54, 8: 106, 9: 106, 10: 106, 11: 161, 12: 106,
            13: 485, 14: 188, 15: 135, 16: 78, 17: 135, 18: 273, 19: 54, 20: 107, 21: 130}
FRAME = {0: (170, 170, 170), 1: (32, 32, 32)}
PANEL_BACK = {0: (204, 204, 204), 1: (0, 0, 0)}
KEY_TOP = {0: (187, 187, 192), 1: (24, 24, 24)}


def _pixel(ctx, x, y):
    v = ctx.d(f"pixel {x} {y}")
    return tuple(int(v[i:i + 2], 16) for i in (0, 2, 4))


def _start(ctx, set_number, dark, extra=None):
    folder = ctx.program_folder("pro")
    keys = {"KeySet": set_number, "Dark": dark, "AllowMultiRun": 1}
    keys.update(extra or {})
    ctx.write_config(folder, ctx.config_lines(**keys))
    app = ctx.launch("pro", folder=folder)
    window, client, title = ctx.wait_panel("pro")
    return app, client, title


def test_every_set_in_both_schemes(ctx):
    problems = []
    for set_number in range(1, 22):
        for dark in (0, 1):
            app, client, title = _start(ctx, set_number, dark)
            width, height = client[2] - client[0], client[3] - client[1]
            want_w = 268 if set_number == 7 else 502
            want_h = KEY_AREA[set_number] + 44
            expected_title = PRO + NAMES[set_number - 1] + (" (All)" if set_number == 17 else "")
            if title != expected_title:
                problems.append((set_number, dark, "title", title))
            if (width, height) != (want_w, want_h):
                problems.append((set_number, dark, "size", (width, height), (want_w, want_h)))
            ox, oy = client[0], client[1]
            if _pixel(ctx, ox, oy) != FRAME[dark]:
                problems.append((set_number, dark, "frame", _pixel(ctx, ox, oy)))
            # A spot of the title strip right of any title text.
            if _pixel(ctx, ox + want_w - 30, oy + 10) != PANEL_BACK[dark]:
                problems.append((set_number, dark, "title strip", _pixel(ctx, ox + want_w - 30, oy + 10)))
            kx, ky = ctx.key_point(set_number, 1 if set_number != 16 else 1, compact=1 if set_number == 7 else 0)
            # Inside the first key's face, left of its glyph and above the gradient: colour A.
            if _pixel(ctx, kx - 9, ky - 8) != KEY_TOP[dark]:
                problems.append((set_number, dark, "key face", _pixel(ctx, kx - 9, ky - 8)))
            ctx.shot(f"set{set_number:02d}-{'dark' if dark else 'light'}")
            ctx.d(f"post 1 {PRO}")
            app.wait_exit(20)
    assert not problems, problems


def test_the_more_block_and_its_keys(ctx):
    app, client, _ = _start(ctx, 1, 0)
    ctx.click(ctx.element_point(1032))
    _, client2, _ = ctx.wait_panel("pro")
    assert client2[3] - client2[1] == 150 + 80
    assert client2[3] == client[3] and client2[2] == client[2], "the bottom-right corner moved"
    x, y = ctx.more_point(20)
    assert _pixel(ctx, x - 9, y - 8) == KEY_TOP[0]
    ctx.shot("more-light")
    # Right arrow toggles it back when the panel has the keyboard.
    ctx.d(f"activate {PRO}Latin - Western Europe")
    ctx.d("key 39")
    _, client3, _ = ctx.wait_panel("pro")
    assert client3[3] - client3[1] == 150
    ctx.d(f"post 1 {PRO}")
    assert app.wait_exit(20) == 0


def _crop(path, box):
    with Image.open(path) as im:
        return im.convert("RGB").crop(box)


def test_emoticons_show_their_own_glyphs(ctx):
    app, client, _ = _start(ctx, 20, 0)
    shot = ctx.shot("emoticons")
    faces = []
    for pos in (4, 5, 6, 20):  # U+1F600, U+1F601, U+1F602, U+1F610
        x, y = ctx.key_point(20, pos)
        faces.append(_crop(shot, (x - 10, y - 10, x + 10, y + 10)))
    for face in faces:
        dark = sum(1 for p in face.getdata() if sum(p) < 200)
        assert dark > 15, "an emoticon key shows no glyph"
    # Boxes for missing glyphs would all look the same.
    assert len({f.tobytes() for f in faces}) == len(faces), "emoticon keys look alike"
    ctx.d(f"post 1 {PRO}")
    assert app.wait_exit(20) == 0


def _tooltip(ctx, point):
    x, y = point
    # Come in from beside the key, as a hand would; a tip that does not come is tried again.
    for _ in range(3):
        for dx in (-40, -20, 0, 1):
            ctx.d(f"move {x + dx} {y}")
            time.sleep(0.1)
        reply = ctx.driver.cmd("tooltip 3000")
        if reply.startswith("ok"):
            return "".join(chr(int(u, 16)) for u in reply.split()[1:])
        ctx.d("move 5 5")
    raise AssertionError("no tooltip shown")


def test_hovering_a_key_shows_its_tooltip(ctx):
    app, _, _ = _start(ctx, 1, 0)
    assert _tooltip(ctx, ctx.key_point(1, 1)) == "cap A grave"
    ctx.shot("tooltip")
    ctx.d(f"move 5 5")  # away, so the next tip is a fresh one
    assert _tooltip(ctx, ctx.key_point(1, 20)) == "a grave"
    ctx.d(f"post 1 {PRO}")
    assert app.wait_exit(20) == 0


def _tray_tooltip(ctx):
    left, top, right, bottom = [int(v) for v in ctx.d("classrect Shell_TrayWnd").split()[:4]]
    for _ in range(4):
        for dx in (40, 20, 10, 11):
            ctx.d(f"move {right - dx} {(top + bottom) // 2}")
            time.sleep(0.1)
        reply = ctx.driver.cmd("tooltip 3000")
        if reply.startswith("ok"):
            return "".join(chr(int(u, 16)) for u in reply.split()[1:])
        ctx.d("move 300 300")
    raise AssertionError("the tray icon showed no tooltip")


def test_the_tray_tooltip_names_the_set_and_is_cut_to_63_characters(ctx):
    # Started hidden, so that the panel cannot cover the tray (Wine reports a one-pixel taskbar).
    for set_number, expected in ((3, "Marrowfen Quillpad Pro\r\nLatin - Eastern Europe, Polish and Balt"),
                                 (12, "Marrowfen Quillpad Pro\r\nGreek")):
        folder = ctx.program_folder("pro")
        ctx.write_config(folder, ctx.config_lines(KeySet=set_number, StartNoShow=1, AllowMultiRun=1))
        app = ctx.launch("pro", folder=folder)
        ctx.d(f"waitexists 20000 {PRO}{NAMES[set_number - 1]}")
        time.sleep(1.0)
        assert _tray_tooltip(ctx) == expected
        ctx.shot(f"tray-tip-{set_number}")
        ctx.d(f"post 1 {PRO}")
        assert app.wait_exit(20) == 0
        ctx.d("move 300 300")
        time.sleep(0.5)
