#!/bin/sh
# Rebuilds the reference lists in data/ from the public source files:
#   tools/derive-reference-data.sh <WAG_call_history.txt> <cty.csv> <dok-list.txt>
# The results are committed; builds read only data/.
set -eu
calls=$1
countries=$2
doklist=$3
out=$(dirname "$0")/../data

# The general list of ordinary DOK codes is kept as it came, beside the derived lists.
if [ "$(realpath "$doklist")" != "$(realpath "$out/dok-list.txt")" ]; then
    cp "$doklist" "$out/dok-list.txt"
fi

# Every distinct DOK code heard (the second field of each callsign,DOK line) together with the
# general list of ordinary codes (one a line), in code order.
{
    echo "# DOK codes heard in club contests (callsign,DOK list compiled by DK9TN, 2022) and the"
    echo "# general list of ordinary DOK codes (dok-list.txt, 2024)."
    {
        grep -v '^#' "$calls" | cut -d, -f2
        grep -v '^NM$' "$doklist"
    } | tr -d '\r ' | grep -v '^$' | LC_ALL=C sort -u
} > "$out/doks.txt"

# DXCC entities: prefix;name;number;continent
{
    echo "# DXCC entities from the country file (cty.csv): prefix;name;number;continent"
    tr -d '\r' < "$countries" | awk -F, 'NF >= 4 { print $1 ";" $2 ";" $3 ";" $4 }'
} > "$out/countries.txt"
