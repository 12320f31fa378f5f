#!/usr/bin/env bash
# The guards of the top-level scripts, each against the fault it keeps out:
# - one run per checkout: the lock is the checkout's directory, so a second run is turned away, told
#   who holds it, through a symlink as well and with build/ removed meanwhile, while a script the
#   run starts is let in through a symlink too;
# - a run ends what it started: SIGKILL to its first process ends a process it left in a session of
#   its own (SIGTERM where no PID namespace can be made);
# - release.sh never removes the checkout given as its build folder;
# - a held package counts as installed;
# - a failed ctest fails its stage, and a skipped test fails the run where CI is set;
# - no check passes on printed text alone: no CTest test has a PASS_REGULAR_EXPRESSION (CTest then
#   ignores the exit status), and every test preset fails when it finds no test.
set -euo pipefail
source "$(dirname "$0")/../scripts/setup.sh"
start_run -- "$@"

failures=0
fail() {
    echo "check-guards: $1" >&2
    failures=$((failures + 1))
}
scratch=$(mktemp -d)
trap 'rm -rf --one-file-system "$scratch"' EXIT
ln -s "$PWD" "$scratch/link"

# A second run, as one started from another shell: without this run's variable or lock descriptor.
second_run() { (exec 9>&- && env -u QUENLIT_RUN timeout 60 "$@" 2>&1); }
status=0
refusal=$(second_run "$scratch/link/scripts/setup.sh" true) || status=$?
if [ "$status" = 0 ] || ! grep -q "^Another run holds this checkout: " <<<"$refusal"; then
    fail "a second run through a symlink was not turned away (status $status): $refusal"
fi
"$scratch/link/scripts/setup.sh" true || fail "a script of the run was turned away through a symlink"

# A run in a checkout of its own that leaves a process behind in a session of its own.
other=$scratch/other
mkdir -p "$other/scripts"
cp scripts/setup.sh "$other/scripts/"
printf '%s\n' '#!/usr/bin/env bash' 'source "$(dirname "$0")/scripts/setup.sh"' \
    'start_run -- "$@"' 'setsid sleep "$1" & wait' >"$other/hold.sh"
chmod +x "$other/hold.sh"
marker=9$RANDOM$RANDOM
second_run "$other/hold.sh" "$marker" >"$scratch/hold.log" 2>&1 &
for _ in $(seq 100); do
    pgrep -f "^sleep $marker\$" >/dev/null && break
    sleep 0.1
done
holder=$(cd "$other" && lock_holder | awk '{ print $1 }')
[ -n "$holder" ] || fail "no holder of the lock found"
rm -rf "$other/build"
status=0
refusal=$(second_run "$other/hold.sh" 1) || status=$?
if [ "$status" = 0 ] || ! grep -q "^Another run holds this checkout: .*hold\.sh" <<<"$refusal"; then
    fail "with build/ removed a second run was not turned away, naming the holder: $refusal"
fi
signal=KILL
! grep -q "^No PID namespace" "$scratch/hold.log" || signal=TERM
kill -"$signal" "$holder"
for _ in $(seq 150); do
    pgrep -f "^sleep $marker\$" >/dev/null || break
    sleep 0.1
done
if pkill -f "^sleep $marker\$"; then
    fail "a process that a run started outlived SIGKILL of the run"
fi

# release.sh given the checkout as its build folder, in a copy of the checkout's files.
copy=$scratch/copy
mkdir -p "$copy"
git ls-files -z | tar --null -T - -cf - | tar -C "$copy" -xf -
if (cd "$copy" && ./release.sh "$scratch/out" . >/dev/null 2>&1) || [ ! -f "$copy/release.sh" ]; then
    fail "release.sh took the checkout for its build folder"
fi

# A held package is installed; one removed with its configuration kept is not.
printf 'Package: %s\nStatus: %s\nVersion: 1\nArchitecture: all\nMaintainer: m\nDescription: d\n\n' \
    held "hold ok installed" removed "deinstall ok config-files" >"$scratch/status"
missing=$(dpkg-query() { command dpkg-query --admindir="$scratch" "$@"; } &&
    missing_packages held removed | xargs)
[ "$missing" = removed ] || fail "missing packages of a held and a removed one: \"$missing\""

# A skip, under CI and without.
mkdir -p "$scratch/build"
ctest() { return 1; }
(cd "$scratch" && run_tests >/dev/null 2>&1) && fail "run_tests passed a ctest that failed"
ctest() { echo "  3 - e2e_case (Skipped)"; }
(cd "$scratch" && CI=true run_tests >/dev/null 2>&1) && fail "a skip passed where CI is set"
(cd "$scratch" && CI= run_tests >/dev/null && report_skipped | grep -q "e2e_case") ||
    fail "a skip was not listed"
unset -f ctest

status=0
grep -rn --include=CMakeLists.txt --include='*.cmake' --exclude-dir=build --exclude-dir=.git \
    PASS_REGULAR_EXPRESSION . >&2 || status=$?
case $status in
0) fail "a test passes on its printed text, whatever its exit status" ;;
1) ;;
*) fail "cannot read the CMake files (grep status $status)" ;;
esac
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
echo "check-guards: a second run is turned away, a run's processes end with it, the build folder" \
    "is never the checkout, held packages count, skips are seen, every test can fail"
