#!/bin/sh
# Every unit test must run with its time limit and without a display or a
# sound device, as CTest itself will apply them.
set -e
cd "$(dirname "$0")/../.."
dir=build-asan
[ -d "$dir" ] || dir=build
(cd "$dir" && ctest --show-only=json-v1) | python3 -c '
import json, sys
unit = [t for t in json.load(sys.stdin)["tests"] if "/tests/test_" in " ".join(t.get("command", []))]
settings = lambda t: {p["name"]: p["value"] for p in t.get("properties", [])}
env = lambda s: " ".join(s.get("ENVIRONMENT", []) + s.get("ENVIRONMENT_MODIFICATION", []))
bad = [t["name"] for t in unit if not settings(t).get("TIMEOUT") or not all(
    v in env(settings(t)) for v in ("SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=set:dummy"))]
print("%d unit tests, %d without their settings: %s" % (len(unit), len(bad), bad[:10]))
sys.exit(1 if bad or not unit else 0)
'
