#!/usr/bin/env bash
# A settings file from Japanese Windows (byte-order mark, CR LF, a Shift-JIS name) on a full
# disk: auto cruise clears a 2D maze again and again, the name box comes once, the player is
# told once, the ranking shows the new record, and the file keeps every byte. With room on
# the disk again, the Shift-JIS name shows in the ranking and survives the next write.
source "$(dirname "$0")/lib.bash"

# 山田 in Shift-JIS; no animation, so that the walks run at drawing speed.
printf '\xef\xbb\xbf[Kestrune]\r\nAnimation=-1\r\nTime10=3000\r\nName10=\x8eR\x93c\r\n' > kestrune.ini
cp kestrune.ini before.ini

count_windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l || true; }

# --- A full disk: every write of the game fails -------------------------------------------
start_game() {
  ( trap '' XFSZ; ulimit -f 0; LANGUAGE="$E2E_LANGUAGE" exec ./kestrune ) >out.log 2>err.log &
  E2E_PID=$!
}
start_in practice
make_2d_beginner
open_file_menu "$game"
xdotool key Down Down Down Down Return   # オートクルーズ
box=$(wait_window_visible '名前入力' 300) || fail "no name box after auto cruise"
xdotool type --delay 30 "Bob"
xdotool key Return
message=
for ((i = 0; i < 50; i++)); do
  message=$(visible_window '^Kestrune$')
  [[ -n "$message" ]] && break
  sleep 0.1
done
[[ -n "$message" ]] || fail "the player was not told that the record was not saved"
shoot root message.png
xdotool key Return
# Auto cruise keeps stepping into the goal: neither box may come back.
boxes=0 messages=0
for ((i = 0; i < 40; i++)); do
  sleep 0.1
  [[ -n "$(visible_window '名前入力')" ]] && { boxes=$((boxes + 1)); xdotool key Escape; }
  [[ -n "$(visible_window '^Kestrune$')" ]] && { messages=$((messages + 1)); xdotool key Return; }
done
(( boxes == 0 )) || fail "the name box came back ($boxes times)"
(( messages == 0 )) || fail "the message came back ($messages times)"
open_file_menu "$game"
xdotool key Down Down Down Down Return   # オートクルーズ停止
sleep 0.5
ranking=$(visible_window 'ランキング表') || true
[[ -n "$ranking" ]] || fail "the ranking window did not open"
shoot "$ranking" ranking-full.png
stop_game
cmp -s kestrune.ini before.ini || fail "the settings file changed on a full disk"
echo "full disk: one name box, one message, file unchanged"

# --- Room again: the Shift-JIS name is shown, and writes keep every other byte -----------
start_game() {
  LANGUAGE="$E2E_LANGUAGE" ./kestrune >out.log 2>err.log &
  E2E_PID=$!
}
start_in practice
click_at "$game" 62 8; sleep 0.3         # その他
xdotool key Down Down Down Return        # ランキング表: stores the 22 missing keys
ranking=$(wait_window 'ランキング表') || fail "the ranking window did not open"
sleep 0.5
shoot "$ranking" ranking.png
stop_game
cmp -s <(head -c "$(stat -c %s before.ini)" kestrune.ini) before.ini ||
  fail "the file from Windows lost bytes: $(head -c 80 kestrune.ini | od -c | head -3)"
[[ $(grep -c $'\r$' kestrune.ini) -eq $(wc -l < kestrune.ini) ]] || fail "a line lost its CR LF"
[[ $(grep -c '\[Kestrune\]' kestrune.ini) -eq 1 ]] || fail "the records were left in an orphaned section"
[[ $(grep -c '^Name' kestrune.ini) -eq 12 ]] || fail "the ranking did not store its keys"
check_stderr
echo "room again: Shift-JIS name, byte-order mark and CR LF kept"
