E2E_LANGUAGE=en
source "$(dirname "$0")/lib.bash"
printf '[Kestrune]\r\nAnimation=-1\r\n' > kestrune.ini
start_game
title=$(wait_window '^Kestrune$'); sleep 0.5; import -window "$title" /tmp/tour/title.png
click_at "$title" 100 50
game=$(wait_window 'D maze'); focus "$game"
open_file_menu "$game"; xdotool key Right Down Return; sleep 0.7
r=$(visible_window 'Best times'); import -window "$r" /tmp/tour/ranking.png
focus "$game"
open_file_menu "$game"; xdotool key Right Right Down Down Return; sleep 0.7
a=$(visible_window 'About'); [[ -n "$a" ]] && import -window "$a" /tmp/tour/about.png
xdotool key Escape; sleep 0.3
focus "$game"
open_file_menu "$game"; xdotool key Right Up Up Up Return; sleep 0.7
k=$(visible_window 'Key settings'); [[ -n "$k" ]] && import -window "$k" /tmp/tour/keys.png
xdotool key Escape; sleep 0.3
focus "$game"
open_file_menu "$game"; sleep 0.3; import -window root /tmp/tour/menu.png; xdotool key Escape
xdotool key Down Down Right; sleep 0.3; xdotool key Right; sleep 0.3; xdotool key Down Return; sleep 1
open_file_menu "$game"; xdotool key Down Down Down Down Return
for ((i = 0; i < 300; i++)); do box=$(visible_window 'New record'); [[ -n "$box" ]] && break; sleep 0.1; done
sleep 0.3; import -window "$box" /tmp/tour/record.png
xdotool type "Zed"; xdotool key Return; sleep 0.5
open_file_menu "$game"; xdotool key Down Down Down Down Return; sleep 0.5
import -window root /tmp/tour/after.png
stop_game
