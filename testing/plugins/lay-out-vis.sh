#!/bin/sh
# lay-out-vis.sh PLUGIN_DIR VIS_FOLDER: lays out a Vis folder for the demo or
# an end-to-end test from lines on standard input:
#     KIND|RELATIVE PATH[|DISPLAY NAME]
# KIND is a stand-in kind (named, nullrecord, nullname, wildname, noexport,
# failinit, crashload, crashquery, needslibrary) or notlibrary (a text file
# under a plug-in name), x64 and arm64 (a stand-in marked as built for that
# processor), program (a stand-in marked as a program, not a library),
# cutshort (the first 300 bytes of one), file (a file holding the third
# field) or folder (an empty folder).
# A named stand-in reports the third field; without one, its own file name.
# Each copied stand-in ends in a line "#RELATIVE PATH", so no two are alike.
# Paths may use / or \ ; lines starting with # are skipped.
set -e
plugins=$1
vis=$2
[ -d "$plugins" ] && [ -n "$vis" ] || { echo "usage: $0 PLUGIN_DIR VIS_FOLDER < layout" >&2; exit 2; }
mkdir -p "$vis"

# The named stand-in's side files: the path without its extension and without
# a leading order tag (012_Fire.svp and Fire.svp_disabled share Fire.name).
side_file() {
    title=${1##*/}
    title=${title%.*}
    case "$title" in [0-9][0-9][0-9]_*) title=${title#????} ;; esac
    printf '%s/%s' "${1%/*}" "$title"
}

# Writes the 16-bit value at offset of file, little-endian.
poke16() {
    printf "\\$(printf %03o $(($3 & 255)))\\$(printf %03o $(($3 >> 8)))" |
        dd of="$1" bs=1 seek="$2" conv=notrunc 2>/dev/null
}

# The offset of a program file's PE header.
pe_header() {
    od -An -tu4 -j60 -N4 "$1" | tr -d ' '
}

while IFS= read -r line || [ -n "$line" ]; do
    case "$line" in ''|'#'*) continue ;; esac
    kind=${line%%|*}
    rest=${line#*|}
    path=$(printf '%s' "${rest%%|*}" | tr '\\' '/')
    target="$vis/$path"
    mkdir -p "$(dirname "$target")"
    case "$kind" in
    folder) mkdir -p "$target" ;;
    file) printf '%s' "${rest#*|}" > "$target" ;;
    notlibrary) printf 'This is not a library.\r\n' > "$target" ;;
    x64|arm64)
        cp "$plugins/standin_named.dll" "$target"
        machine=$((0x8664))
        [ "$kind" = arm64 ] && machine=$((0xAA64))
        poke16 "$target" $(($(pe_header "$target") + 4)) $machine ;;
    program)
        cp "$plugins/standin_named.dll" "$target"
        at=$(($(pe_header "$target") + 22))
        poke16 "$target" $at $(($(od -An -tu2 -j$at -N2 "$target") & ~0x2000)) ;;
    cutshort) head -c 300 "$plugins/standin_named.dll" > "$target" ;;
    named|nullrecord|nullname|wildname|noexport|failinit|crashload|crashquery|needslibrary)
        cp "$plugins/standin_$kind.dll" "$target"
        # Bytes after the image, harmless to the loader: every copy differs,
        # so a test can tell the files apart by their contents.
        printf '\n#%s\n' "$path" >> "$target"
        case "$rest" in
        *'|'*) printf '%s' "${rest#*|}" > "$(side_file "$target").name" ;;
        esac ;;
    *) echo "$0: unknown kind '$kind'" >&2; exit 2 ;;
    esac
done
