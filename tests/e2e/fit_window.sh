#!/usr/bin/env bash
# "画面に合わせる" on the desktop: in a window twice the design's size the whole design is
# twice as large, the view drawn at the size it is shown; its buttons act where they are
# shown; the item turns it off again and the choice is stored.
source "$(dirname "$0")/lib.bash"

printf '[Kestrune]\r\nLayout=fit\r\n' > kestrune.ini
start_in practice
# The client twice the design's 574 x 441, under the menu bar.
bar=$(( $(xdotool getwindowgeometry "$game" | awk '/Geometry/ { split($2, a, "x"); print a[2] }') - 441 ))
xdotool windowsize "$game" 1148 $((882 + bar))
for ((i = 0; i < 50; i++)); do
  [[ $(xdotool getwindowgeometry "$game" | awk '/Geometry/ { print $2 }') == "1148x$((882 + bar))" ]] && break
  sleep 0.1
done
sleep 1

# A pixel of the window, as "r,g,b".
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
black() { [[ $(pixel "$1" "$2" "$3") == 0,0,0 ]]; }

shoot "$game" fit.png
# The strip below the view is twice as long (445 design pixels): black at x 860, past its
# texts, where the classic arrangement shows the view.
black fit.png 860 $((bar + 875)) || fail "the strip was not scaled ($(pixel fit.png 860 $((bar + 875))))"
view=$(colours_in fit.png 880x820+0+$bar)
(( view > 10 )) || fail "the scaled view shows only $view colours"

# 左(4), where it is shown now (design 445 + 26, 8 + 40, twice): the direction readout turns.
convert fit.png -crop 250x200+890+$((bar + 470)) +repage before.png
xdotool mousemove --window "$game" 942 $((bar + 124)) click 1
sleep 1
shoot "$game" turned.png
convert turned.png -crop 250x200+890+$((bar + 470)) +repage after.png
compare -metric AE before.png after.png null: 2>/dev/null && fail "the scaled turn button did nothing"

# その他 > 画面に合わせる (after 座標を見る, 地図, ランキング表, 設定): back to the design's places.
click_at "$game" 62 8; sleep 0.3
xdotool key Down Down Down Down Down Return
sleep 1
shoot "$game" classic.png
black classic.png 860 $((bar + 875)) && fail "the strip kept its fit size after the item"

stop_game
grep -q '^Layout=classic' kestrune.ini || fail "the choice was not stored: $(grep Layout kestrune.ini)"
check_stderr
echo "fit window: ok"
