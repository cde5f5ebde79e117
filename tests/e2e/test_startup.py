"""Start, find, photograph and quit each edition."""

QUIT = 1  # the pop-up menu's quit item


def _start_and_quit(ctx, edition, title):
    app = ctx.launch(edition)
    window, client, shown_title = ctx.wait_panel(edition, relaunch=False)
    assert shown_title == title, f"title {shown_title!r}"
    width, height = client[2] - client[0], client[3] - client[1]
    assert (width, height) == (502, 150), f"client size {width}x{height}"
    ctx.shot(f"{edition}-started")
    ctx.d(f"post {QUIT} {title}")
    assert app.wait_exit(20) == 0


def test_pro_starts_with_its_title_and_quits_cleanly(ctx):
    _start_and_quit(ctx, "pro", "Quillpad Pro ~ Latin - Western Europe")


def test_standard_starts_with_its_title_and_quits_cleanly(ctx):
    _start_and_quit(ctx, "std", "Quillpad ~ Latin - Western Europe")
