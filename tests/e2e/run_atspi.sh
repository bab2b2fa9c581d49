#!/usr/bin/env bash
# A screen reader's view of the real program: under Xvfb, on a session bus with the
# accessibility bus, romanised keys typed with xdotool; AT-SPI must read the Tamil, not
# the Bamini codes.
set -euo pipefail
exe=${1:?usage: run_atspi.sh ORVANE}
here=$(cd "$(dirname "$0")" && pwd)
if [[ -z ${DBUS_SESSION_BUS_ADDRESS:-} || -z ${ORVANE_ATSPI_INNER:-} ]]; then
  ORVANE_ATSPI_INNER=1 exec dbus-run-session -- bash "$0" "$@"
fi
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work" 2>/dev/null || true
}
trap cleanup EXIT
fail() { echo "atspi: $*" >&2; exit 1; }

exec 3<> "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [[ -s $work/displayfd ]] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/displayfd")" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work"
export XDG_STATE_HOME="$work/state" XDG_CONFIG_HOME="$work/config"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
sleep 0.5
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$exe" 2>"$work/orvane.log" &
pids+=($!)
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Orvane \[' | head -n1) || fail "no window"
xdotool windowfocus --sync "$wid"
sleep 0.3
xdotool type --delay 40 'vaOak.kam.'
sleep 0.5
read=$(timeout 30 /usr/bin/python3 "$here/read_text_box.py") || fail "nothing read"
[[ $read == "வணக்கம்" ]] || fail "AT-SPI read '$read'"
echo "atspi: read வணக்கம் from the text box"
