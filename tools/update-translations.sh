#!/bin/sh
# Brings the German translation up to date with the texts of the sources: a new text comes in
# unfinished, a text no longer used goes. Then translate what is unfinished (Qt Linguist, or the
# .ts file in an editor) and commit it.
#   tools/update-translations.sh            updates translations/wzplog_de.ts
#   tools/update-translations.sh FILE.ts    updates FILE.ts instead (the tests check a copy this way)
# LUPDATE names the lupdate program when it is not Qt 6's in its Debian place.
# wzplog-cli stays English: its output is read by scripts as well as by people.
set -eu
cd "$(dirname "$0")/.."
ts="${1:-translations/wzplog_de.ts}"
lupdate="${LUPDATE:-/usr/lib/qt6/bin/lupdate}"
"$lupdate" -silent -no-obsolete -locations none -source-language en -target-language de_DE \
    -extensions cpp,h,ui app awards exchange info log maintenance maps schema score widgets -ts "$ts"
