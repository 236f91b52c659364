#!/usr/bin/env bash
# Draws the help page's pictures (assets/help-*.png) with the game's own window, offscreen:
# the view with a wall ahead, the direction readout and the strip, in Japanese and English.
#   tools/make_help_pictures.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target kestrune_help_pictures >/dev/null
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$runtime SDL_AUDIODRIVER=dummy \
    "$build/kestrune_help_pictures" "$root/assets"
