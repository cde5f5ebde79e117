"""Configuration file, command line and the other-instance question, as a user meets them."""
import os
import time

FIRST_RUN = (b"\xef\xbb\xbf\r\n[Config]\r\nKeySet = 1\r\nOutStyle = 1\r\nConfPanel = 0\r\nDark = 0\r\nDock = 1\r\n"
             b"AlwaysOnTop = 0\r\nStartNoShow = 0\r\nShortcutIcon = 0\r\nAllowMultiRun = 0\r\nNamedTarget = 0\r\n"
             b"Elder = 1\r\nYoungerLB = 1\r\nYoungerST = 1\r\nAngloSaxon = 1\r\nMedieval = 1\r\nLoremark = 1\r\n"
             b"RuneOrder = 0\r\n")
PRO_TITLE = "Quillpad Pro ~ Latin - Western Europe"
QUESTION = ("An instance of Quillpad Pro appears to be already running.\r\n"
            "Continue with this additional copy (Yes) or else cancel it (No)?\r\n\r\n"
            "There is no special problem running multiple instances, but each will have its own takbar icon.")


def _quit(ctx, app, title_prefix="Quillpad Pro ~"):
    ctx.d(f"post 1 {title_prefix}")
    assert app.wait_exit(20) == 0


def _config(path):
    with open(path, "rb") as f:
        return f.read()


def _keys(data):
    text = data.decode("utf-8-sig")
    out = {}
    for line in text.split("\r\n"):
        if "=" in line:
            k, v = line.split("=", 1)
            out[k.strip()] = v.strip()
    return out


def test_first_run_writes_the_file_beside_the_program(ctx):
    app = ctx.launch("pro")
    ctx.wait_panel("pro")
    path = os.path.join(app.folder, "quillpadpro.cfg")
    assert os.path.exists(path), "no configuration file beside the program"
    assert _config(path) == FIRST_RUN, _config(path)
    ctx.shot("first-run")
    _quit(ctx, app)
    saved = _config(path)
    # Quitting adds the window position as the last two lines of the group.
    assert saved.startswith(FIRST_RUN), saved
    tail = saved[len(FIRST_RUN):].decode("ascii").split("\r\n")
    assert tail[0].startswith("WinPosLeft = ") and tail[1].startswith("WinPosTop = ") and tail[2] == "", tail


def test_unwritable_program_folder_puts_the_file_under_application_data(ctx):
    folder = ctx.program_folder("pro")
    # A folder of that name counts as missing and cannot be created as a file.
    os.mkdir(os.path.join(folder, "quillpadpro.cfg"))
    app = ctx.launch("pro", folder=folder)
    ctx.wait_panel("pro")
    path = ctx.appdata_config()
    assert os.path.isfile(path), f"nothing at {path}"
    assert _config(path) == FIRST_RUN
    assert os.path.isdir(os.path.join(folder, "quillpadpro.cfg"))
    ctx.shot("appdata")
    _quit(ctx, app)
    assert _keys(_config(path))["KeySet"] == "1"


def test_second_start_asks_and_no_leaves_everything_as_it_was(ctx):
    first = ctx.launch("pro")
    ctx.wait_panel("pro")
    cfg = os.path.join(first.folder, "quillpadpro.cfg")
    before = _config(cfg)
    second = ctx.launch("pro", folder=first.folder)
    ctx.d("waitexists 15000 Quillpad Pro")
    text = ctx.d("dialog Quillpad Pro")
    units = "".join(chr(int(u, 16)) for u in text.split())
    assert units == QUESTION, repr(units)
    time.sleep(0.5)  # let the box paint before the picture
    ctx.shot("question")
    ctx.d("answer 7 Quillpad Pro")
    assert second.wait_exit(20) == 0
    assert _config(cfg) == before
    assert first.running()
    _quit(ctx, first)


def test_keyset_switch_is_saved_and_quitting_writes_the_position(ctx):
    app = ctx.launch("pro", ["KEYSET=99"])
    _, _, title = ctx.wait_panel("pro")
    assert title == PRO_TITLE, title  # an unknown set shows set 1
    window = ctx.d(f"rect {PRO_TITLE}").split()
    _quit(ctx, app)
    keys = _keys(_config(os.path.join(app.folder, "quillpadpro.cfg")))
    assert keys["KeySet"] == "99"
    assert (int(keys["WinPosLeft"]), int(keys["WinPosTop"])) == (int(window[0]), int(window[1]))


def test_keyset_switch_in_hex_selects_the_set(ctx):
    app = ctx.launch("pro", ["keyset=$0C"])
    _, _, title = ctx.wait_panel("pro")
    assert title == "Quillpad Pro ~ Greek", title
    ctx.shot("greek")
    _quit(ctx, app)


def test_standard_edition_keeps_no_file(ctx):
    app = ctx.launch("std")
    ctx.wait_panel("std")
    time.sleep(0.3)
    ctx.d("post 1 Quillpad ~")
    assert app.wait_exit(20) == 0
    assert os.listdir(app.folder) == ["quillpad.exe"], os.listdir(app.folder)
    assert not os.path.exists(os.path.dirname(ctx.appdata_config()))
