#!/usr/bin/env bash
# Runs a command as a screen reader would find it: under Xvfb, on a session bus of its own
# with the accessibility bus launched, Qt's accessibility on (QT_LINUX_ACCESSIBILITY_ALWAYS_ON).
#   with_atspi.sh COMMAND [ARGS...]
set -euo pipefail
[[ $# -gt 0 ]] || { echo "usage: with_atspi.sh COMMAND [ARGS...]" >&2; exit 2; }
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

exec 3<> "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [[ -s $work/displayfd ]] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/displayfd")" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work"
export XDG_STATE_HOME="$work/state" XDG_CONFIG_HOME="$work/config" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
sleep 0.5
status=0
"$@" || status=$?
exit $status
