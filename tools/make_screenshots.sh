#!/usr/bin/env bash
# Takes the README's screenshots of the real game under a virtual display:
#   xvfb-run -a -s "-screen 0 1024x768x24" tools/make_screenshots.sh build/kestrune
# Writes docs/title.png, docs/smooth.png, docs/plain.png, docs/ranking.png (Japanese) and
# docs/english.png (the game on an English system).
out=$(cd "$(dirname "$0")/.." && pwd)/docs
source "$(dirname "$0")/../tests/e2e/lib.bash"
mkdir -p "$out"

printf '[Kestrune]\r\nAnimation=3\r\nTime10=83\r\nName10=Ann\r\nTime21=245\r\nName21=ボブ\r\n' > kestrune.ini
start_game
title=$(wait_window '^Kestrune$')
sleep 0.5
import -window "$title" "$out/title.png"
click_at "$title" 100 50
game=$(wait_window '次元迷路')
focus "$game"
xdotool key Num_Lock
open_file_menu "$game"
xdotool key Down Down Right; sleep 0.3; xdotool key Down; sleep 0.3; xdotool key Right; sleep 0.3
xdotool key Down Down Return   # 3次元 > 中級
sleep 1
open_file_menu "$game"
xdotool key Down Down Down Return   # ヒント: face the way to the goal
sleep 1
import -window "$game" "$out/smooth.png"
stop_game

printf '[Kestrune]\r\nAnimation=-1\r\n' > kestrune.ini
start_game
title=$(wait_window '^Kestrune$')
click_at "$title" 30 50
game=$(wait_window '5duzu')
focus "$game"
sleep 0.5
import -window "$game" "$out/plain.png"
click_at "$game" 62 8; sleep 0.3
xdotool key Down Down Return   # その他 > ランキング表
sleep 0.5
ranking=$(xdotool search --onlyvisible --name 'ランキング表' | head -1)
import -window "$ranking" "$out/ranking.png"
stop_game

# On an English system the game speaks English: a 3D maze, facing the way to its goal.
E2E_LANGUAGE=en
printf '[Kestrune]\r\nAnimation=3\r\n' > kestrune.ini
start_game
title=$(wait_window '^Kestrune$')
click_at "$title" 100 50
game=$(wait_window 'maze')
focus "$game"
open_file_menu "$game"
xdotool key Down Down Right; sleep 0.3; xdotool key Down; sleep 0.3; xdotool key Right; sleep 0.3
xdotool key Down Down Return   # 3D > Medium
sleep 1
open_file_menu "$game"
xdotool key Down Down Down Return   # Hint (face the goal)
sleep 1
import -window "$game" "$out/english.png"
stop_game
echo "screenshots in $out"
