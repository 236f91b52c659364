# Shared helpers of the end-to-end runs: a private copy of the game, windows, keys, pixels.
# Sourced by the scripts; each script receives the built kestrune binary as $1.
set -euo pipefail

E2E_BIN=$1
E2E_SRC=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_DIR=$(mktemp -d /tmp/kestrune-e2e.XXXXXX)
E2E_PID=
export XDG_RUNTIME_DIR=$E2E_DIR/runtime XDG_CONFIG_HOME=$E2E_DIR/config HOME=$E2E_DIR/home
export SDL_AUDIODRIVER=dummy
# The real window system of the virtual display, whatever the unit tests chose.
export QT_QPA_PLATFORM=xcb
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$HOME"

# A portable copy: the binary with its data beside it, the current directory its own.
cp "$E2E_BIN" "$E2E_DIR/kestrune"
cp "$E2E_SRC"/assets/*.mid "$E2E_SRC"/assets/*.wav "$E2E_SRC"/assets/*.html "$E2E_DIR/" 2>/dev/null || true
cd "$E2E_DIR"

E2E_XVFB_PID=
cleanup() {
  [[ -n "$E2E_PID" ]] && kill -KILL "$E2E_PID" 2>/dev/null || true
  # The display goes last, and is gone before the next run starts its own.
  if [[ -n "$E2E_XVFB_PID" ]]; then
    kill -TERM "$E2E_XVFB_PID" 2>/dev/null || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
  fi
  if [[ "${E2E_KEEP:-0}" != 1 ]]; then rm -rf "$E2E_DIR"; else echo "kept $E2E_DIR"; fi
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; [[ -f err.log ]] && sed 's/^/  stderr: /' err.log >&2; exit 1; }

# Each run owns its X server for its whole life. -displayfd: the server takes the first free
# display itself and names it once it accepts connections (no lock-file guess to race with
# other runs). -noreset: without it the server resets whenever its last client leaves, and a
# client that connects in that moment (the game starting while an xdotool call ends) is
# disconnected and Qt aborts with "could not connect to display".
start_display() {
  local fifo=$E2E_DIR/displayfd display=
  mkfifo "$fifo"
  Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$fifo" \
    >"$E2E_DIR/xvfb.log" 2>&1 &
  E2E_XVFB_PID=$!
  # Ends with the number, or empty when the server exits first.
  read -r -t 60 display <"$fifo" || true
  rm -f "$fifo"
  [[ -n "$display" ]] || { sed 's/^/  Xvfb: /' "$E2E_DIR/xvfb.log" >&2; fail "Xvfb did not start"; }
  export DISPLAY=:$display
  unset XAUTHORITY
  xdpyinfo >/dev/null 2>&1 || fail "display $DISPLAY does not answer"
}
start_display

# The game starts in the system's language: the runs read Japanese captions, so the game sees
# a Japanese system (GNU LANGUAGE, the user's language list) unless a script chooses another.
# The locale itself stays: an uninstalled ja_JP.UTF-8 would leave the process without UTF-8,
# and X would then get window names that xdotool cannot match.
E2E_LANGUAGE=${E2E_LANGUAGE:-ja}

start_game() {
  LANGUAGE="$E2E_LANGUAGE" ./kestrune >out.log 2>err.log &
  E2E_PID=$!
}

# Waits for a window whose name matches the pattern; prints its id.
wait_window() {
  local pattern=$1 tries=${2:-100} id
  for ((i = 0; i < tries; i++)); do
    id=$(xdotool search --name "$pattern" 2>/dev/null | head -1 || true)
    if [[ -n "$id" ]]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

visible_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true; }

# Waits for a visible window whose name matches the pattern; prints its id.
wait_window_visible() {
  local pattern=$1 tries=${2:-100} id
  for ((i = 0; i < tries; i++)); do
    id=$(visible_window "$pattern")
    if [[ -n "$id" ]]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

window_name() { xdotool getwindowname "$1" 2>/dev/null || true; }

click_at() {  # window x y
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; sleep 0.2; }

# A screenshot of a window's area, as a PNG.
shoot() {  # window file
  import -window "$1" "$2"
}

# Number of distinct colours in a region of a PNG.
colours_in() {  # file geometry
  convert "$1" -crop "$2" +repage -unique-colors txt:- | grep -c '#' || true
}

# Ends the game as a desktop logout would and checks that it went cleanly.
stop_game() {
  kill -TERM "$E2E_PID"
  local rc=0
  wait "$E2E_PID" || rc=$?
  E2E_PID=
  [[ $rc -eq 0 ]] || fail "the game exited with $rc"
}

# Nothing alarming on stderr: Qt's offscreen/xcb chatter about size hints is harmless.
check_stderr() {
  if grep -v -E 'propagateSizeHints|XDG_RUNTIME_DIR' err.log | grep -q .; then
    fail "unexpected output on stderr"
  fi
}

# Opens the game window's first menu ("迷路"); keys then walk it.
open_file_menu() { click_at "$1" 20 8; sleep 0.3; }

# Starts the game and picks a mode on the title window; sets $game to the game window.
start_in() {  # practice|tower
  start_game
  local title
  title=$(wait_window '^Kestrune$') || fail "no title window"
  local x=100 pattern='次元迷路'
  [[ $E2E_LANGUAGE == en ]] && pattern='D maze'
  [[ $1 == tower ]] && x=30 pattern='5duzu'
  # On a busy machine the first click can land before the title window takes input: click
  # again while it is still there.
  game=
  for ((attempt = 0; attempt < 3; attempt++)); do
    [[ -z "$game" ]] || break
    [[ -n "$(visible_window '^Kestrune$')" ]] || [[ $attempt -eq 0 ]] || break
    click_at "$title" "$x" 50
    game=$(wait_window "$pattern" 100) || game=
  done
  [[ -n "$game" ]] || fail "no game window for $1"
  focus "$game"
}

# 迷路 > 作成 > 2次元 > 初級, from the game window's menus.
make_2d_beginner() {
  open_file_menu "$game"
  xdotool key Down Down Right; sleep 0.3   # 作成 opens on 2次元
  xdotool key Right; sleep 0.3             # 2次元 opens on 図形
  xdotool key Down Return                  # 初級
  sleep 1
}

# Tower: the hint and a keypad step, again and again, until the staircase asks (Num Lock on
# beforehand); sets $box to the question.
walk_to_staircase() {
  box=
  for ((i = 0; i < 800; i++)); do
    open_file_menu "$game"
    xdotool key Down Down Return            # ヒント (作成 is disabled in the tower)
    sleep 0.05
    xdotool key KP_Begin
    sleep 0.05
    box=$(visible_window '^Kestrune$')
    [[ -n "$box" ]] && break
  done
  [[ -n "$box" ]] || fail "the staircase was not reached"
  echo "staircase reached after $i hint-and-step rounds"
}
