#!/usr/bin/env bash
# A screen reader's view of the real program: under Xvfb, on a session bus with the
# accessibility bus, romanised keys typed with xdotool; AT-SPI must read the Tamil, not
# the Bamini codes.
set -euo pipefail
exe=${1:?usage: run_atspi.sh ORVANE}
here=$(cd "$(dirname "$0")" && pwd)
# Inside with_atspi.sh: Xvfb, the session and accessibility buses, Qt's accessibility on.
if [[ -z ${ORVANE_ATSPI_READY:-} ]]; then
  ORVANE_ATSPI_READY=1 exec bash "$here/with_atspi.sh" bash "$0" "$@"
fi
log=$(mktemp)
"$exe" 2>"$log" &
orvane=$!
trap 'kill $orvane 2>/dev/null || true; wait 2>/dev/null || true; rm -f "$log"' EXIT
fail() { echo "atspi: $*" >&2; exit 1; }

wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Orvane \[' | head -n1) || fail "no window"
xdotool windowfocus --sync "$wid"
sleep 0.3
xdotool type --delay 40 'vaOak.kam.'
sleep 0.5
read=$(timeout 30 /usr/bin/python3 "$here/read_text_box.py") || fail "nothing read"
[[ $read == "வணக்கம்" ]] || fail "AT-SPI read '$read'"
echo "atspi: read வணக்கம் from the text box"
