#!/bin/sh
# lay-out-vis.sh PLUGIN_DIR VIS_FOLDER: lays out a Vis folder for the demo or
# an end-to-end test from lines on standard input:
#     KIND|RELATIVE PATH[|DISPLAY NAME]
# KIND is a stand-in kind (named, nullrecord, nullname, wildname, noexport,
# failinit, crashload, crashquery) or notlibrary (a text file under a plug-in
# name), file (a file holding the third field) or folder (an empty folder).
# A named stand-in reports the third field; without one, its own file name.
# Paths may use / or \ ; lines starting with # are skipped.
set -e
plugins=$1
vis=$2
[ -d "$plugins" ] && [ -n "$vis" ] || { echo "usage: $0 PLUGIN_DIR VIS_FOLDER < layout" >&2; exit 2; }
mkdir -p "$vis"

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
    named|nullrecord|nullname|wildname|noexport|failinit|crashload|crashquery)
        cp "$plugins/standin_$kind.dll" "$target"
        case "$rest" in
        *'|'*) printf '%s' "${rest#*|}" > "${target%.*}.name" ;;
        esac ;;
    *) echo "$0: unknown kind '$kind'" >&2; exit 2 ;;
    esac
done
