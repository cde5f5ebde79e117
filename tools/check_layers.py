#!/usr/bin/env python3
"""Checks that every include under src/ points down the layers (docs/ARCHITECTURE.md).

    base  <-  output  <-  keysets  <-  shell, find  <-  settings, access, dpi  <-  control  <-  platform, *_win.*

A file may include its own area and the areas it is allowed to lean on below; the Windows layer
(src/platform/ and every file named *_win.cpp or *_win.h, wherever it stands) may include
anything. Only the Windows layer may include <windows.h>. Prints each offending line and exits 1;
prints "layers: ok (N files)" and exits 0 when there is none.
"""
import pathlib
import re
import sys

# Area -> the areas its files may include besides their own.
ALLOWED = {
    "base": set(),
    "output": {"base"},
    "keysets": {"base", "output"},
    "shell": {"base", "output", "keysets"},
    "access": {"base", "output", "keysets", "shell"},
    "dpi": {"base", "output", "keysets", "shell"},
    "settings": {"base", "output", "keysets", "shell", "find"},
    "find": {"base", "output", "keysets"},
    "control": {"base", "output", "keysets", "shell", "settings", "find", "access", "dpi"},
}
WINDOWS_LAYER = "platform"

QUOTED = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
WINDOWS_H = re.compile(r"^\s*#\s*include\s+<windows\.h>", re.IGNORECASE)


def is_windows_layer(path: pathlib.Path, area: str) -> bool:
    return area == WINDOWS_LAYER or path.stem.endswith("_win")


def check(src: pathlib.Path) -> tuple[list[str], int]:
    problems = []
    files = sorted(p for p in src.rglob("*") if p.suffix in (".h", ".cpp"))
    for path in files:
        rel = path.relative_to(src)
        if len(rel.parts) < 2:
            problems.append(f"{rel}: a source file outside the areas")
            continue
        area = rel.parts[0]
        windows = is_windows_layer(path, area)
        if not windows and area not in ALLOWED:
            problems.append(f"{rel}: area '{area}' is in no layer")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            if WINDOWS_H.match(line) and not windows:
                problems.append(f"{rel}:{number}: <windows.h> outside the Windows layer")
            m = QUOTED.match(line)
            if not m or windows:
                continue
            target = m.group(1)
            parts = target.split("/")
            if len(parts) < 2:
                problems.append(f"{rel}:{number}: \"{target}\" names no area")
                continue
            to = parts[0]
            if pathlib.PurePath(target).stem.endswith("_win") or to == WINDOWS_LAYER:
                problems.append(f"{rel}:{number}: includes the Windows layer's \"{target}\"")
            elif to != area and to not in ALLOWED[area]:
                problems.append(f"{rel}:{number}: {area} includes \"{target}\" of a higher or parallel layer")
    return problems, len(files)


def main() -> int:
    root = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent
    problems, count = check(root / "src")
    for p in problems:
        print(f"layers: {p}")
    if problems:
        print(f"layers: FAILED ({len(problems)} includes point up)")
        return 1
    print(f"layers: ok ({count} files)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
