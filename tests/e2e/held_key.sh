#!/usr/bin/env bash
# A held key stops when it is released: ← held in a 4D maze with the 8-picture animation turns
# the player with the X server's own auto-repeat, and after the release at most the turn being
# drawn and the one waiting follow. Turns are counted from the game itself: each picture of a
# turn is held by a sleep of the main thread, so a turn is a fixed number of its waits.
source "$(dirname "$0")/lib.bash"

# The main thread's voluntary context switches so far: its sleeps and waits.
waits() { awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$E2E_PID/task/$E2E_PID/status"; }
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# Until the main thread has been found blocked in poll (waiting for events) 20 times in a row:
# a turn sleeps between its pictures and never waits in poll.
wait_idle() {
  local calm=0 nr rest
  for ((i = 0; i < 6000; i++)); do
    read -r nr rest <"/proc/$E2E_PID/syscall" || nr=
    if [[ $nr == 7 || $nr == 271 ]]; then
      ((++calm >= 20)) && return 0
    else
      calm=0
    fi
    sleep 0.01
  done
  fail "the game did not come to rest"
}

# Animation level 3: eight pictures a turn.
printf '[Kestrune]\r\nAnimation=3\r\n' > kestrune.ini

# The view and the direction readout beside it: a quarter turn can leave the picture as it was
# (walls close ahead on both sides), never the direction the player faces.
view() {
  shoot "$game" "$1.png"
  convert "$1.png" -crop 445x400+0+30 +repage "$1-view.png"
  convert "$1.png" -crop 129x100+445+240 +repage "$1-dir.png"
}
same() {
  compare -metric AE "$1-view.png" "$2-view.png" null: 2>/dev/null &&
    compare -metric AE "$1-dir.png" "$2-dir.png" null: 2>/dev/null
}

start_in practice
# 迷路 > 作成 > 4次元 > 初級
open_file_menu "$game"
xdotool key Down Down Right; sleep 0.3   # 作成 opens on 2次元
xdotool key Down Down Right; sleep 0.3   # 4次元 opens on 図形
xdotool key Down Return                  # 初級
for ((i = 0; i < 300; i++)); do
  [[ "$(window_name "$game")" == *'4次元迷路：難易度 初級'* ]] && break
  sleep 0.1
done
[[ "$(window_name "$game")" == *'4次元迷路：難易度 初級'* ]] || fail "no 4D maze: $(window_name "$game")"
wait_idle

# One turn, tapped: what it costs in waits and time. Four taps come back to the start.
view start
before=$(waits) t0=$(now_ms)
xdotool key Left
wait_idle
one=$(( $(waits) - before )) one_ms=$(( $(now_ms) - t0 ))
view tap
same start tap && fail "the tap did not turn"
xdotool key Left Left Left
wait_idle
view round
same start round || fail "four taps did not turn the player round"
echo "one tapped turn: $one waits, $one_ms ms to rest"

# Held for two seconds: the X server repeats the key while the game draws.
before=$(waits)
xdotool keydown Left
sleep 2
# Released while the game is held still, so the release falls between two counts exactly.
kill -STOP "$E2E_PID"
held=$(( $(waits) - before ))
xdotool keyup Left
released=$(waits) t0=$(now_ms)
kill -CONT "$E2E_PID"
wait_idle
after=$(( $(waits) - released )) after_ms=$(( $(now_ms) - t0 ))
echo "held 2 s: $held waits; after the release: $after waits, $after_ms ms to rest"
(( held > 3 * one )) || fail "the held key did not repeat ($held waits, one turn is $one)"
(( after < 3 * one )) || fail "the player kept turning after the release ($after waits, one turn is $one)"

# At rest the view is a whole turn and stays so.
view rest1
wait_idle
view rest2
same rest1 rest2 || fail "the view still changed at rest"

stop_game
check_stderr
echo "held key: ok"
