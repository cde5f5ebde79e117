"""A click on a key types into the user's window (or the named target) and fills the clipboard."""
import os
import time

PRO = "Quillpad Pro ~ "
E_ACUTE = (1, 29)     # set 1, position 29: U+00E9
EMOJI = (20, 4)       # set 20, position 4: U+1F600
EURO_MORE = 20        # more block position 20: U+20AC
MORE_BUTTON = 1032


def _launch_with(ctx, lines, args=()):
    folder = ctx.program_folder("pro")
    ctx.write_config(folder, ctx.config_lines(**lines))
    app = ctx.launch("pro", list(args), folder=folder)
    ctx.wait_panel("pro")
    return app


def _focus(ctx, title):
    ctx.d(f"activate {title}")
    assert ctx.d("foreground") == title


def test_clicks_type_into_the_focused_window_and_the_panel_never_takes_the_focus(ctx):
    target = ctx.start_target("Delivery Target")
    app = _launch_with(ctx, {"KeySet": 1})
    _focus(ctx, "Delivery Target")
    ctx.click(ctx.key_point(*E_ACUTE))
    assert ctx.d("foreground") == "Delivery Target"
    ctx.click(ctx.element_point(MORE_BUTTON))
    time.sleep(0.3)
    ctx.click(ctx.more_point(EURO_MORE))
    ctx.click(ctx.key_point(*E_ACUTE))
    ctx.click(ctx.key_point(*E_ACUTE))
    units = ctx.wait_units(target, 4)
    assert units == [0xE9, 0x20AC, 0xE9, 0xE9], [hex(u) for u in units]
    assert ctx.d("foreground") == "Delivery Target"
    assert ctx.clipboard_units() == [0xE9]
    ctx.shot("typed")
    ctx.d(f"post 1 {PRO}")
    assert app.wait_exit(20) == 0


def test_an_emoticon_arrives_as_a_surrogate_pair(ctx):
    target = ctx.start_target("Emoji Target")
    _launch_with(ctx, {"KeySet": 20})
    _focus(ctx, "Emoji Target")
    ctx.click(ctx.key_point(*EMOJI))
    units = ctx.wait_units(target, 2)
    assert units == [0xD83D, 0xDE00], [hex(u) for u in units]
    assert ctx.clipboard_units() == [0xD83D, 0xDE00]
    ctx.shot("emoji")


def test_press_on_a_key_and_release_elsewhere_types_nothing(ctx):
    target = ctx.start_target("Release Target")
    _launch_with(ctx, {"KeySet": 1})
    _focus(ctx, "Release Target")
    x, y = ctx.key_point(*E_ACUTE)
    ctx.d(f"down {x} {y}")
    ctx.d(f"move {x + 60} {y}")
    ctx.d(f"up {x + 60} {y}")
    assert ctx.wait_units(target, 1, timeout=1.0) == []


MODES = {
    1: "\u00e9", 2: "&eacute;", 3: "&#233;", 4: "&#xE9;", 5: "U+00E9", 6: "\\u00E9", 7: "\\U000000E9",
    8: "%C3%A9", 9: "233", 10: "0xE9", 11: "$E9", 12: "&HE9",
}


def test_every_output_mode_types_its_text(ctx):
    failures = []
    for mode, expected in MODES.items():
        title = f"Mode Target {mode}"
        target = ctx.start_target(title)
        app = _launch_with(ctx, {"KeySet": 1, "OutStyle": mode, "AllowMultiRun": 1})
        _focus(ctx, title)
        ctx.click(ctx.key_point(*E_ACUTE))
        want = [ord(c) for c in expected]
        got = ctx.wait_units(target, len(want))
        if got != want:
            failures.append((mode, "".join(map(chr, got)), expected))
        ctx.d(f"post 1 {PRO}")
        app.wait_exit(20)
        ctx.d(f"close {title}")
        ctx.d(f"gone 5000 {title}")
    assert not failures, failures


def test_named_target_types_into_the_chosen_window_while_another_has_the_focus(ctx):
    target = ctx.start_target("Named Target A", 40, 40)
    other = ctx.start_target("Other Window B", 480, 40)
    _launch_with(ctx, {"KeySet": 1, "NamedTarget": 1}, args=["Named Target A"])
    _focus(ctx, "Other Window B")
    items = ctx.d("comboitems " + PRO).split("|")
    assert items[0] == "nowhere - Copy only", items
    assert "Named Target A" in items and "Other Window B" in items
    assert not any(i.startswith("Quillpad") for i in items), items
    assert ctx.d("combotext " + PRO) == "Named Target A"
    ctx.click(ctx.key_point(*E_ACUTE))
    units = ctx.wait_units(target, 1)
    assert units == [0xE9], units
    assert ctx.target_units(other) == []
    ctx.shot("named")


def test_copy_only_and_a_vanished_target(ctx):
    target = ctx.start_target("Vanishing Target", 40, 40)
    _launch_with(ctx, {"KeySet": 1, "NamedTarget": 1}, args=["Vanishing Target"])
    ctx.d("comboselect 0 " + PRO)
    ctx.d("setclipboard x")
    ctx.click(ctx.key_point(*E_ACUTE))
    time.sleep(0.5)
    assert ctx.clipboard_units() == [0xE9]
    assert ctx.target_units(target) == []
    ctx.d("comboselect 1 " + PRO)
    assert ctx.d("combotext " + PRO) == "Vanishing Target"
    ctx.d("close Vanishing Target")
    ctx.d("gone 5000 Vanishing Target")
    for _ in range(2):  # once per click
        ctx.click(ctx.key_point(*E_ACUTE))
        ctx.d("waitexists 5000 Error")
        text = "".join(chr(int(u, 16)) for u in ctx.d("dialog Error").split())
        assert text == "Could Not find target application Or document", repr(text)
        ctx.shot("error")
        ctx.d("answer 1 Error")
        ctx.d("gone 5000 Error")
    assert ctx.clipboard_units() == [0xE9]
