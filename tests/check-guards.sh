#!/usr/bin/env bash
# The guards of the top-level scripts, each against the fault it keeps out:
# - one run per checkout: while a run holds it, a second script is turned away at once;
# - a run stops what it started: a process that a run leaves in a session of its own ends with it;
# - no check passes on printed text alone: no CTest test has a PASS_REGULAR_EXPRESSION (CTest then
#   ignores the exit status), and every test preset fails when it finds no test.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
trust_checkout
start_run

failures=0
fail() {
    echo "check-guards: $1" >&2
    failures=$((failures + 1))
}

# A second run, as one started from another shell: without this run's lock descriptor.
status=0
refusal=$(exec 9>&- && timeout 60 ./bench.sh 2>&1) || status=$?
if [ "$status" = 0 ] || ! grep -q "^Another run holds this checkout" <<<"$refusal"; then
    fail "a second run was not turned away (status $status): $(head -n 1 <<<"$refusal")"
fi

# A run in a checkout of its own that leaves a process behind in a new session.
other=$(mktemp -d)
setup=$PWD/scripts/setup.sh
left=$(cd "$other" && exec 9>&- &&
    bash -c 'source "$1"; start_run; setsid sleep 600 >/dev/null & echo $!' run "$setup")
if [ -e "/proc/$left" ] && grep -q sleep "/proc/$left/cmdline" 2>/dev/null; then
    kill "$left"
    fail "a process the run started outlived it"
fi
rm -rf --one-file-system "$other"

if git grep -n PASS_REGULAR_EXPRESSION -- '*CMakeLists.txt' '*.cmake' >&2; then
    fail "a test passes on its printed text, whatever its exit status"
fi
unchecked=$(python3 - <<'EOF_PYTHON'
import json

presets = {preset["name"]: preset for preset in json.load(open("CMakePresets.json"))["testPresets"]}


def no_tests_action(preset):
    action = preset.get("execution", {}).get("noTestsAction")
    parents = preset.get("inherits", [])
    for parent in [parents] if isinstance(parents, str) else parents:
        action = action or no_tests_action(presets[parent])
    return action


print(" ".join(name for name, preset in presets.items()
               if not preset.get("hidden") and no_tests_action(preset) != "error"))
EOF_PYTHON
)
[ -z "$unchecked" ] || fail "test presets that pass when they find no test: $unchecked"

if [ "$failures" -gt 0 ]; then
    exit 1
fi
echo "check-guards: a second run is turned away, a run's processes end with it, every test can fail"
