#!/usr/bin/env bash
# One keypad press, one action, even when the action opens a modal box: keypad 5 onto the
# tower staircase asks once; いいえ leaves the player in front of it; the next keypad 5 asks
# again, and はい climbs with the player on the staircase cell of the new floor.
source "$(dirname "$0")/lib.bash"

printf '[Kestrune]\r\nAnimation=-1\r\n' > kestrune.ini

start_in tower
xdotool key Num_Lock
walk_to_staircase
focus "$box"
xdotool key Escape                        # いいえ
sleep 1.5
[[ -z "$(visible_window '^Kestrune$')" ]] || fail "the staircase question came back after いいえ"
[[ "$(window_name "$game")" == "5duzu：1階" ]] || fail "caption after いいえ $(window_name "$game")"

focus "$game"
xdotool key KP_Begin
box=$(wait_window_visible '^Kestrune$' 50) || fail "stepping onto the staircase again did not ask"
focus "$box"
xdotool key Return                        # はい
sleep 1.5
[[ -z "$(visible_window '^Kestrune$')" ]] || fail "a second question after はい"
[[ "$(window_name "$game")" == "5duzu：2階" ]] || fail "caption after the climb $(window_name "$game")"
stop_game
check_stderr

echo "keypad once: ok"
