#!/usr/bin/env bash
# An English player on a laptop, with real X key events: the arrow keys step and turn, the
# keypad's own arrows (Num Lock off) and the main-keyboard digits stay inert, a key rebound in
# "Key settings…" is stored and drives the game, and a 2D practice maze is walked to its goal
# with the hint and the Up arrow and its record entered.
E2E_LANGUAGE=en
source "$(dirname "$0")/lib.bash"

# Without animation the walk runs at drawing speed.
printf '[Kestrune]\r\nAnimation=-1\r\n' > kestrune.ini

# The view alone (the clock ticks beside it).
view() { shoot "$game" "$1.png"; convert "$1.png" -crop 445x400+0+30 +repage "$1-view.png"; }
same() { compare -metric AE "$1-view.png" "$2-view.png" null: 2>/dev/null; }

# --- The empty 4D box: arrows, Shift+arrows, Q/E ------------------------------------------
start_in practice
sleep 0.5
grep -q '^Ahead=Up' kestrune.ini || fail "the default keys were not stored"
view start
# Ten steps bring the far wall within the plain view's reach.
xdotool key Up Up Up Up Up Up Up Up Up Up
sleep 0.5
view step
same start step && fail "the Up arrow did not step"
# Num Lock is off: the keypad sends arrows that carry the keypad flag; they and the digits of
# the main keyboard stay inert.
xdotool key KP_Up KP_Down KP_Left KP_Right KP_Prior KP_Next 5 8 0
sleep 0.5
view inert
same step inert || fail "keypad arrows or main-keyboard digits moved the player"
xdotool key shift+Up
sleep 0.3
view s5
same step s5 && fail "Shift+Up did not turn towards the fourth axis"
xdotool key shift+Down
sleep 0.3
view s0
same step s0 || fail "Shift+Down did not undo Shift+Up"
xdotool key Left
sleep 0.3
view left
same step left && fail "the Left arrow did not turn"
xdotool key Right q e Up Down
sleep 0.5
view back
same step back || fail "Right, Q/E and Up/Down did not undo each other"

# --- "Key settings…": Q is refused for Back (0), W taken; Down then does nothing, W steps back --
open_file_menu "$game"
xdotool key Right Up Up Up Return    # Other > Key settings…, above the two languages
dialog=$(wait_window 'Key settings') || fail "no key settings dialog"
focus "$dialog"
xdotool key shift+Tab shift+Tab      # from OK back to the last field, 後退(2)
xdotool key q
refusal=
for ((i = 0; i < 30; i++)); do
  refusal=$(xdotool search --onlyvisible --name 'Key settings' 2>/dev/null | grep -v "^$dialog\$" | head -1 || true)
  [[ -n "$refusal" ]] && break
  sleep 0.1
done
[[ -n "$refusal" ]] || fail "Q, already 左振(7)'s key, was not refused"
xdotool key Return                   # closes the message
sleep 0.3
focus "$dialog"
xdotool key w Return                 # W, then OK
sleep 0.5
[[ -z "$(visible_window 'Key settings')" ]] || fail "the dialog did not close on OK"
grep -q '^Back=W' kestrune.ini || fail "the new key was not stored"
grep -q '^RollLeft=Q' kestrune.ini || fail "the refused key was stored"
focus "$game"
xdotool key Up Down
sleep 0.5
view down
same down step && fail "Down still steps back after rebinding"
xdotool key w
sleep 0.5
view w
same w step || fail "W did not step back"

# --- A 2D maze walked with the hint and the Up arrow ----------------------------------------
open_file_menu "$game"
xdotool key Down Down Right; sleep 0.3   # New opens on 2D
xdotool key Right; sleep 0.3             # 2D opens on Shapes
xdotool key Down Return                  # Easy
sleep 1
[[ "$(window_name "$game")" == "2D maze — Easy" ]] || fail "caption $(window_name "$game")"
box=
for ((i = 0; i < 400; i++)); do
  open_file_menu "$game"
  xdotool key Down Down Down Return      # Hint
  sleep 0.05
  xdotool key Up
  # The name box comes at once with the goal; wait for it before the next menu click.
  for ((k = 0; k < 4; k++)); do
    sleep 0.05
    box=$(visible_window 'New record')
    [[ -n "$box" ]] && break
  done
  [[ -n "$box" ]] && break
done
[[ -n "$box" ]] || fail "the goal was not reached"
echo "goal reached after $i hint-and-Up rounds"
xdotool type --delay 30 "Kei"
xdotool key Return
sleep 0.5
[[ -n "$(visible_window 'Best times')" ]] || fail "the ranking window did not open"
stop_game
grep -q '^Name10=Kei' kestrune.ini || fail "the record holder was not stored"
grep -q '^Time10=[0-9]' kestrune.ini || fail "the record time was not stored"
check_stderr
echo "keyboard walk: ok"
