#!/usr/bin/env python3
"""Runs the end-to-end scenarios against a built game.

    run.py [--build build] [--asan-build build-asan] [--keep] [-k WORD ...]

Each scenario prints PASS, FAIL (with the step and the game's output) or
SKIP (with the reason); the run ends with one line "N passed, N failed,
N skipped" and exits non-zero when anything failed."""

import argparse
import os
import shutil
import signal
import sys
import time
import traceback

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True  # leave no caches in the source tree

import driver  # noqa: E402
import suite  # noqa: E402

# The scenarios register in this order, which is the order they run in.
import scenarios_startup  # noqa: E402,F401,I100
import scenarios_play  # noqa: E402,F401,I100
import scenarios_campaign  # noqa: E402,F401,I100
import scenarios_corpus  # noqa: E402,F401,I100
import scenarios_memory  # noqa: E402,F401,I100


def main():
    repo = os.path.dirname(os.path.dirname(HERE))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(repo, "build"))
    parser.add_argument("--asan-build", default=None,
                        help="folder of the game built with the sanitizers (bad-data corpus)")
    parser.add_argument("--keep", action="store_true", help="keep the working folders")
    parser.add_argument("-k", action="append", default=[],
                        help="run only scenarios whose name contains this word")
    parser.add_argument("--list", action="store_true")
    args = parser.parse_args()
    # The game runs in working folders of its own: paths must not be relative.
    args.build = os.path.abspath(args.build)
    if args.asan_build:
        args.asan_build = os.path.abspath(args.asan_build)

    chosen = [s for s in suite.SCENARIOS if not args.k or any(k in s["name"] for k in args.k)]
    if args.list:
        for s in chosen:
            print(s["name"])
        return 0
    if not os.access(os.path.join(args.build, "tessary"), os.X_OK):
        print("no game at %s/tessary: build it first" % args.build)
        return 2

    # Stopped from outside, the scenario in progress still cleans up its X
    # server, its games and its folders.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    passed = failed = skipped = 0
    started = time.monotonic()
    for s in chosen:
        reason = why_skip(s, repo, args)
        if reason:
            skipped += 1
            print("SKIP %s: %s" % (s["name"], reason), flush=True)
            continue
        context = suite.Context(repo, args.build, args.asan_build, args.keep)
        begun = time.monotonic()
        try:
            s["run"](context)
        except suite.Skip as why:
            skipped += 1
            print("SKIP %s: %s" % (s["name"], why), flush=True)
        except driver.Failure as failure:
            failed += 1
            print("FAIL %s: %s\n%s" % (s["name"], failure, context.report()), flush=True)
        except Exception:  # a fault of the suite itself still names the scenario
            failed += 1
            print("FAIL %s: error in the scenario\n%s%s" % (
                s["name"], traceback.format_exc(), context.report()), flush=True)
        else:
            passed += 1
            print("PASS %s (%.1f s)" % (s["name"], time.monotonic() - begun), flush=True)
        finally:
            context.cleanup()
    print("end-to-end: %d passed, %d failed, %d skipped in %.0f s" % (
        passed, failed, skipped, time.monotonic() - started))
    return 1 if failed else 0


def why_skip(s, repo, args):
    missing = [src for src in s["screens"] if suite.screen_missing(repo, src)]
    if missing:
        return "screen not built yet: " + ", ".join(missing)
    if s["x"] and not (shutil.which("Xvfb") and shutil.which("xdotool")):
        return "Xvfb or xdotool is not installed"
    if "asan" in s["needs"] and not (args.asan_build and
                                     os.access(os.path.join(args.asan_build, "tessary"), os.X_OK)):
        return "no sanitizer build given (--asan-build)"
    if "valgrind" in s["needs"] and not shutil.which("valgrind"):
        return "valgrind is not installed"
    return None


if __name__ == "__main__":
    sys.exit(main())
