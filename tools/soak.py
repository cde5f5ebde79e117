#!/usr/bin/python3
"""Long-run soak of Quillpad Pro under Wine: thousands of key clicks typed into a target program
and hundreds of key-set changes through the settings window, while the program's GDI objects,
USER objects and private memory are sampled from outside.

Usage: tools/soak.py [--clicks N] [--switches M] [--out DIR]
The programs come from $QP_BUILD_ROOT (default build/): pro-x64 (quillpadpro.exe, the driver and
the target). The Wine prefix and server are those of $QP_E2E_WORK (default <out>/wine), on a
private Xvfb. Writes <out>/soak.csv (one row per sample) and <out>/summary.md, and prints the
figures and one line "soak: PASS ..." or "soak: FAIL ...".

How it goes, all as a user would: the panel starts with set 1, output "character", light
colours and the "more" block hidden. Each key-set change opens the settings window with the
pop-up menu's "Select Key Set" command (posted to the panel, as the menu does), picks the next
set on "Key Sets", flips "dark keyboard panel" on "General", picks the next output form on
"Output" and closes with "done"; every third change also toggles the "more" block with the
panel's own button. Between changes the clicks are
spread over the shown keys (and the "more" keys while shown), each checked against the UTF-16
units the target received. The first 42 changes are the warm-up: every set is clicked in both
colour schemes, with the "more" block shown and hidden, in all twelve output forms. The state
after it is the start's (set 1, light, "more" hidden), and the last change returns there, so that
start, warm-up and end are compared like for like.
"""
import argparse
import csv
import math
import os
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

import keyset_entities  # noqa: E402
import keyset_source  # noqa: E402
import qpwine  # noqa: E402
import e2e_context  # noqa: E402
from e2e_context import Context, parse_rect_reply, prepare_tools  # noqa: E402

PRO = "Quillpad Pro ~ "
SETTINGS = "Quillpad ~ Settings"
TARGET = "Soak Target"
MENU_QUIT, MENU_KEY_SETS = 1, 5
TABS, DONE, DARK_BOX, MORE_BUTTON, TITLE_STRIP = 1068, 1031, 1011, 1032, 1004
KEY_SET_OPTION, OUTPUT_OPTION = 1034, 1055  # + set number, + output mode
TAB_GENERAL, TAB_OUTPUT = 0, 2
BM_GETCHECK = 0xF0
VK_ESCAPE = 27
SET_COUNT, MODE_COUNT = 21, 12
RUNIC, ESPERANTO, PHONETIC = 17, 7, 18
# Changes until every set has had its clicks in both colour schemes: the scheme flips at every
# change and 21 is odd, so the second round of sets meets each in the other scheme.
WARM_UP = 2 * SET_COUNT
# Keys whose size differs from the common square, by set: Esperanto's wide DZ and the taller
# combining marks of the phonetic set (Ogham's keys are all wide). The panel keeps one drawn
# background per key size, face and scheme; the warm-up clicks one of each, so that every
# background exists after it.
ODD_SIZED_KEYS = {ESPERANTO: lambda pos, cp: cp == 0x01F1, PHONETIC: lambda pos, cp: pos >= 134}
PANEL_PLACE = (720, 850)   # the panel (set 1); taller sets grow it upwards, the settings window opens left of it
TARGET_PLACE = (40, 40)

# Pass limits, from the sample after the warm-up to every later sample (see docs/ROBUSTNESS.md).
LIMIT_GDI = 8              # GDI objects
LIMIT_WINDOWS = 0          # windows
LIMIT_MENUS = 0            # menus
LIMIT_PRIVATE_KB = 2048    # private resident memory, KiB
RESPOND_TIMEOUT_MS = 5000

# Type bytes of the entries of Wine's GDI handle table.
GDI_TYPES = {0x01: "dc", 0x41: "memdc", 0x04: "region", 0x05: "surface", 0x09: "bitmap", 0x0A: "font",
             0x10: "brush", 0x30: "pen", 0x50: "extpen", 0x08: "palette"}


# ---- what each click must type -----------------------------------------------------------
def utf16_units(text):
    data = text.encode("utf-16-le")
    return [data[i] | (data[i + 1] << 8) for i in range(0, len(data), 2)]


def expected_text(cp, mode, entity):
    """The text a key types in an output mode, written out from the forms' definitions."""
    h = f"{cp:X}"
    if mode == 2:
        return f"&{entity};" if entity else f"&#{cp};"
    if mode == 3:
        return f"&#{cp};"
    if mode == 4:
        return f"&#x{h};"
    if mode == 5:
        return "U+" + h.rjust(4, "0")
    if mode == 6:
        return "".join(f"\\u{u:04X}" for u in utf16_units(chr(cp)))
    if mode == 7:
        return "\\U" + h.rjust(8, "0")
    if mode == 8:
        return "".join(f"%{b:02X}" for b in chr(cp).encode("utf-8"))
    if mode == 9:
        return str(cp)
    if mode == 10:
        return "0x" + h
    if mode == 11:
        return "$" + h
    if mode == 12:
        return "&H" + h
    return chr(cp)


def catalogue():
    """Keys of every set and of the "more" block: [(position, code point, entity name)]."""
    sets = {}
    for n in range(1, SET_COUNT + 1):
        sets[n] = [(pos, cp, keyset_entities.key_entity_name(n, pos, cp))
                   for pos, cp in enumerate(keyset_source.set_code_points(n), start=1) if cp > 0]
    more = [(pos, cp, keyset_entities.key_entity_name(0, pos, cp))
            for pos, cp in enumerate(keyset_source.more_block(), start=1) if cp > 0]
    return sets, more


def panel_title(n):
    return PRO + keyset_source.set_name(n) + (" (All)" if n == RUNIC else "")


# ---- the plan ------------------------------------------------------------------------------
class State:
    def __init__(self, key_set=1, mode=1, dark=0, more=0):
        self.key_set, self.mode, self.dark, self.more = key_set, mode, dark, more

    def copy(self):
        return State(self.key_set, self.mode, self.dark, self.more)

    def same_place(self, other):
        return (self.key_set, self.dark, self.more) == (other.key_set, other.dark, other.more)

    def __repr__(self):
        return f"set {self.key_set}, mode {self.mode}, {'dark' if self.dark else 'light'}, " \
               f"more {'shown' if self.more else 'hidden'}"


def plan_changes(switches):
    """[(State after change i)] for i = 1..switches. Change i shows set i mod 21 + 1, flips the
    colour scheme, uses output form (k + c) mod 12 + 1 for k = i mod 21 and cycle c = i div 21
    (so twelve cycles meet every set with every form), and toggles the "more" block when i is a
    multiple of 3. The last change goes back to the state after the warm-up."""
    states, s = [], State()
    for i in range(1, switches + 1):
        k, c = i % SET_COUNT, i // SET_COUNT
        s = State(k + 1, (k + c) % MODE_COUNT + 1, 1 - s.dark, 1 - s.more if i % 3 == 0 else s.more)
        states.append(s)
    reference = states[WARM_UP - 1]
    last = states[-1]
    if len(states) > WARM_UP:
        before = states[-2]
        if before.key_set == reference.key_set:
            states[-2] = State(2 if reference.key_set == 1 else 1, before.mode, before.dark, before.more)
        states[-1] = State(reference.key_set, last.mode, reference.dark, reference.more)
    return states


def spread(total, parts):
    """Splits `total` clicks over `parts` segments as evenly as whole numbers go."""
    return [(j + 1) * total // parts - j * total // parts for j in range(parts)]


def stride_for(n):
    """A step through n keys that visits them all, but not in grid order."""
    for step in (7, 11, 13, 17, 19, 23):
        if math.gcd(step, n) == 1:
            return step
    return 1


# ---- looking at the program from outside ---------------------------------------------------
def linux_memory(pid):
    """Private resident memory (smaps_rollup Private_Clean + Private_Dirty) and RssAnon, KiB."""
    fields = {}
    with open(f"/proc/{pid}/smaps_rollup") as f:
        for line in f:
            parts = line.split()
            if len(parts) >= 2 and parts[0].endswith(":"):
                fields[parts[0][:-1]] = parts[1]
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("RssAnon:"):
                fields["RssAnon"] = line.split()[1]
    clean, dirty = int(fields["Private_Clean"]), int(fields["Private_Dirty"])
    return {"private_kb": clean + dirty, "private_clean_kb": clean, "private_dirty_kb": dirty,
            "rss_anon_kb": int(fields["RssAnon"])}


def parse_objects(reply):
    v = dict(part.split("=", 1) for part in reply.split())
    row = {"gdi": int(v["gdi"]), "gdi_stock": int(v["stock"]), "gdi_used": int(v["used"]),
           "windows": int(v["windows"]), "top": int(v["top"]), "child": int(v["child"]),
           "msgonly": int(v["msgonly"]), "menus": int(v["menus"]), "popup": int(v["popup"])}
    for name in GDI_TYPES.values():
        row["gdi_" + name] = 0
    row["gdi_other"] = 0
    if v["types"] != "-":
        for item in v["types"].split(","):
            t, n = item.split(":")
            name = GDI_TYPES.get(int(t, 16))
            row["gdi_" + name if name else "gdi_other"] += int(n)
    return row


COLUMNS = ["label", "change", "clicks", "elapsed_s", "set", "mode", "dark", "more", "gdi", "gdi_stock",
           "gdi_dc", "gdi_memdc", "gdi_region", "gdi_surface", "gdi_bitmap", "gdi_font", "gdi_brush", "gdi_pen",
           "gdi_extpen", "gdi_palette", "gdi_other", "gdi_used", "windows", "top", "child", "msgonly", "menus",
           "popup", "private_kb", "private_clean_kb", "private_dirty_kb", "rss_anon_kb", "responds_ms"]


class TargetLog:
    """The units qptarget.exe has logged, read on from where the last read stopped."""

    def __init__(self, path):
        self.path = path
        self.offset = 0
        self.pending = b""
        self.units = []

    def read(self):
        if os.path.exists(self.path):
            with open(self.path, "rb") as f:
                f.seek(self.offset)
                data = f.read()
            self.offset += len(data)
            data = self.pending + data
            lines = data.split(b"\n")
            self.pending = lines.pop()
            self.units.extend(int(line, 16) for line in lines if line.strip())
        return self.units

    def wait_for(self, count, timeout):
        deadline = time.time() + timeout
        while len(self.read()) < count and time.time() < deadline:
            time.sleep(0.02)
        time.sleep(0.15)  # anything extra would arrive now
        return self.read()


class Soak:
    def __init__(self, ctx, out, clicks, switches):
        self.ctx = ctx
        self.out = out
        self.clicks = clicks
        self.switches = switches
        self.sets, self.more_keys = catalogue()
        self.cursor = {n: 0 for n in range(0, SET_COUNT + 1)}
        self.state = State()
        self.app = None
        self.target = None
        self.log = None
        self.expected = []          # every unit the target should have received, in order
        self.verified_to = 0        # units of self.expected compared so far
        self.clicks_done = 0
        self.run_clicks = 0
        self.clicks_ok = 0
        self.failures = []
        self.rows = []
        self.started = time.time()
        self.last_text = None
        self.csv_file = None
        self.csv = None

    # ---- driver helpers ----
    def d(self, line, timeout=30.0):
        return self.ctx.d(line, timeout)

    def control_point(self, control_id, dx=6):
        return self.ctx.control_point(control_id, SETTINGS, dx=dx)

    def checked(self, control_id):
        return self.ctx.control_message(control_id, BM_GETCHECK, 0, 0, SETTINGS) == 1

    def wait(self, what, test, timeout=10.0):
        deadline = time.time() + timeout
        while not test():
            if time.time() > deadline:
                raise AssertionError(f"timed out waiting for {what}")
            time.sleep(0.03)

    def panel_client(self):
        return parse_rect_reply(self.d(f"waitprefix 10000 {PRO}"))[1]

    # ---- start ----
    def start(self):
        ctx = self.ctx
        self.target = ctx.start_target(TARGET, *TARGET_PLACE)
        self.log = TargetLog(self.target.log)
        folder = ctx.program_folder("pro")
        ctx.write_config(folder, ctx.config_lines(KeySet=1, OutStyle=1, Dark=0, Dock=0, AllowMultiRun=0,
                                                  NamedTarget=0, AlwaysOnTop=0, ConfPanel=1,
                                                  WinPosLeft=PANEL_PLACE[0], WinPosTop=PANEL_PLACE[1]))
        self.app = ctx.launch("pro", folder=folder)
        ctx.wait_panel("pro")
        self.d(f"wait 10000 {panel_title(1)}")
        self.focus_target()

    def focus_target(self):
        """Brings the target forward by a click on its caption, as a user would."""
        window = parse_rect_reply(self.d(f"wait 10000 {TARGET}"))[0]
        for _ in range(5):
            self.ctx.click(((window[0] + window[2]) // 2, window[1] + 8))
            if self.d("foreground") == TARGET:
                return
            time.sleep(0.2)
        raise AssertionError("the target would not come to the foreground")

    # ---- sampling ----
    def sample(self, label, change, with_popup=False):
        if with_popup:
            # The pop-up menu is counted while it is shown; it takes the foreground, so the
            # target gets it back afterwards.
            x, y = self.ctx.element_point(TITLE_STRIP)
            self.ctx.click((x - 150, y), "rclick")
            self.d("waitclass 5000 #32768")
        row = {"label": label, "change": change, "clicks": self.clicks_done,
               "elapsed_s": round(time.time() - self.started, 1), "set": self.state.key_set,
               "mode": self.state.mode, "dark": self.state.dark, "more": self.state.more}
        if self.last_text is not None and self.ctx.clipboard_units() != utf16_units(self.last_text):
            self.failures.append(f"at sample {label} {change} the clipboard did not hold the last click's "
                                 f"text {self.last_text!r}")
        row.update(parse_objects(self.d(f"objects {PRO}")))
        row.update(linux_memory(self.app.proc.pid))
        reply = self.ctx.driver.cmd(f"responds {RESPOND_TIMEOUT_MS} {PRO}", timeout=RESPOND_TIMEOUT_MS / 1000 + 10)
        row["responds_ms"] = float(reply[3:]) if reply.startswith("ok") else -1
        if with_popup:
            self.d(f"key {VK_ESCAPE}")
            self.wait("the pop-up menu to close", lambda: self.ctx.driver.cmd("waitclass 0 #32768").startswith("err"))
            self.focus_target()
        self.rows.append(row)
        self.csv.writerow(row)
        self.csv_file.flush()
        return row

    # ---- clicks ----
    def click_keys(self, count, warm_up=False):
        """Clicks `count` keys of the shown set (every fourth on the "more" block while shown),
        then checks that the target received exactly the expected units. In the warm-up the
        first click goes to a key of another size, where the set has one."""
        keys = self.sets[self.state.key_set]
        compact = 1 if self.state.key_set == ESPERANTO and not self.state.more else 0
        first_click = self.clicks_done
        start_units = len(self.expected)
        odd = self.odd_sized_key(keys) if warm_up else None
        for j in range(count):
            if odd and j == 0:
                pos, cp, entity = odd
                point = self.ctx.key_point(self.state.key_set, pos, compact=compact)
            elif self.state.more and j % 4 == 3:
                pos, cp, entity = self.next_key(0, self.more_keys)
                point = self.ctx.more_point(pos)
            else:
                pos, cp, entity = self.next_key(self.state.key_set, keys)
                point = self.ctx.key_point(self.state.key_set, pos, compact=compact)
            self.ctx.click(point)
            text = expected_text(cp, self.state.mode, entity)
            self.expected.extend(utf16_units(text))
            self.last_text = text
            self.clicks_done += 1
        self.check_segment(first_click, count, start_units)

    def odd_sized_key(self, keys):
        odd = ODD_SIZED_KEYS.get(self.state.key_set)
        return next(k for k in keys if odd(k[0], k[1])) if odd else None

    def next_key(self, which, keys):
        i = self.cursor[which]
        self.cursor[which] = (i + stride_for(len(keys))) % len(keys)
        return keys[i]

    def check_segment(self, first_click, count, start_units):
        want = self.expected[start_units:]
        got_all = self.log.wait_for(len(self.expected), timeout=10.0)
        got = got_all[self.verified_to:]
        if got == want:
            self.clicks_ok += count
        else:
            self.failures.append(
                f"clicks {first_click + 1}..{first_click + count} ({self.state}): expected "
                f"{''.join(map(chr, want))[:80]!r}, received {''.join(map(chr, got))[:80]!r}")
            # Carry on from what has arrived, so one bad segment does not spoil the rest.
            self.expected = self.expected[:start_units] + got
        self.verified_to = len(self.expected)
        if self.d("foreground") != TARGET:
            self.failures.append(f"after click {first_click + count} the target had lost the foreground")
            self.focus_target()

    # ---- key-set changes ----
    def change(self, new):
        ctx = self.ctx
        self.d(f"post {MENU_KEY_SETS} {PRO}")
        self.d(f"wait 10000 {SETTINGS}")
        option = KEY_SET_OPTION + new.key_set
        self.wait("the Key Sets page", lambda: ctx.control_rect(option, SETTINGS)[1])
        ctx.click(self.control_point(option))
        self.d(f"wait 15000 {panel_title(new.key_set)}", timeout=25)
        if new.dark != self.state.dark:
            ctx.click(ctx.tab_point(TABS, TAB_GENERAL, SETTINGS))
            self.wait("the General page", lambda: ctx.control_rect(DARK_BOX, SETTINGS)[1])
            ctx.click(self.control_point(DARK_BOX))
            self.wait("the dark box to change", lambda: self.checked(DARK_BOX) == bool(new.dark))
        if new.mode != self.state.mode:
            option = OUTPUT_OPTION + new.mode
            ctx.click(ctx.tab_point(TABS, TAB_OUTPUT, SETTINGS))
            self.wait("the Output page", lambda: ctx.control_rect(option, SETTINGS)[1])
            ctx.click(self.control_point(option))
            self.wait("the output option", lambda: self.checked(option))
        ctx.click(self.control_point(DONE, dx=None))
        self.d(f"gone 10000 {SETTINGS}")
        saved = read_config(os.path.join(self.app.folder, "quillpadpro.cfg"))
        want = {"KeySet": str(new.key_set), "OutStyle": str(new.mode), "Dark": str(new.dark)}
        got = {k: saved.get(k) for k in want}
        if got != want:
            raise AssertionError(f"the settings window saved {got}, not {want}")
        if new.more != self.state.more:
            before = self.panel_client()
            ctx.click(ctx.element_point(MORE_BUTTON))
            self.wait("the panel to resize for the more block", lambda: self.panel_client() != before)
        self.state = new.copy()
        self.d(f"wait 10000 {panel_title(new.key_set)}")
        self.focus_target()

    # ---- the whole run ----
    def run(self):
        os.makedirs(self.out, exist_ok=True)
        csv_path = os.path.join(self.out, "soak.csv")
        self.csv_file = open(csv_path, "w", newline="")
        self.csv = csv.DictWriter(self.csv_file, fieldnames=COLUMNS, extrasaction="ignore")
        self.csv.writeheader()
        try:
            self.start()
            self.started = time.time()
            start = self.sample("start", 0, with_popup=True)
            plan = plan_changes(self.switches)
            per_segment = spread(self.clicks, self.switches + 1)
            self.click_keys(per_segment[0], warm_up=True)
            warm = None
            warm_periodic = None
            for i, new in enumerate(plan, start=1):
                self.change(new)
                row = self.sample("change", i)
                if i == WARM_UP:
                    warm_periodic = row
                self.click_keys(per_segment[i], warm_up=i <= WARM_UP)
                if i == WARM_UP:
                    warm = self.sample("warm-up", i, with_popup=True)
                if i % 25 == 0:
                    print(f"soak: change {i}/{self.switches}, {self.clicks_done} clicks, "
                          f"{time.time() - self.started:.0f}s, gdi {row['gdi']}, windows {row['windows']}, "
                          f"private {row['private_kb']} KiB", flush=True)
            end = self.sample("end", self.switches, with_popup=True)
            reference = plan[WARM_UP - 1]
            if not self.state.same_place(reference):
                self.failures.append(f"the run ended at {self.state}, not at the warm-up's {reference}")
            # Still answering: a message round trip (in the sample) and one more click.
            responds = end["responds_ms"]
            self.run_clicks = self.clicks_done
            before = self.clicks_ok
            self.click_keys(1)
            extra_click_ok = self.clicks_ok == before + 1
            self.d(f"post {MENU_QUIT} {PRO}")
            exit_code = self.app.wait_exit(30)
            elapsed = time.time() - self.started
            return self.report(start, warm, warm_periodic, end, responds, extra_click_ok, exit_code, elapsed)
        finally:
            self.csv_file.close()

    def report(self, start, warm, warm_periodic, end, responds, extra_click_ok, exit_code, elapsed):
        checks = []

        def check(ok, text):
            checks.append((ok, text))

        after = [r for r in self.rows if r["label"] == "change" and r["change"] > WARM_UP]
        check(self.clicks_ok == self.clicks_done and not self.failures,
              f"every click delivered exactly: {self.clicks_ok} of {self.clicks_done} clicks, "
              f"{len(self.expected)} UTF-16 units")
        for key, limit, unit in (("gdi", LIMIT_GDI, "GDI objects"), ("windows", LIMIT_WINDOWS, "windows"),
                                 ("menus", LIMIT_MENUS, "menus"), ("private_kb", LIMIT_PRIVATE_KB, "KiB private")):
            grow = end[key] - warm[key]
            check(grow <= limit, f"{unit}: end - warm-up = {grow:+d} (limit {limit:+d})")
            if after:
                peak = max(r[key] for r in after)
                check(peak - warm_periodic[key] <= limit,
                      f"{unit}: highest sample after the warm-up - sample at the warm-up = "
                      f"{peak - warm_periodic[key]:+d} (limit {limit:+d})")
        check(responds >= 0, f"answers a message round trip (WM_NULL): "
                             f"{'%.1f ms' % responds if responds >= 0 else 'no answer in 5 s'}")
        check(extra_click_ok, "one more click after the end sample is delivered")
        check(exit_code == 0, f"quits from its menu with exit code {exit_code}")
        passed = all(ok for ok, _ in checks)
        summary = self.markdown(start, warm, end, checks, passed, elapsed)
        with open(os.path.join(self.out, "summary.md"), "w") as f:
            f.write(summary)
        print(summary)
        for failure in self.failures[:20]:
            print("soak: failure: " + failure)
        verdict = "PASS" if passed else "FAIL"
        print(f"soak: {verdict}: {self.clicks_done} clicks, {self.switches} key-set changes in {elapsed / 60:.1f} min; "
              f"GDI {start['gdi']}/{warm['gdi']}/{end['gdi']}, windows {start['windows']}/{warm['windows']}/"
              f"{end['windows']}, private {start['private_kb']}/{warm['private_kb']}/{end['private_kb']} KiB "
              f"(start/warm-up/end)")
        return passed

    def markdown(self, start, warm, end, checks, passed, elapsed):
        lines = [
            "# Soak run", "",
            f"- {self.clicks_done} key clicks ({self.run_clicks} in the run and one after the end sample), "
            f"{self.switches} key-set changes through the settings window, run time {elapsed / 60:.1f} min "
            f"({elapsed:.0f} s, from the first sample to the program's exit).",
            f"- {len(self.expected)} UTF-16 units typed into the target; {self.clicks_ok} clicks checked "
            f"unit for unit.",
            f"- Verdict: **{'PASS' if passed else 'FAIL'}**.", "",
            "| Figure | start | after warm-up | end | end - warm-up |",
            "|---|---|---|---|---|",
        ]
        figures = [("GDI objects (live entries of the GDI handle table)", "gdi"),
                   ("of which stock objects", "gdi_stock"),
                   ("window device contexts", "gdi_dc"), ("memory device contexts", "gdi_memdc"),
                   ("type 5 entries (one with each window device context)", "gdi_surface"),
                   ("regions", "gdi_region"), ("bitmaps", "gdi_bitmap"), ("fonts", "gdi_font"),
                   ("brushes", "gdi_brush"), ("pens", "gdi_pen"), ("palettes", "gdi_palette"),
                   ("other types", "gdi_other"),
                   ("GDI handle table slots ever used", "gdi_used"),
                   ("USER: windows (top-level, child, message-only)", "windows"),
                   ("USER: menus (window menus and the shown pop-up)", "menus"),
                   ("private resident memory, KiB (Private_Clean + Private_Dirty)", "private_kb"),
                   ("RssAnon, KiB", "rss_anon_kb"), ("WM_NULL round trip, ms", "responds_ms")]
        for name, key in figures:
            vals = [r[key] for r in (start, warm, end)]
            diff = vals[2] - vals[1]
            fmt = (lambda v: f"{v:.1f}") if key == "responds_ms" else str
            lines.append(f"| {name} | {fmt(vals[0])} | {fmt(vals[1])} | {fmt(vals[2])} | "
                         f"{('%+.1f' % diff) if key == 'responds_ms' else ('%+d' % diff)} |")
        lines += ["", "The start, warm-up and end samples are taken with the settings window closed and the "
                  "pop-up menu shown (so that it is counted), the warm-up and end samples in the same state: "
                  f"{plan_changes(self.switches)[WARM_UP - 1]}.", "", "Checks:", ""]
        lines += [f"- {'pass' if ok else 'FAIL'}: {text}" for ok, text in checks]
        if self.failures:
            lines += ["", "Failures:", ""] + [f"- {f}" for f in self.failures[:50]]
        return "\n".join(lines) + "\n"


def read_config(path):
    with open(path, "rb") as f:
        text = f.read().decode("utf-8-sig")
    keys = {}
    for line in text.split("\r\n"):
        if "=" in line:
            k, v = line.split("=", 1)
            keys.setdefault(k.strip(), v.strip())
    return keys


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--clicks", type=int, default=5000)
    ap.add_argument("--switches", type=int, default=300)
    ap.add_argument("--out", default=os.path.join(e2e_context.BUILD, "soak"))
    args = ap.parse_args()
    if args.switches < WARM_UP + 2:
        ap.error(f"--switches must be at least {WARM_UP + 2}: the {WARM_UP} changes of the warm-up, "
                 "one after it and the way back")
    if args.clicks < args.switches + 1:
        ap.error("--clicks must be at least --switches + 1 (some clicks between every two changes)")
    out = os.path.abspath(args.out)
    os.makedirs(out, exist_ok=True)
    env = qpwine.WineEnv(work=os.environ.get("QP_E2E_WORK") or os.path.join(out, "wine"))
    passed = False
    try:
        env.start_xvfb()
        made = env.ensure_prefix()
        print(f"soak: Wine prefix {'created' if made else 'reused'} in {env.prefix}, display {env.display}; "
              f"{args.clicks} clicks, {args.switches} key-set changes", flush=True)
        env.start_wineserver()
        tools = prepare_tools(env)
        ctx = Context(env, tools, "soak")
        try:
            passed = Soak(ctx, out, args.clicks, args.switches).run()
        except Exception as e:  # the run stops; what it has measured so far is in the CSV
            print(f"soak: FAIL: the run stopped: {e}", flush=True)
            try:
                ctx.shot("failure")
            except Exception:
                pass
        finally:
            ctx.cleanup()
    finally:
        env.close()
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main())
