#!/usr/bin/env bash
# Makes FOLDER a place to run the program on one verse of the sample:
#     one-verse.sh SAMPLE_FOLDER FOLDER [REFERENCE]
# It gets the sample's settings file and a verse file holding only the
# verse whose reference line is REFERENCE (John 3:16 when none is given).
set -euo pipefail
sample=$1
folder=$2
verse=${3:-John 3:16}
mkdir -p "$folder"
cp "$sample/Lumera.ini" "$folder/"
awk -v ref="$verse" '
    { sub(/\r$/, "") }
    /^#$/ {
        if (n >= 2 && line[2] == ref) {
            for (i = 1; i <= n; i++) print line[i]
            print "#"; print "$$$"; found = 1; exit
        }
        n = 0; next
    }
    { line[++n] = $0 }
    END { exit !found }
' "$sample/Lumera.niv" >"$folder/Lumera.niv" || { echo "one-verse: no verse $verse in the sample" >&2; exit 1; }
