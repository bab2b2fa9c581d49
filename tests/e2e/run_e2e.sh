#!/usr/bin/env bash
# The real program in a real X server: open a document from the command line, type
# romanised keys with xdotool, save with Ctrl+S, compare the bytes, leave by File > Exit.
# Keeps a screenshot for a person to look at.
set -euo pipefail
exe=${1:?usage: run_e2e.sh ORVANE ARTIFACT_DIR}
artifacts=${2:?}
mkdir -p "$artifacts"
work=$(mktemp -d)
xvfb_pid= app_pid=
cleanup() {
  [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "e2e: $*" >&2; [[ -s $work/orvane.log ]] && tail -n 60 "$work/orvane.log" >&2; exit 1; }

# A free display, chosen by the server itself.
exec 3<> "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s $work/displayfd ]] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/displayfd")"
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work"
# Settings and recovery files of its own: nothing the user's runs left behind answers for it.
export XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"

doc="$work/my letter.tam"
printf 'tzf;fk;\r\n' > "$doc"   # "vanakkam" in Bamini codes
"$exe" "$doc" 2>"$work/orvane.log" &
app_pid=$!
wid=$(timeout 20 xdotool search --sync --name '^Orvane \[' | head -n1) || fail "no window"
title=$(xdotool getwindowname "$wid")
[[ $title == "Orvane [ $doc ]" ]] || fail "caption is '$title'"
xdotool windowfocus --sync "$wid"
sleep 0.3

xdotool key --delay 40 ctrl+End Return
xdotool type --delay 40 'damiz. xezud.du kY, sa ha Sa'
xdotool key --delay 40 Return
# A middle-click pastes the X selection through the same path as Paste: Tamil Unicode in.
printf 'வணக்கம் ' | xclip -selection primary
xdotool mousemove --window "$wid" 400 400 click 2
sleep 0.3
xdotool type --delay 40 'k'
sleep 0.5
import -window root "$artifacts/orvane-e2e.png"
xdotool key --delay 40 ctrl+s

expected=$(printf 'tzf;fk;\r\njkpo; vOj;J nfs> ] ` \\\r\ntzf;fk; \r\n' | od -An -tx1)
for _ in $(seq 100); do
  [[ $(od -An -tx1 "$doc") == "$expected" ]] && break
  sleep 0.05
done
[[ $(od -An -tx1 "$doc") == "$expected" ]] || fail "saved bytes: $(od -An -c "$doc")"

# Find by Tamil letters: Ctrl+F, the word typed as romanised keys, Enter selects it; typed
# over once the bar is closed.
xdotool key --delay 40 ctrl+f
xdotool type --delay 40 'damiz.'
xdotool key --delay 40 Return
sleep 0.3
import -window root "$artifacts/orvane-find.png"
xdotool key --delay 40 Escape
# The keyboard map (F1), with a consonant pending: its vowel keys show the syllables.
xdotool type --delay 40 'k'
xdotool key --delay 40 F1
kid=$(timeout 10 xdotool search --sync --onlyvisible --name '^Keyboard$' | head -n1) || fail "no keyboard map"
sleep 0.5
import -window "$kid" "$artifacts/orvane-keyboard.png"
xdotool key --delay 40 Escape
sleep 0.3
xdotool windowfocus --sync "$wid" key --delay 40 Escape
xdotool type --delay 40 'ka'
xdotool key --delay 40 ctrl+s
expected=$(printf 'tzf;fk;\r\nf vOj;J nfs> ] ` \\\r\ntzf;fk; \r\n' | od -An -tx1)
for _ in $(seq 100); do [[ $(od -An -tx1 "$doc") == "$expected" ]] && break; sleep 0.05; done
[[ $(od -An -tx1 "$doc") == "$expected" ]] || fail "after find: $(od -An -c "$doc")"

# Export as PDF (Ctrl+Shift+E) loads the print module; the dialog offers "my letter.pdf"
# beside the document, and the PDF's text is the Tamil.
xdotool key --delay 40 ctrl+shift+e
did=$(timeout 10 xdotool search --sync --onlyvisible --name 'Export|Save|PDF' | head -n1) || fail "no PDF dialog"
sleep 0.5
xdotool windowfocus --sync "$did" key --delay 100 Return
pdf="$work/my letter.pdf"
for _ in $(seq 100); do [[ -s $pdf ]] && break; sleep 0.1; done
pdftotext "$pdf" - 2>/dev/null | grep -q 'வணக்கம்' || fail "the exported PDF lacks the text: $(pdftotext "$pdf" - 2>&1 | head -n3)"
xdotool windowfocus --sync "$wid"

# Nothing unsaved now: File > Exit ends the program at once, window and process alike
# (a process lingering after its window is gone holds its files and its place in the dock).
xdotool key --delay 100 alt+f
xdotool key x
for _ in $(seq 10); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.05; done
if kill -0 "$app_pid" 2>/dev/null; then fail "still running half a second after File > Exit"; fi
wait "$app_pid" || fail "exit status $?"
app_pid=

# Nothing typed is lost: a page typed and then killed outright (kill -9), or ended by a
# signal, comes back at the next start, byte for byte.
draft="$work/draft.tam"
start() {
  "$exe" "$@" 2>>"$work/orvane.log" &
  app_pid=$!
  wid=$(timeout 20 xdotool search --sync --onlyvisible --pid "$app_pid" --name '^Orvane \[' | head -n1) \
    || fail "no window"
  xdotool windowfocus --sync "$wid"
  sleep 0.3
}
restore_and_save() {  # the next start offers the text; Yes, then Ctrl+S
  start
  rid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Recovery$' | head -n1) || fail "no recovery question"
  xdotool windowfocus --sync "$rid" key --delay 100 Return
  sleep 0.5
  xdotool windowfocus --sync "$wid" key --delay 100 ctrl+s
  for _ in $(seq 100); do [[ $(od -An -tx1 "$draft" 2>/dev/null) == "$1" ]] && break; sleep 0.05; done
  [[ $(od -An -tx1 "$draft" 2>/dev/null) == "$1" ]] || fail "restored bytes: $(od -An -c "$draft" 2>&1)"
  xdotool key --delay 100 alt+f x
  wait "$app_pid" || fail "exit status $? after restoring"
  app_pid=
}
start "$draft"
xdotool type --delay 40 'vaOak.kam. '
xdotool key --delay 40 Return
xdotool type --delay 40 'damiz. sa ha Sa'
for _ in $(seq 100); do ls "$XDG_STATE_HOME"/orvane/recovery/*.recovery >/dev/null 2>&1 && break; sleep 0.1; done
kill -9 "$app_pid"; wait "$app_pid" 2>/dev/null || true; app_pid=
restore_and_save "$(printf 'tzf;fk; \r\njkpo; ] ` \\\r\n' | od -An -tx1)"

start "$draft"
xdotool type --delay 40 'ka'
kill -TERM "$app_pid"
wait "$app_pid" && fail "a signal that ends the program must not look like success"
app_pid=
restore_and_save "$(printf 'ftzf;fk; \r\njkpo; ] ` \\\r\n' | od -An -tx1)"  # typed at the caret, at the start

# A signal while a question is open (New asks about the unsaved text): the question is never
# answered, and the text stays in the recovery file.
start "$draft"
xdotool type --delay 40 'ka'
for _ in $(seq 100); do ls "$XDG_STATE_HOME"/orvane/recovery/*.recovery >/dev/null 2>&1 && break; sleep 0.1; done
xdotool key --delay 40 ctrl+n
timeout 10 xdotool search --sync --onlyvisible --name '^Save$' >/dev/null || fail "no question on New"
kill -TERM "$app_pid"
wait "$app_pid" && fail "a signal during a question must not look like success"
app_pid=
ls "$XDG_STATE_HOME"/orvane/recovery/*.recovery >/dev/null 2>&1 || fail "a signal during a question lost the recovery file"
restore_and_save "$(printf 'fftzf;fk; \r\njkpo; ] ` \\\r\n' | od -An -tx1)"

# Keys pressed while a large document is read in are kept and go in, in order, once the text
# is in: Ctrl+End, a syllable and Ctrl+S, sent the moment the window shows.
big="$work/big.tam"
awk 'BEGIN { for (i = 0; i < 600000; i++) printf "tzf;fk; %d\r\n", i }' > "$big"
"$exe" "$big" 2>>"$work/orvane.log" &
app_pid=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --pid "$app_pid" --name '^Orvane \[' | head -n1) || fail "no window"
xdotool windowfocus --sync "$wid" key --delay 20 ctrl+End k a ctrl+s
want=$(printf ' 599999f\r\n' | od -An -tx1)
for _ in $(seq 200); do [[ $(tail -c 10 "$big" | od -An -tx1) == "$want" ]] && break; sleep 0.05; done
[[ $(tail -c 10 "$big" | od -An -tx1) == "$want" ]] || fail "keys typed while loading: $(tail -c 20 "$big" | od -An -c)"
[[ $(head -c 11 "$big" | od -An -tx1) == "$(printf 'tzf;fk; 0\r\n' | od -An -tx1)" ]] || fail "the start of the large document changed: $(head -c 40 "$big" | od -An -c)"
import -window root "$artifacts/orvane-large.png"
xdotool key --delay 100 alt+f x
wait "$app_pid" || fail "exit status $? after the large document"
app_pid=
# Once a question is answered, the window's shortcuts work at once, with no click on the
# window first (where no window manager gives the keyboard back to it, Qt took the window for
# inactive: keys typed, but Ctrl+S and F12 did nothing).
asked="$work/asked.tam"
start "$asked"
xdotool type --delay 40 'ka'
xdotool key --delay 40 ctrl+n
qid=$(timeout 10 xdotool search --sync --onlyvisible --name '^Save$' | head -n1) || fail "no question on New"
xdotool windowfocus --sync "$qid" key --delay 100 Escape  # closed unanswered: New is called off
sleep 0.3
xdotool key --delay 40 F12 ctrl+s
want=$(printf 'f\r\n' | od -An -tx1)
for _ in $(seq 100); do [[ -s $asked && $(od -An -tx1 "$asked") == "$want" ]] && break; sleep 0.05; done
[[ $(od -An -tx1 "$asked") == "$want" ]] || fail "Ctrl+S after a question: $(od -An -c "$asked" 2>&1)"
xdotool key --delay 40 F12 k a ctrl+s  # F12 took English off again: ka is Tamil
want=$(printf 'ff\r\n' | od -An -tx1)
for _ in $(seq 100); do [[ $(od -An -tx1 "$asked") == "$want" ]] && break; sleep 0.05; done
[[ $(od -An -tx1 "$asked") == "$want" ]] || fail "F12 after a question: $(od -An -c "$asked" 2>&1)"
xdotool key --delay 100 alt+f x
wait "$app_pid" || fail "exit status $? after the question"
app_pid=
# Keys typed on a keyboard layout the settings keep from an earlier run, saved: the file
# must hold exactly the codes. typed_on LAYOUT KEYS CODES
typed_on() {
  if grep -q '^keyboard=' "$XDG_CONFIG_HOME/Orvane/Orvane.ini"; then
    sed -i "s/^keyboard=.*/keyboard=$1/" "$XDG_CONFIG_HOME/Orvane/Orvane.ini"
  else
    printf '\n[typing]\nkeyboard=%s\n' "$1" >> "$XDG_CONFIG_HOME/Orvane/Orvane.ini"
  fi
  local file="$work/typed-$1.tam" want
  start "$file"
  xdotool type --delay 40 "$2"
  sleep 0.3
  import -window root "$artifacts/orvane-$1.png"
  xdotool key --delay 40 ctrl+s
  want=$(printf '%s\r\n' "$3" | od -An -tx1)
  for _ in $(seq 100); do [[ -s $file && $(od -An -tx1 "$file") == "$want" ]] && break; sleep 0.05; done
  [[ $(od -An -tx1 "$file") == "$want" ]] || fail "typed on $1: $(od -An -c "$file" 2>&1)"
  xdotool key --delay 100 alt+f x
  wait "$app_pid" || fail "exit status $? after typing on $1"
  app_pid=
}
# A Tamil99 typist's keys: வணக்கம் அப்பா, a doubled consonant and a vowel after it.
typed_on tamil99 'vphhkf ajjq' 'tzf;fk; mg;gh'
# A Bamini typist's keys on the typewriter layout: each key is its code, as in a word
# processor with the Bamini font (வணக்கம் அம்மா).
typed_on bamini 'tzf;fk; mk;kh' 'tzf;fk; mk;kh'
echo "e2e: passed; screenshot in $artifacts/orvane-e2e.png"
