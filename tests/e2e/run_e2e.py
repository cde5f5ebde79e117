#!/usr/bin/python3
"""Runs the end-to-end scenarios under Wine on a private Xvfb and prints 'N passed, N failed'.

Usage: tests/e2e/run_e2e.py [-k SUBSTRING] [--list] [--no-rerun]
Each scenario is a function test_*(ctx) in tests/e2e/test_*.py. Screenshots and other
artifacts go to build/e2e/artifacts/<scenario>/ (or $QP_E2E_WORK/artifacts when that is set:
a separate work folder has its own Wine prefix and server, so two runs do not meet).
"""
import argparse
import glob
import importlib.util
import os
import sys
import time
import traceback

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools"))
sys.path.insert(0, HERE)

import qpwine  # noqa: E402
from e2e_context import Context, Skip, prepare_tools  # noqa: E402


def discover(pattern):
    tests = []
    for path in sorted(glob.glob(os.path.join(HERE, "test_*.py"))):
        name = os.path.splitext(os.path.basename(path))[0]
        spec = importlib.util.spec_from_file_location(name, path)
        mod = importlib.util.module_from_spec(spec)
        spec.loader.exec_module(mod)
        for attr in dir(mod):
            fn = getattr(mod, attr)
            if attr.startswith("test_") and callable(fn):
                full = f"{name}.{attr}"
                if not pattern or pattern in full:
                    tests.append((full, fn, fn.__code__.co_firstlineno))
    tests.sort(key=lambda t: (t[0].split(".")[0], t[2]))
    return [(n, f) for n, f, _ in tests]


# A scenario that fails is run once more at the end, when few failed: Wine under load now and
# then loses a pointer move or a window's start. The log names each one and its first failure;
# a program fault that shows every time still fails, and many failures are not run again.
RERUN_AT_MOST = 2


def run_one(env, tools, name, fn, relaunches):
    """Runs one scenario, prints its line and returns 'pass', 'skip' or the failure."""
    ctx = Context(env, tools, name)
    t = time.time()
    try:
        fn(ctx)
        ctx.shot("end")  # every scenario leaves at least this picture
        print(f"PASS {name} ({time.time() - t:.1f}s)", flush=True)
        return "pass"
    except Skip as e:
        print(f"SKIP {name} ({time.time() - t:.1f}s): {e}", flush=True)
        return "skip"
    except Exception as e:  # a failing scenario must not stop the others
        print(f"FAIL {name} ({time.time() - t:.1f}s): {e}", flush=True)
        tb = traceback.format_exc().strip().splitlines()
        print("    " + "\n    ".join(tb[-6:]), flush=True)
        try:
            ctx.shot("failure")
        except Exception:
            pass
        return f"{e}"[:300] or type(e).__name__
    finally:
        relaunches += ctx.relaunches
        ctx.cleanup()


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("-k", dest="pattern", default="")
    ap.add_argument("--list", action="store_true")
    ap.add_argument("--no-rerun", action="store_true", help="count a first failure as final")
    args = ap.parse_args()
    tests = discover(args.pattern)
    if args.list:
        for name, _ in tests:
            print(name)
        return 0
    env = qpwine.WineEnv()
    results, relaunches, second = {}, [], []
    started = time.time()
    try:
        env.start_xvfb()
        t0 = time.time()
        made = env.ensure_prefix()
        print(f"e2e: Wine prefix {'created' if made else 'reused'} ({time.time() - t0:.1f}s), display {env.display}",
              flush=True)
        env.start_wineserver()
        tools = prepare_tools(env)
        for name, fn in tests:
            results[name] = run_one(env, tools, name, fn, relaunches)
        failed = [(n, f) for n, f in tests if results[n] not in ("pass", "skip")]
        if failed and len(failed) <= RERUN_AT_MOST and not args.no_rerun:
            for name, fn in failed:
                print(f"e2e: running {name} again", flush=True)
                first = results[name]
                results[name] = run_one(env, tools, name, fn, relaunches)
                if results[name] == "pass":
                    second.append(f"{name}; its first run failed: {first}")
    except Exception as e:
        print(f"e2e: harness failed: {e}", flush=True)
        results["harness"] = str(e)
    finally:
        env.close()
    passed = sum(r == "pass" for r in results.values())
    skipped = sum(r == "skip" for r in results.values())
    failed = len(results) - passed - skipped
    print(f"e2e: finished in {time.time() - started:.0f}s; artifacts in {os.path.join(env.work, 'artifacts')}")
    for line in relaunches:
        print(f"e2e: started twice, {line}")
    for line in second:
        print(f"e2e: passed on its second run, {line}")
    print(f"e2e: {passed} passed, {failed} failed" + (f", {skipped} skipped" if skipped else "") +
          (f", {len(relaunches)} program start(s) repeated" if relaunches else "") +
          (f", {len(second)} passed on a second run" if second else ""))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
