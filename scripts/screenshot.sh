#!/usr/bin/env bash
# Pictures of the desktop program on a virtual display, for a look at it without a desktop:
#   scripts/screenshot.sh [FOLDER]        (default: screenshots/)
# Starts Xvfb (1600x1000, 24 bits) on a free display, runs Kestrel there on the default
# frameworks (GNUstep's headers on Debian) with a fresh home, NSView selected, and saves
#   1-windows.png        the main and tree windows
#   2-method-menu.png    NSView's method menu, opened by double-clicking its box
#   3-submenu.png        the menu's first item, a submenu (Protocols or Categories), under the
#                        pointer, with the submenu open
#   4-class-panel.png    a method chosen from that menu, in the class information panel with its
#                        argument information
#   5-find.png           the find panel: methods holding "draw" and "rect", the first selected
#   6-functions.png      the function browser, a function selected
#   7-structs.png        the struct and enum viewer, a struct selected
#   8-comments.png       the comment editor, a method selected and commented
#   9-urls.png           the class URL editor, a class selected
#   10-private.png       the private-header dialog
#   11-preferences.png   the preferences dialog
#   12-header.png        the header viewer (View > Show Header) at the class selected last
#   13-header-find.png   the same with its find bar, "rect" found
#   14-quickopen.png     Open Quickly (Ctrl+K) over the main window, "iwf" typed
#   15-quickopen-shown.png  Return: the first result shown in the Class tab
#   16-quick-help.png    the find panel: methods holding "lock" and "focus", the first selected,
#                        with its Quick Help (documentation, availability, place) below
#   17-hide-deprecated.png  the same after View > Hide Deprecated
# KESTREL_FONT_SIZE=14 sets the font of the tree and lists to the system font at that size.
# KESTREL_FRAMEWORKS_ROOT=DIR reads another frameworks folder (an SDK's, whose headers deprecate
# methods: they show struck through, and the last picture without them).
# It stops only the Xvfb and kestrel it started and removes its temporary home.
set -euo pipefail
OUT=$(realpath -m "${1:-$(dirname "$0")/../screenshots}")
cd "$(dirname "$0")/.."
CLASS=NSView

bash scripts/setup.sh >&2
mkdir -p "$OUT"
KESTREL=$PWD/build/src/kestrel

WORK=$(mktemp -d "${TMPDIR:-/tmp}/kestrel-screenshot.XXXXXX")
XVFB_PID=""
KESTREL_PID=""
# Ends one process this script started, by its id: asked first, forced after five seconds.
end() {
  [ -n "$1" ] || return 0
  kill "$1" 2>/dev/null || return 0
  for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  kill -KILL "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}
stop() {
  end "$KESTREL_PID"
  end "$XVFB_PID"
  rm -rf "$WORK"
}
trap stop EXIT
trap 'exit 130' INT TERM HUP

# Xvfb picks a free display number itself and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
for _ in $(seq 100); do
  [ -s "$WORK/display" ] && break
  kill -0 "$XVFB_PID" 2>/dev/null || { cat "$WORK/xvfb.log" >&2; echo "screenshot: Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
[ -s "$WORK/display" ] || { echo "screenshot: Xvfb gave no display number" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$WORK/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
echo "screenshot: virtual display $DISPLAY" >&2

mkdir -p "$WORK/home/.config"
if [ -n "${KESTREL_FONT_SIZE:-}" ]; then
  cat >"$WORK/home/.config/Kestrel.plist" <<PLIST
<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0"><dict><key>fontName</key><string></string><key>pointSize</key><real>$KESTREL_FONT_SIZE</real></dict></plist>
PLIST
fi
HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" "$KESTREL" --select "$CLASS" >"$WORK/kestrel.log" 2>&1 &
KESTREL_PID=$!

alive() {
  kill -0 "$KESTREL_PID" 2>/dev/null && return 0
  echo "screenshot: kestrel ended early:" >&2
  cat "$WORK/kestrel.log" >&2
  exit 1
}

# The tree window, by its title.
TREE=""
for _ in $(seq 300); do
  alive
  TREE=$(xdotool search --onlyvisible --name '^Class Tree$' 2>/dev/null | head -n1 || true)
  [ -n "$TREE" ] && break
  sleep 0.2
done
[ -n "$TREE" ] || { echo "screenshot: the tree window did not appear" >&2; exit 1; }

# The tree is built (on a fresh home) after the windows appear: wait until the screen stays
# the same for a second, at most a minute.
screen_sum() { import -display "$DISPLAY" -window root -depth 8 rgb:- 2>/dev/null | md5sum; }
last="" same=0
for _ in $(seq 120); do
  alive
  now=$(screen_sum)
  if [ "$now" = "$last" ]; then same=$((same + 1)); else same=0; fi
  last=$now
  [ "$same" -ge 2 ] && break
  sleep 0.5
done

import -display "$DISPLAY" -window root "$OUT/1-windows.png"
echo "screenshot: $OUT/1-windows.png" >&2

# The tree window's geometry (there is no window manager: no frame, the position is the
# window's own). Its only content is the scroll area, without a frame or margins; the visible
# area is the window less the scroll bars (Fusion's are 14 pixels thick; the whole tree of
# GNUstep's classes needs both).
eval "$(xdotool getwindowgeometry --shell "$TREE")"
TREE_X=$X TREE_Y=$Y
SCROLLBAR=${KESTREL_SCROLLBAR:-14}
VIEW_W=$((WIDTH - SCROLLBAR))
VIEW_H=$((HEIGHT - SCROLLBAR))
# The selected class is scrolled to so that the middle of the visible area is 9 points above
# the top of its box (140 x 18 points), horizontally at the box's middle: the box's middle is
# 18 points below the visible area's middle.
CLICK_X=$((TREE_X + (VIEW_W + 1) / 2))
CLICK_Y=$((TREE_Y + (VIEW_H + 1) / 2 + 18))
echo "screenshot: tree window ${WIDTH}x${HEIGHT}+${TREE_X}+${TREE_Y}; $CLASS's box expected centred at $CLICK_X,$CLICK_Y" >&2
# The selected box is the one filled yellow: where the picture shows it, its middle is the
# surer target (the fold button sits at the box's right end).
BOX=$(convert "$OUT/1-windows.png" -crop "${VIEW_W}x${VIEW_H}+${TREE_X}+${TREE_Y}" +repage \
        -fill black +opaque yellow -format '%@' info: 2>/dev/null || true)
if [[ $BOX =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] && [ "${BASH_REMATCH[1]}" -ge 100 ] \
   && [ "${BASH_REMATCH[1]}" -le 320 ] && [ "${BASH_REMATCH[2]}" -ge 10 ] && [ "${BASH_REMATCH[2]}" -le 40 ]; then
  FOUND_X=$((TREE_X + BASH_REMATCH[3] + BASH_REMATCH[1] / 2))
  FOUND_Y=$((TREE_Y + BASH_REMATCH[4] + BASH_REMATCH[2] / 2))
  if [ $((FOUND_X - CLICK_X)) -ne 0 ] || [ $((FOUND_Y - CLICK_Y)) -ne 0 ]; then
    echo "screenshot: the selected box is drawn centred at $FOUND_X,$FOUND_Y," \
         "$((FOUND_X - CLICK_X)),$((FOUND_Y - CLICK_Y)) from where it was expected" >&2
  fi
  CLICK_X=$FOUND_X CLICK_Y=$FOUND_Y
else
  echo "screenshot: no selected box found in the picture; double-clicking where it is expected" >&2
fi
echo "screenshot: double-clicking $CLASS at $CLICK_X,$CLICK_Y" >&2

before=$(xdotool search --onlyvisible --pid "$KESTREL_PID" 2>/dev/null | sort)
xdotool mousemove "$CLICK_X" "$CLICK_Y"
sleep 0.3
xdotool click --repeat 2 --delay 80 1
sleep 1
alive
import -display "$DISPLAY" -window root "$OUT/2-method-menu.png"
echo "screenshot: $OUT/2-method-menu.png" >&2

# The menu is a new window: hover its first item (a submenu when the class has protocols or
# categories) and wait for the submenu to open.
MENU=$(comm -13 <(echo "$before") <(xdotool search --onlyvisible --pid "$KESTREL_PID" 2>/dev/null | sort) | head -n1 || true)
if [ -n "$MENU" ]; then
  eval "$(xdotool getwindowgeometry --shell "$MENU")"
  xdotool mousemove $((X + 40)) $((Y + 12))
  sleep 1.2
  import -display "$DISPLAY" -window root "$OUT/3-submenu.png"
  echo "screenshot: $OUT/3-submenu.png" >&2
  xdotool key Escape
  # The first method below the submenu and the separator: choose it.
  sleep 0.3
  xdotool mousemove $((X + 60)) $((Y + 35))
  sleep 0.4
  xdotool click 1
  sleep 0.8
  import -display "$DISPLAY" -window root "$OUT/4-class-panel.png"
  echo "screenshot: $OUT/4-class-panel.png" >&2
else
  echo "screenshot: no menu window appeared; no third and fourth picture" >&2
fi

# The main window's tabs, by their place below its top-left corner (Fusion's metrics).
MAIN=$(xdotool search --onlyvisible --name '^Kestrel$' 2>/dev/null | head -n1 || true)
if [ -n "$MAIN" ]; then
  eval "$(xdotool getwindowgeometry --shell "$MAIN")"
  MAIN_X=$X MAIN_Y=$Y
  # The toolbar (Back, Forward, Open Quickly) between the menu bar and the class row.
  BAR=${KESTREL_TOOLBAR:-40}
  xdotool mousemove $((MAIN_X + 89)) $((MAIN_Y + BAR + 73)) click 1   # Find
  sleep 0.4
  # Methods, the target pop-up's first choice.
  xdotool mousemove $((MAIN_X + 320)) $((MAIN_Y + BAR + 106)) click 1  # the keywords
  xdotool type --delay 40 "draw rect"
  sleep 0.8
  xdotool mousemove $((MAIN_X + 150)) $((MAIN_Y + BAR + 134)) click 1  # the first result
  sleep 0.6
  import -display "$DISPLAY" -window root "$OUT/5-find.png"
  echo "screenshot: $OUT/5-find.png" >&2
  xdotool mousemove $((MAIN_X + 154)) $((MAIN_Y + BAR + 73)) click 1  # Functions
  sleep 0.4
  xdotool mousemove $((MAIN_X + 150)) $((MAIN_Y + BAR + 200)) click 1
  sleep 0.6
  import -display "$DISPLAY" -window root "$OUT/6-functions.png"
  echo "screenshot: $OUT/6-functions.png" >&2
  xdotool key ctrl+shift+e
  VIEWER=""
  for _ in $(seq 25); do
    VIEWER=$(xdotool search --onlyvisible --name '^Structs and Enums$' 2>/dev/null | head -n1 || true)
    [ -n "$VIEWER" ] && break
    sleep 0.2
  done
  if [ -n "$VIEWER" ]; then
    eval "$(xdotool getwindowgeometry --shell "$VIEWER")"
    xdotool mousemove $((X + 60)) $((Y + 70)) click 1
    sleep 0.6
    import -display "$DISPLAY" -window root "$OUT/7-structs.png"
    echo "screenshot: $OUT/7-structs.png" >&2
    xdotool key Escape
    xdotool mousemove $((X + 40)) $((Y + 40))
  else
    echo "screenshot: the struct and enum viewer did not appear" >&2
  fi

  # The dialogs, each opened by its shortcut from the main window and found by its title.
  # shot NAME TITLE KEYS: opens, clicks the first row of its list (OFFSET from its top-left
  # corner, when given), saves the picture and closes it with Escape.
  shot() {
    local file=$1 title=$2 keys=$3 offset=${4:-}
    xdotool mousemove $((MAIN_X + 300)) $((MAIN_Y + 40)) click 1
    sleep 0.2
    xdotool key "$keys"
    local window=""
    for _ in $(seq 25); do
      window=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n1 || true)
      [ -n "$window" ] && break
      sleep 0.2
    done
    if [ -z "$window" ]; then
      echo "screenshot: no window titled $title appeared" >&2
      return 0
    fi
    eval "$(xdotool getwindowgeometry --shell "$window")"
    if [ -n "$offset" ]; then
      xdotool mousemove $((X + ${offset%,*})) $((Y + ${offset#*,})) click 1
      sleep 0.4
    fi
    import -display "$DISPLAY" -window root "$OUT/$file"
    echo "screenshot: $OUT/$file" >&2
    xdotool key Escape
    sleep 0.4
  }
  shot 8-comments.png '^Comments' ctrl+shift+c 120,110
  shot 9-urls.png '^Class URLs' ctrl+shift+u 100,60
  shot 10-private.png '^Private Headers' ctrl+shift+p
  shot 11-preferences.png '^Preferences$' ctrl+comma

  # The header viewer, from the Class tab (the method chosen from the menu above).
  xdotool mousemove $((MAIN_X + 300)) $((MAIN_Y + 40)) click 1
  xdotool mousemove $((MAIN_X + 35)) $((MAIN_Y + BAR + 73)) click 1   # Class
  sleep 0.3
  xdotool key ctrl+shift+h
  HEADER=""
  for _ in $(seq 25); do
    HEADER=$(xdotool search --onlyvisible --name "\\.h( |$)" 2>/dev/null | head -n1 || true)
    [ -n "$HEADER" ] && break
    sleep 0.2
  done
  if [ -n "$HEADER" ]; then
    sleep 0.6
    import -display "$DISPLAY" -window root "$OUT/12-header.png"
    echo "screenshot: $OUT/12-header.png" >&2
    xdotool key ctrl+f
    sleep 0.2
    xdotool type --delay 40 "rect"
    sleep 0.6
    import -display "$DISPLAY" -window root "$OUT/13-header-find.png"
    echo "screenshot: $OUT/13-header-find.png" >&2
  else
    echo "screenshot: the header viewer did not appear" >&2
  fi
fi

# Open Quickly over the main window: "iwf" typed, the best results listed; then Return shows
# the first in the Class tab.
if [ -n "$MAIN" ]; then
  # The header viewer closed: Escape closes its find bar, then the window.
  xdotool key Escape
  sleep 0.3
  xdotool key Escape
  sleep 0.3
  xdotool mousemove $((MAIN_X + 300)) $((MAIN_Y + 40)) click 1
  sleep 0.2
  xdotool key ctrl+k
  sleep 0.6
  xdotool type --delay 60 "iwf"
  sleep 0.8
  import -display "$DISPLAY" -window root "$OUT/14-quickopen.png"
  echo "screenshot: $OUT/14-quickopen.png" >&2
  xdotool key Return
  sleep 0.8
  import -display "$DISPLAY" -window root "$OUT/15-quickopen-shown.png"
  echo "screenshot: $OUT/15-quickopen-shown.png" >&2
fi

if [ -n "$MAIN" ]; then
  # Quick Help of a find result, then the same search with deprecated methods hidden.
  xdotool key Escape
  sleep 0.2
  xdotool key Escape
  sleep 0.3
  xdotool mousemove $((MAIN_X + 300)) $((MAIN_Y + 40)) click 1
  xdotool mousemove $((MAIN_X + 89)) $((MAIN_Y + BAR + 73)) click 1   # Find
  sleep 0.3
  xdotool mousemove $((MAIN_X + 320)) $((MAIN_Y + BAR + 106)) click 1  # the keywords
  xdotool key ctrl+a
  xdotool type --delay 40 "lock focus"
  sleep 0.8
  xdotool mousemove $((MAIN_X + 150)) $((MAIN_Y + BAR + 134)) click 1  # the first result
  sleep 0.6
  import -display "$DISPLAY" -window root "$OUT/16-quick-help.png"
  echo "screenshot: $OUT/16-quick-help.png" >&2
  xdotool key alt+v
  sleep 0.4
  xdotool key d
  sleep 0.6
  xdotool mousemove $((MAIN_X + 150)) $((MAIN_Y + BAR + 134)) click 1
  sleep 0.6
  import -display "$DISPLAY" -window root "$OUT/17-hide-deprecated.png"
  echo "screenshot: $OUT/17-hide-deprecated.png" >&2
fi
