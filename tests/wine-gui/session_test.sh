#!/usr/bin/env bash
# Starts orvane.exe from its installed folder under Wine on a virtual display and drives it from
# outside, as a user would: the main window shows; the "Share My Internet" page says that no
# connection can be shared (Wine has no Internet Connection Sharing service) and that no wireless
# adapter was found (Wine has no Wi-Fi); Options and About open and close; "Exit" ends the
# program cleanly. Texts are read off screenshots by OCR, and clicks go where OCR found a
# caption. Screenshots and the OCR text are kept in the log folder.
# Usage: session_test.sh STAGE_DIR LOG_DIR   (WINEPREFIX: the prefix to use, made if missing)
set -euo pipefail
stage=$(realpath "$1")
logs=$2
rm -rf "$logs"
mkdir -p "$logs"
logs=$(realpath "$logs")
export WINEPREFIX=${WINEPREFIX:-$(dirname "$stage")/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="

step() { echo "== $*"; }
fail() {
  echo "FAIL: $*"
  shot failure || true
  exit 1
}

xvfb_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  true
}
trap cleanup EXIT

# A display of its own; Xvfb picks a free number and reports it.
display_file="$logs/display"
Xvfb -displayfd 3 -screen 0 1280x960x24 -nolisten tcp 3>"$display_file" \
  >"$logs/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
  [ -s "$display_file" ] && break
  sleep 0.2
done
[ -s "$display_file" ] || fail "Xvfb did not start"
display=$(head -n1 "$display_file")
export DISPLAY=":$display"

# A screenshot of the whole display into the log folder, numbered in order; its file name is
# left in last_shot (a counter kept in this shell, so never called in a subshell).
shot_count=0
last_shot=""
shot() {  # name
  shot_count=$((shot_count + 1))
  last_shot="$logs/$(printf '%02d' "$shot_count")-$1.png"
  import -window root "$last_shot"
}

# The words OCR reads on a screenshot, one line per word: left top width height text, in screen
# pixels. The picture is made grey, enlarged and cut to black and white first, twice: at a dark
# cut for the side bar's grey captions on white, and at a light one for the grey text of
# read-only boxes; the words of both readings are listed one after the other.
ocr_words() {  # png
  local big="${1%.png}.ocr.png" pass zoom cut
  for pass in 3:75 2:90; do
    zoom=${pass%:*} cut=${pass#*:}
    convert "$1" -colorspace Gray -resize "$((zoom * 100))%" -threshold "$cut%" "$big"
    tesseract "$big" - --psm 11 tsv 2>/dev/null |
      awk -F'\t' -v z="$zoom" 'NR > 1 && $12 != "" && $11 >= 0 {
        print int($7 / z), int($8 / z), int($9 / z), int($10 / z), $12 }'
  done
  rm -f "$big"
}

# Which of the phrases a screenshot does not show, one a line. OCR reads the words of a line in
# order, but may put another column's words between them, split or join a word at punctuation,
# or miss a dot: so words are compared as lower-case letters and digits only, and the words of
# a phrase must come in order with at most two others between neighbours. The words read are
# kept in the log folder beside the picture.
missing_phrases() {  # png phrase...
  local png=$1
  shift
  local words="${png%.png}.txt"
  ocr_words "$png" >"$words"
  python3 - "$words" "$@" <<'PY'
import re, sys
norm = lambda w: re.sub(r"[^a-z0-9]", "", w.lower())
read = [norm(line.split(" ", 4)[4]) for line in open(sys.argv[1]) if line.count(" ") >= 4]
read = [w for w in read if w]
def shows(phrase):
    want = [w for w in map(norm, phrase.split()) if w]
    for start in range(len(read)):
        if read[start] != want[0]:
            continue
        at, ok = start, True
        for word in want[1:]:
            ahead = [k for k in range(at + 1, min(at + 4, len(read))) if read[k] == word]
            if not ahead:
                ok = False
                break
            at = ahead[0]
        if ok:
            return True
    return False
for phrase in sys.argv[2:]:
    if not shows(phrase):
        print(phrase)
PY
}

# Clicks the middle of a caption of one or more words found on the screen (its first
# occurrence left of max_x, to tell the side bar from the pages).
click_caption() {  # max_x caption...
  local max_x=$1
  shift
  shot "before-click-$(echo "$*" | tr -c 'a-zA-Z' '-')"
  local png=$last_shot
  local words="${png%.png}.txt"
  ocr_words "$png" >"$words"
  local target
  target=$(awk -v max_x="$max_x" -v want="$*" '
    BEGIN { n = split(tolower(want), w, " ") }
    { x[NR] = $1; y[NR] = $2; wd[NR] = $3; ht[NR] = $4; t[NR] = tolower($5) }
    END {
      for (i = 1; i + n - 1 <= NR; i++) {
        ok = 1
        for (k = 1; k <= n; k++) if (t[i + k - 1] != w[k]) ok = 0
        if (ok && x[i] < max_x) {
          last = i + n - 1
          print int((x[i] + x[last] + wd[last]) / 2), int(y[i] + ht[i] / 2)
          exit
        }
      }
    }' "$words")
  [ -n "$target" ] || return 1
  # shellcheck disable=SC2086
  xdotool mousemove $target click 1
}

# The visible top-level windows with exactly this title.
windows_titled() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }

# Waits until a window with this title is shown, or until none is ("gone").
wait_window() {  # shown|gone title seconds
  local found
  for _ in $(seq $(($3 * 2))); do
    found=$(windows_titled "$2")
    if [ "$1" = shown ]; then [ -n "$found" ] && return 0; else [ -z "$found" ] && return 0; fi
    sleep 0.5
  done
  return 1
}

# The right edge of the main window's side bar (240 pixels wide) on the screen.
side_bar_right() {
  local window X
  window=$(windows_titled Orvane | head -n1)
  [ -n "$window" ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^X=')"
  echo $((X + 240))
}

press() {  # window-title keys...: focuses the window, then types the keys
  local title=$1 window
  shift
  window=$(windows_titled "$title" | head -n1)
  [ -n "$window" ] || return 1
  xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
  sleep 0.5
  xdotool key "$@"
}

# Waits until the screen shows every phrase (as missing_phrases compares them), re-reading it
# as the window fills in; names the missing ones otherwise.
expect_text() {  # name seconds phrase...
  local name=$1 seconds=$2
  shift 2
  local deadline=$((SECONDS + seconds)) missing
  while :; do
    shot "$name"
    missing=$(missing_phrases "$last_shot" "$@")
    [ -z "$missing" ] && return 0
    [ $SECONDS -ge $deadline ] && break
    sleep 2
  done
  echo "FAIL: the screen ($last_shot) does not show:"
  echo "$missing" | sed 's/^/  /'
  return 1
}

step "booting the Wine prefix $WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineserver -p  # up until the end, as it may otherwise quit between the boot and the program
timeout 300 wineboot >/dev/null 2>&1 || fail "wineboot failed"

step "starting orvane.exe"
cd "$stage"
wine orvane.exe >"$logs/orvane.log" 2>&1 &
program_pid=$!
wait_window shown Orvane 120 || fail "no window titled \"Orvane\" within 120 s"
[ "$(windows_titled Orvane | wc -l)" -eq 1 ] || fail "more than one window titled \"Orvane\""
expect_text main-window 60 "Internet Status" "Share my Internet" "Options" "A&bout" ||
  fail "the main window does not show its side bar and first page"

step "the Share My Internet page: no sharing service, no Wi-Fi"
bar_right=$(side_bar_right) || fail "the main window is gone"
click_caption "$bar_right" Share my Internet || fail "found no \"Share my Internet\" in the side bar"
expect_text share-page 60 "Not found." "Please make sure the Wi-Fi switch is turned on." \
  "Your current connection is not available for sharing your Internet." ||
  fail "the page does not report the missing Wi-Fi and sharing service"

step "Options opens and closes"
click_caption "$bar_right" Options || fail "found no \"Options\" in the side bar"
wait_window shown Options 30 || fail "no window titled \"Options\" after clicking Options"
shot options
press Options Escape
wait_window gone Options 30 || fail "the Options window did not close on Escape"

step "About opens and closes"
press Orvane alt+b
wait_window shown About 30 || fail "no window titled \"About\" after Alt+B"
shot about
press About Escape
wait_window gone About 30 || fail "the About window did not close on Escape"

step "Exit ends the program"
press Orvane alt+e
status=0
for _ in $(seq 120); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.5
done
if kill -0 "$program_pid" 2>/dev/null; then
  fail "orvane.exe still runs 60 s after Exit"
fi
wait "$program_pid" || status=$?
program_pid=""
[ "$status" -eq 0 ] || fail "orvane.exe ended with exit code $status"
[ -z "$(windows_titled Orvane)" ] || fail "a window titled \"Orvane\" is left after Exit"
echo "orvane.exe ran, showed its windows and ended with code 0; screenshots in $logs"
