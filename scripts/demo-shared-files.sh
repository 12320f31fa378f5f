# shellcheck shell=bash
# Demo contents of the shared directory C:\KelvoTemp for running the tool without the companion
# application. Sourced.

# Writes <dir>/FilmType.txt (slides), the four brightness tables and Flag.txt ("n", level letter
# "O" = level 14, two companion bytes "12"), replacing what was there.
write_demo_shared_files() {
    local dir=$1
    mkdir -p "$dir"
    printf 'Media: Slide\r\n' >"$dir/FilmType.txt"
    write_demo_table "$dir/Brig.txt" 0x20
    write_demo_table "$dir/Brigf.txt" 0x30
    write_demo_table "$dir/Brigp.txt" 0x28
    write_demo_table "$dir/Brigb.txt" 0x18
    printf 'nO12' >"$dir/Flag.txt"
}

# A table of 21 rows in the fixed-column format ("0x28,0x20,0x20,0x10,0x10,0x08" and CR LF): row r
# starts at base + 8r and each further column is 4 lower.
write_demo_table() {
    local file=$1 base=$2 row column
    : >"$file"
    for ((row = 0; row <= 20; row++)); do
        for ((column = 0; column < 6; column++)); do
            [ "$column" -gt 0 ] && printf ',' >>"$file"
            printf '0x%02X' $(((base + 8 * row - 4 * column) & 0xFF)) >>"$file"
        done
        printf '\r\n' >>"$file"
    done
}
