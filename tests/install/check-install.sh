#!/bin/sh
# Installs the build into a temporary prefix and checks the result as a user's desktop would see it:
# the files in their places, the installed companion working on a data folder seeded from the
# installed template, and a valid desktop entry and metainfo.
#   check-install.sh BUILD_DIR CMAKE
set -eu
build=$1
cmake=$2
work=$(mktemp -d)
# Installing writes the build's install_manifest.txt, which "make uninstall" reads: the list of a
# real installation is put back afterwards.
manifest=$build/install_manifest.txt
[ -f "$manifest" ] && cp "$manifest" "$work/manifest"
trap 'if [ -f "$work/manifest" ]; then cp "$work/manifest" "$manifest"; else rm -f "$manifest"; fi; rm -rf "$work"' EXIT
prefix=$work/prefix

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }

app=org.wzplog.logbook
for file in bin/wzplog bin/wzplog-cli bin/menddb \
    share/wzplog/template.mdb share/wzplog/sounds/newdok.wav share/wzplog/sounds/confdok.wav \
    share/applications/$app.desktop share/metainfo/$app.metainfo.xml \
    share/icons/hicolor/scalable/apps/$app.svg share/icons/hicolor/48x48/apps/$app.png \
    share/icons/hicolor/256x256/apps/$app.png share/doc/wzplog/copyright share/doc/wzplog/changelog.Debian.gz \
    share/man/man1/wzplog.1.gz share/man/man1/wzplog-cli.1.gz share/man/man1/menddb.1.gz; do
    [ -s "$prefix/$file" ] || fail "$file is not installed"
done
for program in wzplog wzplog-cli menddb; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done

"$prefix/bin/wzplog-cli" --help >"$work/help.txt" || fail "wzplog-cli --help exited with $?"
grep -q "import" "$work/help.txt" || fail "wzplog-cli --help does not list its commands"

# A fresh data folder, seeded from the installed template by the installed program itself.
data=$work/data
"$prefix/bin/wzplog-cli" init "$data" >"$work/init.txt" 2>&1 || { cat "$work/init.txt"; fail "wzplog-cli init DIR"; }
[ -s "$data/log.mdb" ] || fail "the data folder was not seeded with log.mdb"
"$prefix/bin/wzplog-cli" --data "$data" summary >"$work/summary.txt" 2>&1 \
    || { cat "$work/summary.txt"; fail "wzplog-cli --data DIR summary"; }
cmp -s "$data/log.mdb" "$prefix/share/wzplog/template.mdb" || fail "log.mdb is not a copy of the installed template"
[ -s "$work/summary.txt" ] || fail "the summary printed nothing"

desktop-file-validate "$prefix/share/applications/$app.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" || fail "metainfo"
echo "installed layout, companion, desktop entry and metainfo are sound"
