#!/usr/bin/env bash
# Holds the texts to the checkout: every repository path that README.md, docs/*.md and
# docs/performance-run.txt name exists (a path in any folder of ours, a link between the texts and
# the heading it points at, a file named alone), and so does every test they name: a GoogleTest
# case (Suite.Case, Suite.*) or suite, and a CTest test of the native, win32 and win64 trees
# (`ctest -N`), with or without its win32_ or e2e_ prefix, or any other name in snake case that no
# file but the texts holds. Names each one missing by text and line; first checks that a text of
# each such fault fails; fails when it read no text. test.sh runs it once those trees are configured.
set -euo pipefail
source "$(dirname "$0")/../scripts/setup.sh"
start_run -- "$@"

texts=$(git ls-files -- README.md 'docs/*.md' docs/performance-run.txt)
[ -n "$texts" ] || {
    echo "check-docs: git lists no README.md or docs/*.md in $PWD, so nothing was checked" >&2
    exit 1
}
ctest_names=$(for tree in build/native build/win32 build/win64; do
    [ ! -f "$tree/CTestTestfile.cmake" ] ||
        ctest --test-dir "$tree" -N | sed -n 's/^ *Test *#[0-9]*: //p'
done)
check=$(cat <<'EOF_PYTHON'
import fnmatch
import os
import re
import sys

files = sys.stdin.read().split()
folders = {os.path.dirname(path) for path in files}
folders |= {folder.rsplit("/", n)[0]
            for folder in set(folders) for n in range(folder.count("/") + 1)}
names = {os.path.basename(path) for path in files}
ctest_names = set(sys.argv[1].split())
ctest_names |= {name.removeprefix(prefix) for name in ctest_names for prefix in ("win32_", "e2e_")}
texts = sys.argv[2:]
test_cases = set()
words = set()
for path in files:
    # Not the texts, nor this check, whose faults below name nothing.
    if path in texts or path == "tests/check-docs.sh" or not os.path.isfile(path):
        continue
    with open(path, encoding="utf-8", errors="replace") as file:
        content = file.read()
    words |= set(re.findall(r"\b[a-z0-9]+(?:_[a-z0-9]+)+\b", content))
    if path.startswith(("tests/", "bench/")) and path.endswith(".cpp"):
        test_cases |= set(re.findall(r"\bTEST(?:_F|_P)?\(\s*(\w+),\s*(\w+)\)", content))
suites = {suite for suite, _ in test_cases}

TOP_FOLDERS = "|".join(re.escape(f) for f in sorted({f.split("/")[0] for f in folders if f}))
PATH = re.compile(rf"(?<![\w./-])(?:{TOP_FOLDERS})/[\w./*-]*")
ALONE = re.compile(r"(?<![\w./<-])([A-Za-z][\w-]*\.(?:h|cpp|sh|py|md|rc|jq))\b(?![\w/])")
LINK = re.compile(r"\]\(([^)#\s]*)(?:#([^)]*))?\)")
CODE = re.compile(r"`([^`]+)`")
TEST_CASE = re.compile(r"^([A-Z]\w*)\.([A-Z]\w*|\*)$")


def anchors(path):
    """The anchors of a text's headings, as GitHub makes them."""
    with open(path, encoding="utf-8") as file:
        headings = re.findall(r"^#+ (.*)$", file.read(), re.MULTILINE)
    return {re.sub(r"[^\w -]", "", h.lower()).replace(" ", "-") for h in headings}


def exists(path):
    path = path.rstrip(".,;:").rstrip("/")
    if any(mark in path for mark in "*?["):
        return any(fnmatch.fnmatch(name, path) for name in files)
    # A pair named without its extension: app/ReadoutText for ReadoutText.h and .cpp.
    return path in folders or path in files or any(f"{path}.{e}" in files for e in ("h", "cpp"))


def missing(text, line):
    """The names on one line that name nothing in the checkout."""
    found = []
    for path in PATH.findall(line):
        if "<" not in path and not exists(path):
            found.append(path)
    for name in ALONE.findall(line):
        if name not in names:
            found.append(name)
    for target, anchor in LINK.findall(line):
        if "://" in target:
            continue
        linked = os.path.join(os.path.dirname(text), target) if target else text
        if not os.path.exists(linked):
            found.append(target)
        elif anchor and anchor not in anchors(linked):
            found.append(f"{target}#{anchor}")
    for code in CODE.findall(line):
        case = TEST_CASE.match(code)
        if case and (case.group(1) not in suites or
                     case.group(2) != "*" and case.groups() not in test_cases):
            found.append(code)
        elif re.fullmatch(r"[A-Z]\w*Test", code) and code not in suites:
            found.append(code)
        elif (re.fullmatch(r"[a-z0-9]+(?:_[a-z0-9]+)+", code) and code not in words
              and code.removeprefix("win32_") not in ctest_names):
            found.append(code)
    return list(dict.fromkeys(found))


# Each kind of fault, which must be found.
faults = ["[a](testing.md#no-such-heading)", "rules/NoSuchRule.h", "e2e `no_such_case`",
          "`FloorsMatchTool.NoSuchCase`", "`NoSuchSuite.*`"]
unseen = [fault for fault in faults if not missing("docs/testing.md", fault)]
if unseen:
    print(f"check-docs: does not see these faults: {unseen}", file=sys.stderr)
    sys.exit(1)

failures = 0
lines = 0
for text in texts:
    with open(text, encoding="utf-8") as file:
        for number, line in enumerate(file, 1):
            lines += 1
            for name in missing(text, line):
                print(f"check-docs: {text}:{number}: names {name}, which is not there",
                      file=sys.stderr)
                failures += 1
if lines == 0 or not ctest_names or not test_cases:
    print("check-docs: read no text, no test or no CTest list, so nothing was checked",
          file=sys.stderr)
    sys.exit(1)
if failures:
    sys.exit(1)
print(f"check-docs: every path and test that {len(texts)} texts name ({lines} lines) is there")
EOF_PYTHON
)
git ls-files | python3 -c "$check" "$ctest_names" $texts
