#!/usr/bin/env bash
# quenlit-inspect on the demo shared files of run.sh shows the table and the start-up writes that
# the tool makes: the controller runs with the simulated sensor on a copy of the same folder
# (tool_table), and its writes for every level must equal the inspector's effective table, values
# only, and its start-up writes the inspector's "At start" writes.
#
# demo-table.sh INSPECT TOOL_TABLE WORK
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
inspect=$1 tool_table=$2 work=$3

rm -rf "$work"
python3 "$here/../../scripts/shared_folders.py" demo "$work/inspected"
cp -r "$work/inspected" "$work/run"

"$inspect" "$work/inspected/" >"$work/inspector.txt"
"$tool_table" "$work/run/" >"$work/tool.txt"

# The inspector's table lines without their marks: the level, two spaces, the six values.
awk '/^[ 0-9][ 0-9][0-9]  [0-9A-F][0-9A-F][*! ]/ {
    line = substr($0, 1, 4)
    for (i = 0; i < 6; i++)
        line = line " " substr($0, 6 + 4 * i, 2)
    print line
}' "$work/inspector.txt" >"$work/inspector-table.txt"
grep -E '^[ 0-9]{3}  ' "$work/tool.txt" >"$work/tool-table.txt"
grep '^WriteRegister' "$work/inspector.txt" >"$work/inspector-start.txt"
grep '^WriteRegister' "$work/tool.txt" >"$work/tool-start.txt"

[ "$(wc -l <"$work/tool-table.txt")" = 21 ] || { echo "the tool wrote no 21 rows" >&2; exit 1; }
diff -u "$work/tool-table.txt" "$work/inspector-table.txt"
diff -u "$work/tool-start.txt" "$work/inspector-start.txt"
echo "the inspector's table and start-up writes equal the tool's for all 21 levels"
