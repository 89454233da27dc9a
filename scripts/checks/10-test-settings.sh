#!/bin/sh
# Every unit test must run with its time limit and without a display or a
# sound device, as CTest itself will apply them.
set -e
cd "$(dirname "$0")/../.."
dir=build-asan
[ -d "$dir" ] || dir=build
(cd "$dir" && ctest --show-only=json-v1) | python3 -c '
import json, sys
tests = json.load(sys.stdin)["tests"]
unit = [t for t in tests if "/tests/test_" in " ".join(t.get("command", []))]
bad = []
for t in unit:
    props = {p["name"]: p["value"] for p in t.get("properties", [])}
    env = props.get("ENVIRONMENT", []) + props.get("ENVIRONMENT_MODIFICATION", [])
    if not props.get("TIMEOUT") or not any("SDL_VIDEODRIVER=dummy" in e for e in env) \
            or not any("SDL_AUDIODRIVER=set:dummy" in e for e in env):
        bad.append(t["name"])
print("%d unit tests, %d without their settings: %s" % (len(unit), len(bad), bad[:10]))
sys.exit(1 if bad or not unit else 0)
'
