#!/usr/bin/env bash
# Holds the source folders to their one-way arrows: app -> afx, core; core -> files, driver; inspect
# -> files, driver (for the text of a register write it shares with the simulated sensor); each of
# them -> rules, the ground floor of the tool's rules, which includes nothing of ours; the simulated
# sensor includes only driver headers; afx/ and driver/ nothing of ours.
# core/, files/ and rules/ include our own headers and the C++ standard library's, nothing else,
# except the film type file's two open/read routines.
# Reads every #include line of the product's folders and names each one that crosses an arrow; a
# checkout whose files git cannot list fails, as a check that read nothing proves nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
trust_checkout

declare -A MAY_INCLUDE=(
    [app]="afx core rules"
    [afx]=""
    [core]="files driver rules"
    [files]="rules"
    [rules]=""
    [driver]=""
    [sensor-sim]="driver"
    [inspect]="files driver rules"
)
# The C++ standard library's headers (C++20).
STANDARD_HEADERS=" algorithm any array atomic barrier bit bitset cassert cctype cerrno cfenv cfloat
    charconv chrono cinttypes climits clocale cmath codecvt compare complex concepts
    condition_variable coroutine csetjmp csignal cstdarg cstddef cstdint cstdio cstdlib cstring
    ctime cuchar cwchar cwctype deque exception execution filesystem format forward_list fstream
    functional future initializer_list iomanip ios iosfwd iostream istream iterator latch limits
    list locale map memory memory_resource mutex new numbers numeric optional ostream queue random
    ranges ratio regex scoped_allocator semaphore set shared_mutex source_location span sstream
    stack stdexcept stop_token streambuf string string_view syncstream system_error thread tuple
    type_traits typeindex typeinfo unordered_map unordered_set utility valarray variant vector
    version "
PLATFORM_FREE="core files rules"
PLATFORM_FILES="files/FilmTypeFilePosix.cpp files/FilmTypeFileWin32.cpp"

sources=$(git ls-files -- "${!MAY_INCLUDE[@]}") && [ -n "$sources" ] || {
    echo "check-layout: git lists no file of ${!MAY_INCLUDE[*]} in $PWD, so nothing was checked" >&2
    exit 1
}

# Where each of our headers lives, by its name: "FilePath.h" -> "files/FilePath.h". A header made
# at build time (Version.h) is found by its template (Version.h.in).
declare -A HOME_OF=()
while read -r path; do
    name=${path##*/}
    HOME_OF[${name%.in}]=${path%.in}
done < <(grep -E '\.h(\.in)?$' <<<"$sources")

failures=0
fail() {
    echo "check-layout: $1" >&2
    failures=$((failures + 1))
}

# allowed <folder> <header path>: the header is the folder's own or one it may include.
allowed() {
    local folder=$1 header=$2 target
    [ "${header%%/*}" = "$folder" ] && return 0
    for target in ${MAY_INCLUDE[$folder]}; do
        [ "$target" = "$header" ] || [ "$target" = "${header%%/*}" ] && return 0
    done
    return 1
}

while read -r file; do
    folder=${file%%/*}
    while IFS=: read -r line text; do
        if [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
            name=${BASH_REMATCH[1]##*/}
            header=${HOME_OF[$name]:-}
            if [ -z "$header" ]; then
                fail "$file:$line: includes \"$name\", which is none of our headers"
            elif ! allowed "$folder" "$header"; then
                fail "$file:$line: $folder/ includes $header against the arrows"
            fi
        elif [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<([^\>]+)\> ]]; then
            system=${BASH_REMATCH[1]}
            if [[ " $PLATFORM_FREE " == *" $folder "* && " $PLATFORM_FILES " != *" $file "* &&
                $STANDARD_HEADERS != *[[:space:]]$system[[:space:]]* ]]; then
                fail "$file:$line: $folder/ includes <$system>, not of the C++ standard library"
            fi
        fi
    done < <(grep -n '#[[:space:]]*include' "$file")
done < <(grep -E '\.(h|cpp|rc|h\.in)$' <<<"$sources")

if [ "$failures" -gt 0 ]; then
    exit 1
fi
echo "check-layout: every #include of the $(wc -l <<<"$sources") files of ${!MAY_INCLUDE[*]}" \
    "follows the arrows"
