#!/usr/bin/env bash
# Holds the texts to the checkout: every repository path that README.md or docs/*.md names exists
# (a path in a source folder, a link between the texts, a file named alone), and so does every test
# they name by its full name: a GoogleTest case (Suite.Case) or suite, and a CTest test of the
# native, win32 and win64 trees (`ctest -N`), a win32_ one by its name without that prefix where
# the 32-bit stage's trees are not built. Names each one missing by text and line; fails when it
# read no text. test.sh runs it once those three trees are configured.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
trust_checkout

texts=$(git ls-files -- README.md 'docs/*.md')
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
texts = sys.argv[2:]
sources = [path for path in files
           if path.startswith(("tests/", "bench/")) and path.endswith(".cpp")]
test_cases = set()
for path in sources:
    with open(path, encoding="utf-8") as file:
        test_cases |= set(re.findall(r"\bTEST(?:_F|_P)?\(\s*(\w+),\s*(\w+)\)", file.read()))
suites = {suite for suite, _ in test_cases}
# The first word of every CTest name: a word in backquotes with one of these before its first
# underscore names a test.
test_words = {name.split("_")[0] for name in ctest_names} | {"win32"}

SOURCE_FOLDERS = ("app|afx|core|files|driver|sensor-sim|inspect|tests|bench|scripts|release|docs"
                  "|cmake")
PATH = re.compile(rf"(?<![\w./-])(?:{SOURCE_FOLDERS})/[\w./*-]*")
ALONE = re.compile(r"(?<![\w./<-])([A-Za-z][\w-]*\.(?:h|cpp|sh|py|md|rc|jq))\b(?![\w/])")
LINK = re.compile(r"\]\(([^)#\s]+)(?:#[^)]*)?\)")
CODE = re.compile(r"`([^`]+)`")
TEST_CASE = re.compile(r"^([A-Z]\w*)\.([A-Z]\w*)$")


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
    for target in LINK.findall(line):
        if "://" not in target and not os.path.exists(os.path.join(os.path.dirname(text), target)):
            found.append(target)
    for code in CODE.findall(line):
        case = TEST_CASE.match(code)
        if case and case.group(1).endswith("Test") and case.groups() not in test_cases:
            found.append(code)
        elif re.fullmatch(r"[A-Z]\w*Test", code) and code not in suites:
            found.append(code)
        elif re.fullmatch(r"[a-z0-9]+(?:_[a-z0-9]+)+", code) and code.split("_")[0] in test_words:
            if code not in ctest_names and code.removeprefix("win32_") not in ctest_names:
                found.append(code)
    return list(dict.fromkeys(found))


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
