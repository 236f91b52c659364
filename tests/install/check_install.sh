#!/usr/bin/env bash
# Installs the build under a temporary prefix and checks that every file lands where the
# desktop and the game look for it. Usage: check_install.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1 source=$2 version=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
need() { [[ -f "$prefix/$1" ]] || fail "missing $1"; }

cmake --install "$build" --prefix "$prefix" >/dev/null

# The program, with every library it needs resolvable.
if [[ -x "$prefix/bin/kestrune" ]]; then
    missing=$(ldd "$prefix/bin/kestrune" | grep 'not found' || true)
    [[ -z "$missing" ]] || fail "unresolved libraries: $missing"
else
    fail "missing or not executable: bin/kestrune"
fi

# Music, effects, the help page and its pictures: each one the source tree has, byte for byte.
shopt -s nullglob
data_files=0
for asset in "$source"/assets/*.mid "$source"/assets/*.wav "$source"/assets/*.html \
             "$source"/assets/help-*.png; do
    name=$(basename "$asset")
    data_files=$((data_files + 1))
    if [[ -f "$prefix/share/kestrune/$name" ]]; then
        cmp -s "$asset" "$prefix/share/kestrune/$name" || fail "share/kestrune/$name differs"
    else
        fail "missing share/kestrune/$name"
    fi
done
for extra in "$prefix"/share/kestrune/*; do
    [[ -f "$source/assets/$(basename "$extra")" ]] || fail "unexpected file $extra"
done

# Desktop entry.
desktop=share/applications/kestrune.desktop
need "$desktop"
if [[ -f "$prefix/$desktop" ]]; then
    for line in Name=Kestrune Exec=kestrune Icon=kestrune 'Categories=Game;LogicGame;'; do
        grep -qxF "$line" "$prefix/$desktop" || fail "$desktop lacks the line $line"
    done
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$prefix/$desktop" || fail "desktop-file-validate rejects $desktop"
    fi
fi

# Icons: the PNG sizes must match the folder they are filed under.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print ($1*16777216+$2*65536+$3*256+$4) "x" ($5*16777216+$6*65536+$7*256+$8)}'; }
for size in 48 256; do
    icon=share/icons/hicolor/${size}x${size}/apps/kestrune.png
    need "$icon"
    [[ -f "$prefix/$icon" && $(png_size "$prefix/$icon") == "${size}x${size}" ]] ||
        fail "$icon is not ${size}x${size}"
done
need share/icons/hicolor/scalable/apps/kestrune.svg
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/kestrune.svg" 2>/dev/null ||
    fail "kestrune.svg is not an SVG"

# AppStream metadata, naming this version as a release.
metainfo=share/metainfo/io.github.kestrune.Kestrune.metainfo.xml
need "$metainfo"
if [[ -f "$prefix/$metainfo" ]]; then
    grep -q "<release version=\"$version\"" "$prefix/$metainfo" ||
        fail "$metainfo has no release $version"
    grep -q '<launchable type="desktop-id">kestrune.desktop</launchable>' "$prefix/$metainfo" ||
        fail "$metainfo does not launch kestrune.desktop"
    if command -v appstreamcli >/dev/null; then
        appstreamcli validate --no-net "$prefix/$metainfo" >/dev/null ||
            fail "appstreamcli rejects $metainfo"
    fi
fi

if ((failures)); then
    echo "install layout: $failures problem(s)" >&2
    exit 1
fi
echo "install layout: all files in place ($data_files data file(s))"
