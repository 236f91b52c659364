#!/usr/bin/env bash
# The game flow with real X events: a 2D practice maze made from the menus, walked to its
# goal by auto cruise, a new record named and stored; then a tower floor climbed by its
# staircase, with the tower file checked line by line, and the climb resumed on restart.
source "$(dirname "$0")/lib.bash"

# Without animation the walks run at drawing speed.
printf '[Kestrune]\r\nAnimation=-1\r\n' > kestrune.ini


# --- Practice: 迷路 > 作成 > 2次元 > 初級, then オートクルーズ -------------------------------
start_in practice
make_2d_beginner
[[ "$(window_name "$game")" == "2次元迷路：難易度 初級" ]] || fail "caption $(window_name "$game")"
# Looking into 作成 > 3次元 and leaving it chooses nothing: the clear stays the 2D maze's.
open_file_menu "$game"
xdotool key Down Down Right; sleep 0.3   # 作成 opens on 2次元
xdotool key Down Right; sleep 0.3        # 3次元 opens
xdotool key Escape Escape Escape; sleep 0.3
# The ranking window open behind the game window must come to the front with the record.
open_file_menu "$game"
xdotool key Right Down Down Return       # その他 > ランキング表 (after 座標を見る, 地図)
ranking=$(wait_window_visible 'ランキング表' 30) || fail "the ranking window did not open"
focus "$game"
xdotool windowraise "$game"
open_file_menu "$game"
xdotool key Down Down Down Down Return   # オートクルーズ
box=$(wait_window_visible '名前入力' 300) || fail "no name box after auto cruise"
xdotool type --delay 30 "Ann"
xdotool key Return
sleep 0.5
open_file_menu "$game"
xdotool key Down Down Down Down Return   # オートクルーズ停止
sleep 0.5
[[ -n "$(visible_window 'ランキング表')" ]] || fail "the ranking window did not open"
# xwininfo lists the top-level windows from the top of the stack down.
top=$(xwininfo -root -children | grep -o -E '"(ランキング表|2次元迷路[^"]*)"' | head -1)
[[ $top == '"ランキング表"' ]] || fail "the ranking window stayed behind the game window"
stop_game
grep -q '^Name10=Ann' kestrune.ini || fail "the record holder was not stored"
grep -q '^Time10=[0-9]' kestrune.ini || fail "the record time was not stored"
grep -q '^Name20=Pelkin' kestrune.ini || fail "the 2D clear was filed under 3D"
[[ $(grep -c '^Name' kestrune.ini) -eq 12 ]] || fail "the ranking did not store its 24 keys"
check_stderr
echo "practice record: ok ($(grep '^Time10' kestrune.ini))"

# --- Tower: hint and a step, again and again, until the staircase asks ---------------------
start_in tower
[[ "$(window_name "$game")" == "5duzu：1階" ]] || fail "caption $(window_name "$game")"
xdotool key Num_Lock
walk_to_staircase
# The box is on the screen a moment before it has the keyboard; a key sent earlier is lost.
focus "$box"
xdotool key Return                        # はい
for ((i = 0; i < 100; i++)); do
  [[ "$(window_name "$game")" == "5duzu：2階" ]] && break
  sleep 0.1
done
[[ "$(window_name "$game")" == "5duzu：2階" ]] || fail "caption after the climb $(window_name "$game")"
stop_game
check_stderr

[[ -f tower ]] || fail "no tower file"
mapfile -t lines < <(cat tower)
[[ ${#lines[@]} -eq 21 ]] || fail "the tower file has ${#lines[@]} lines"
[[ "$(head -c 3 tower | od -An -c | tr -s ' ')" == " 2 \r \n" ]] || fail "first line is not 2 CR LF"
for ((k = 1; k <= 4; k++)); do
  v=${lines[$k]%$'\r'}
  [[ $v =~ ^[0-9]+$ ]] && (( v >= 4 && v <= 16 && v % 2 == 0 )) || fail "staircase coordinate '$v'"
done
ones=0
for ((k = 5; k <= 20; k++)); do
  v=${lines[$k]%$'\r'}
  [[ $v == 0 || $v == 1 || $v == -1 ]] || fail "orientation entry '$v'"
  [[ $v != 0 ]] && ones=$((ones + 1))
done
[[ $ones -eq 4 ]] || fail "the orientation is not a signed permutation"
[[ $(grep -c $'\r$' tower) -eq 21 ]] || fail "lines do not end in CR LF"

# --- Resuming: the tower starts again on the floor climbed to -------------------------------
start_in tower
[[ "$(window_name "$game")" == "5duzu：2階" ]] || fail "resumed on $(window_name "$game")"
stop_game
echo "tower staircase: ok"
