#!/usr/bin/env bash
# Practice in the empty 4D box with real X key events: steps, turns, both renderers, and the
# animation setting stored when the game ends.
source "$(dirname "$0")/lib.bash"

t0=$(date +%s%N)
start_game
title=$(wait_window '^Kestrune$') || fail "no title window"
t1=$(date +%s%N)
echo "start-up to title window: $(( (t1 - t0) / 1000000 )) ms"
[[ ! -e kestrune.ini && ! -e tower ]] || fail "the title window wrote a file"

click_at "$title" 100 50   # 練習
game=$(wait_window '次元迷路') || fail "no game window"
[[ "$(window_name "$game")" == "4次元迷路： ブランク" ]] || fail "caption $(window_name "$game")"
focus "$game"
sleep 0.5
shoot "$game" start.png

# Num Lock on: the keypad sends digits; press it once, then use the keypad's own names.
xdotool key Num_Lock
# 5: steps forward, until the far wall comes within the ten cells the view reaches.
xdotool key KP_Begin KP_Begin KP_Begin KP_Begin KP_Begin
sleep 1.5
shoot "$game" step.png
convert start.png -crop 445x400+0+30 +repage start-view.png
convert step.png -crop 445x400+0+30 +repage step-view.png
compare -metric AE start-view.png step-view.png null: 2>/dev/null && fail "steps changed nothing in the view"
xdotool key KP_Left      # 4: turn left
sleep 0.6
shoot "$game" turn.png
cmp -s step.png turn.png && fail "a turn changed nothing on the screen"

# The view is a 445 x 441 picture at the window's top-left below the menu bar: the smooth
# view paints many shades of green there.
view=$(colours_in turn.png 445x400+0+30)
(( view > 10 )) || fail "the smooth view shows only $view colours"

# Four quick turns are four whole turns: the picture comes back.
xdotool key KP_Right KP_Right KP_Right KP_Right
sleep 2
shoot "$game" four.png
convert turn.png -crop 445x400+0+30 +repage turn-view.png
convert four.png -crop 445x400+0+30 +repage four-view.png
compare -metric AE turn-view.png four-view.png null: 2>diff.txt || fail "four right turns did not restore the view ($(cat diff.txt) pixels differ)"

# Shift with Num Lock on: keypad 5 turns towards the fourth axis ("S5"), keypad 0 back ("S0").
# Walk on first, until the wall ahead is nearer than the one along the fourth axis (far walls
# beyond ten cells all look alike).
xdotool key KP_Begin KP_Begin KP_Begin KP_Begin KP_Begin
sleep 1.5
shoot "$game" base.png
convert base.png -crop 445x400+0+30 +repage base-view.png
xdotool key shift+KP_Begin
sleep 0.6
shoot "$game" s5.png
convert s5.png -crop 445x400+0+30 +repage s5-view.png
compare -metric AE base-view.png s5-view.png null: 2>/dev/null && fail "Shift+keypad 5 did not turn"
xdotool key shift+KP_Insert
sleep 0.6
shoot "$game" s0.png
convert s0.png -crop 445x400+0+30 +repage s0-view.png
compare -metric AE base-view.png s0-view.png null: 2>diff.txt || fail "S0 did not undo S5 ($(cat diff.txt) pixels differ)"

stop_game
grep -q '^Animation=3' kestrune.ini || fail "the animation setting was not stored"
check_stderr
echo "practice walk: ok"
