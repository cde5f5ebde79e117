"""The Find window's figures for tools/bench.py: hotkey to first results (the first opening of a
run, which unpacks the character table and makes the window, and a second one), keystroke to the
redrawn list for the one-letter queries (the longest result lists), and the private memory the
open window adds to the panel's."""
import os
import time

PRO = "Quillpad Pro ~ "
MENU_QUIT = 1
VK_ESCAPE, VK_BACK = 0x1B, 0x08
HOTKEY_VK, HOTKEY_MODS = 0x7B, 2 | 4  # Ctrl+Shift+F12
HOTKEY = (HOTKEY_MODS << 16) | HOTKEY_VK
# The empty query lists these, so that the first opening has rows to draw.
RECENT = "3B1 E9 20AC"
LETTERS = "aeinrst"


def _median(values):
    values = sorted(values)
    n = len(values)
    return values[n // 2] if n % 2 else (values[n // 2 - 1] + values[n // 2]) / 2


def _fmt(us_values):
    v = [u / 1000.0 for u in us_values]
    return f"{_median(v):.1f} ms ({min(v):.1f}–{max(v):.1f})"


def measure(bench, memory_of, find_pid, panel_probes, place, runs):
    """Starts the Pro program `runs` + 1 times (the first start only warms the file cache)."""
    ctx, timer, env = bench.ctx, bench.timer, bench.env
    out = dict(first=[], again=[], keys={c: [] for c in LETTERS}, back=[], counts={}, mem_start=[], mem_open=[])
    bench.park_pointer()
    for run in range(runs + 1):
        folder = ctx.program_folder("pro")
        keys = {"KeySet": 1, "Dock": 0, "WinPosLeft": place[0], "WinPosTop": place[1], "AllowMultiRun": 1,
                "FindHotkey": HOTKEY, "FindRecent": RECENT}
        ctx.write_config(folder, ctx.config_lines(**keys))
        exe = env.windows_path(os.path.join(folder, "quillpadpro.exe"))
        time.sleep(0.5)
        timer.us(f"launch 30000 {panel_probes} {PRO}\t{exe}\t")
        time.sleep(1.0)
        pid = find_pid(exe)
        mem_start = memory_of(pid)
        first = timer.ok(f"findopen 10000 {HOTKEY_VK} {HOTKEY_MODS}").split()
        time.sleep(0.3)
        for c in LETTERS:
            t, _, count = timer.ok(f"findkey 5000 {ord(c.upper())}").split()
            back = timer.ok(f"findkey 5000 {VK_BACK}").split()
            if run > 0:
                out["keys"][c].append(int(t))
                out["back"].append(int(back[0]))
                out["counts"][c] = int(count)
        time.sleep(1.0)
        mem_open = memory_of(pid)
        ctx.d(f"key {VK_ESCAPE}")
        time.sleep(0.3)
        again = timer.ok(f"findopen 10000 {HOTKEY_VK} {HOTKEY_MODS}").split()
        ctx.d(f"key {VK_ESCAPE}")
        ctx.d(f"post {MENU_QUIT} {PRO}")
        timer.ok("waitexit 20000")
        if run > 0:
            out["first"].append(int(first[0]))
            out["again"].append(int(again[0]))
            out["mem_start"].append(mem_start)
            out["mem_open"].append(mem_open)
    return out


def rows(find, exe_sizes):
    """Markdown table rows in the report's columns (What, Measured, × baseline, Target, Result)."""
    def verdict(ok):
        return "met" if ok else "**missed**"

    out = []
    first_ms = _median(find["first"]) / 1000.0
    out.append(f"| Find: hotkey to first results shown, first opening of the run (table unpacked, window made) | "
               f"{_fmt(find['first'])} | | ≤ 100 ms | {verdict(first_ms <= 100)} |")
    out.append(f"| Find: hotkey to first results shown, opened again | {_fmt(find['again'])} | | ≤ 100 ms | "
               f"{verdict(_median(find['again']) / 1000.0 <= 100)} |")
    worst = max(LETTERS, key=lambda c: _median(find["keys"][c]))
    worst_ms = _median(find["keys"][worst]) / 1000.0
    out.append(f"| Find: keystroke to list redrawn, worst one-letter query (\"{worst}\", "
               f"{find['counts'][worst]} results kept) | {_fmt(find['keys'][worst])} | | ≤ 10 ms | "
               f"{verdict(worst_ms <= 10)} |")
    every = [t for c in LETTERS for t in find["keys"][c]]
    out.append(f"| Find: keystroke to list redrawn, all one-letter queries ({', '.join(LETTERS)}) | {_fmt(every)} | | | |")
    out.append(f"| Find: Backspace back to the empty query (pinned and recent) | {_fmt(find['back'])} | | | |")

    def mib(samples):
        return _median([m["Private"] for m in samples]) / 1024.0

    start, opened = mib(find["mem_start"]), mib(find["mem_open"])
    out.append(f"| Memory¹, Quillpad Pro after start, Find never opened (median of {len(find['mem_start'])}) | "
               f"{start:.2f} MiB private | | unchanged | |")
    out.append(f"| Memory¹, Find open after the one-letter queries, added to the panel's | "
               f"+{opened - start:.2f} MiB private ({opened:.2f} MiB) | | ≤ 4 MiB | {verdict(opened - start <= 4)} |")
    for label, size in exe_sizes:
        out.append(f"| Size of {label} | {size} bytes | | < 1.5 MB (1 500 000 bytes) | {verdict(size < 1500000)} |")
    return out
