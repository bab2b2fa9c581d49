#!/usr/bin/env bash
# make bench: every figure beside the Qt floor (a bare Qt editor doing the same work) and the machine's floor (reading, writing, fsync, iconv, a window
# made with the X library alone), measured in the same run, the sides taking turns.
set -euo pipefail
build=${1:-build}
bench="$build/bench"
orvane="$build/orvane"
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

median() { sort -g | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }
fmt() { awk -v v="$1" -v d="$2" 'BEGIN {printf "%." d "f", v}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b > 0) printf "%.2fx", a/b; else print "-"}'; }
within() { awk -v a="$1" -v b="$2" -v t="$3" 'BEGIN {print (b > 0 && a/b <= t ? "yes" : "**no**")}'; }
below() { awk -v v="$1" -v t="$2" 'BEGIN {print (v < t ? "yes" : "**no**")}'; }
exec 4>&2
seconds() {  # wall time of a command; a failing one stops the bench with its message
  local TIMEFORMAT=%R
  { time "$@" >/dev/null 2>"$work/failed" || { cat "$work/failed" >&4; return 1; }; } 2>&1
}
peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n1; }     # its peak memory

exec 3<> "$work/displayfd"
# -noreset: the server would reset each time its last client leaves, and refuse the next one
# meanwhile (a start-up timed in that moment found "no X server").
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s $work/displayfd ]] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/displayfd")" QT_QPA_PLATFORM=xcb HOME="$work/home" XDG_RUNTIME_DIR="$work"
export XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"
mkdir -p "$HOME"

echo "bench: inputs ..." >&2
"$bench/bench_core" --inputs "$work"
"$orvane" --to-unicode "$work/prose.tam" "$work/prose.txt"

echo "bench: without a window ..." >&2
"$bench/bench_core" "$work/prose.tam" "$work/prose.txt" "$work/romanised.txt" > "$work/figures"
echo "bench: in the window (a minute or two) ..." >&2
"$bench/bench_window" "$work" >> "$work/figures"
"$bench/bench_window" "$work" view64 >> "$work/figures"
f() { awk -F= -v n="$1" '$1 == n {print $2}' "$work/figures"; }

echo "bench: batch conversions ..." >&2
declare -A conv_o conv_i conv_mem conv_range
# to-unicode keeps the words that read as English (the detector reads every word); with
# --all-tamil it reads every byte as a code.
modes=(to-unicode to-unicode-all-tamil from-unicode transliterate)
args_of() { case $1 in to-unicode-all-tamil) echo "--to-unicode --all-tamil" ;; *) echo "--$1" ;; esac; }
large_of() { [[ $1 == to-unicode* ]] || echo --large; }  # output past the open limit is fine here
input_of() { case $1 in to-unicode*) echo "$work/prose.tam" ;; from-unicode) echo "$work/prose.txt" ;; *) echo "$work/romanised.txt" ;; esac; }
iconv_of() { case $1 in from-unicode) echo "-f UTF-8 -t UTF-16LE" ;; *) echo "-f ISO-8859-1 -t UTF-8" ;; esac; }
for mode in "${modes[@]}"; do
  in=$(input_of "$mode")
  o=(); i=()
  for _ in $(seq 5); do
    # shellcheck disable=SC2046
    o+=("$(seconds "$orvane" $(args_of "$mode") $(large_of "$mode") "$in" /dev/null)")
    # shellcheck disable=SC2046
    i+=("$(seconds iconv $(iconv_of "$mode") "$in")")
  done
  conv_o[$mode]=$(printf '%s\n' "${o[@]}" | median)
  conv_range[$mode]="$(printf '%s\n' "${o[@]}" | sort -g | head -n1)–$(printf '%s\n' "${o[@]}" | sort -g | tail -n1)"
  conv_i[$mode]=$(printf '%s\n' "${i[@]}" | median)
  # shellcheck disable=SC2046
  conv_mem[$mode]=$(peak_kb "$orvane" $(args_of "$mode") $(large_of "$mode") "$in" /dev/null)
done
echo "bench: 1 GB through each batch mode ..." >&2
declare -A gb_mem
for mode in "${modes[@]}"; do
  in=$(input_of "$mode")
  copies=$(( (1 << 30) / $(stat -c %s "$in") + 1 ))
  gb_mem[$mode]=$(peak_kb bash -c "for _ in \$(seq $copies); do cat '$in'; done | '$orvane' $(args_of "$mode") $(large_of "$mode") - /dev/null")
done

echo "bench: office documents ..." >&2
"$orvane" --to-unicode "$(dirname "$0")/../tests/data/office/transfer-certificate.odt" "$work/unicode.odt" 2>/dev/null
python3 "$(dirname "$0")/office_inputs.py" "$(dirname "$0")/../tests/data/office" "$work" "$work/unicode.odt"
et() {  # Python's ElementTree over the same part of the same archive
  seconds python3 -c 'import sys, zipfile, xml.etree.ElementTree as ET; ET.fromstring(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))' "$1" "$2"
}
declare -A off_o off_q off_m off_mem off_part
office_row() {  # office_row NAME MODE FILE PART
  local o=() q=() m=()
  for _ in $(seq 5); do
    o+=("$(seconds "$orvane" --"$2" "$work/$3" "$work/out-$3")")
    q+=("$(seconds "$bench/bench_core" --parse "$work/$3" "$4")")
    m+=("$(et "$work/$3" "$4")")
  done
  off_o[$1]=$(printf '%s\n' "${o[@]}" | median); off_q[$1]=$(printf '%s\n' "${q[@]}" | median)
  off_m[$1]=$(printf '%s\n' "${m[@]}" | median)
  off_mem[$1]=$(( $(peak_kb "$orvane" --"$2" "$work/$3" "$work/out-$3") - base_kb ))
  off_part[$1]=$(python3 -c 'import sys, zipfile; print(zipfile.ZipFile(sys.argv[1]).getinfo(sys.argv[2]).file_size // 1024)' "$work/$3" "$4")
}
base_kb=$(peak_kb "$orvane" --to-unicode "$(dirname "$0")/../tests/data/office/proficiency-examination.docx" "$work/tiny.docx")
office_row docx to-unicode body5.docx word/document.xml
office_row odt from-unicode body5.odt content.xml
office_row runs10k to-unicode runs10k.docx word/document.xml
office_row runs40k to-unicode runs40k.docx word/document.xml
r=(); s=(); u=()
for _ in $(seq 5); do
  r+=("$(seconds "$orvane" --to-unicode "$work/body5.rtf" "$work/out.rtf")")
  s+=("$(seconds iconv -f ISO-8859-1 -t UTF-8 "$work/body5.rtf")")
  u+=("$(seconds unrtf --text "$work/body5.rtf")")  # a plain parse of the same RTF, as ElementTree is of the XML
done
rtf_o=$(printf '%s\n' "${r[@]}" | median); rtf_s=$(printf '%s\n' "${s[@]}" | median); rtf_u=$(printf '%s\n' "${u[@]}" | median)

g=()
# Into a file: grep stops at the first match when its output is /dev/null.
for _ in $(seq 5); do g+=("$(seconds sh -c 'grep -c nfh "$0" > "$1"' "$work/doc16.tam" "$work/grep.out")"); done
grep_ms=$(printf '%s\n' "${g[@]}" | median | awk '{print $1 * 1000}')
sd=()
for _ in $(seq 3); do sd+=("$(seconds sh -c 'sed "s/nfh/fp/g" "$0" > "$1"' "$work/doc16.tam" "$work/sed.out")"); done
sed_ms=$(printf '%s\n' "${sd[@]}" | median | awk '{print $1 * 1000}')

echo "bench: start-up and memory ..." >&2
probe() {  # probe SETTLE_MS FIELD -- COMMAND...: one run's FIELD
  local settle=$1 field=$2; shift 3
  "$bench/startup_probe" --settle "$settle" -- "$@" | tr ' ' '\n' | awk -F= -v f="$field" '$1 == f {print $2}'
}
for _ in $(seq 50); do "$bench/startup_probe" -- "$orvane" >/dev/null 2>&1 && break; sleep 0.1; done
s_o=(); s_m=(); s_x=(); s_big=()
for _ in $(seq 11); do  # in turns
  s_o+=("$(probe 0 startup_ms -- "$orvane")")
  s_m+=("$(probe 0 startup_ms -- "$bench/minimal_editor")")
  s_x+=("$(probe 0 startup_ms -- "$bench/xcb_window")")
  s_big+=("$(probe 0 startup_ms -- "$orvane" "$work/doc64.tam")")
done
start_o=$(printf '%s\n' "${s_o[@]}" | median); start_m=$(printf '%s\n' "${s_m[@]}" | median)
start_x=$(printf '%s\n' "${s_x[@]}" | median); start_big=$(printf '%s\n' "${s_big[@]}" | median)
m_o=(); m_m=()
for _ in $(seq 3); do
  m_o+=("$(probe 2500 peak_kb -- "$orvane" "$work/doc16.tam")")
  m_m+=("$(probe 2500 peak_kb -- "$bench/minimal_editor" "$work/doc16.tam")")
done
mem_o=$(printf '%s\n' "${m_o[@]}" | median); mem_m=$(printf '%s\n' "${m_m[@]}" | median)
mem_file=$(( $(stat -c %s "$work/doc16.tam") / 1024 ))

xk=()
for _ in $(seq 3); do xk+=("$("$bench/xcb_window" --keys 2000 | awk -F= '$1 == "xcb_key_us" {print $2}')"); done
xcb_key=$(printf '%s\n' "${xk[@]}" | median)

mb() { awk -v kb="$1" 'BEGIN {printf "%.0f MB", kb/1024}'; }
row() {  # row FIGURE ORVANE QT MACHINE O Q M TARGET MET: ratios from the numbers O, Q, M
  echo "| $1 | $2 | $3 | $4 | $(ratio "$5" "$6") | $(ratio "$5" "$7") | $8 | $9 |"
}
key() { f "key16_$1_$2_median_ms"; }
worst() { f "key16_$1_$2_worst_ms"; }

cat <<TABLE
| Figure | Orvane | Qt floor | Machine floor | vs Qt | vs machine | Target | Met |
|---|---|---|---|---|---|---|---|
$(row "Composer and status panels, per key" "$(fmt "$(f panels_orvane_us)" 1) µs" "QLabels in a QStatusBar $(fmt "$(f panels_labels_us)" 1) µs" "composer alone $(fmt "$(f composer_key_ns)" 0) ns" "$(f panels_orvane_us)" "$(f panels_labels_us)" "$(awk -v n="$(f composer_key_ns)" 'BEGIN{print n/1000}')" "no slower than QLabels" "$(within "$(f panels_orvane_us)" "$(f panels_labels_us)" 1)")
$(row "Typing prose (spaces, a line end every ~16 syllables), per key" "$(fmt "$(f type_orvane_us)" 0) µs" "bare QPlainTextEdit, same text and font, $(fmt "$(f type_bare_us)" 0) µs" "a key drawn by a bare X window $(fmt "$xcb_key" 0) µs" "$(f type_orvane_us)" "$(f type_bare_us)" "$xcb_key" "within 1.5x of the bare box" "$(within "$(f type_orvane_us)" "$(f type_bare_us)" 1.5)")
$(for kind in spaces nospace; do
  case $kind in spaces) what="with spaces" bare="bare QPlainTextEdit, same paragraph, $(fmt "$(f para_spaces_bare_ms)" 0) ms; in an empty document" ;; *) what="without a space" bare="bare QPlainTextEdit in an empty document (the same paragraph takes it minutes)" ;; esac
  o=$(f para_${kind}_view_ms) e=$(f para_empty_bare_ms)
  row "A key in a 1 MB paragraph $what, to the screen, in Orvane's own view (median / worst of 41)" "$(fmt "$o" 2) / $(fmt "$(f para_${kind}_view_worst_ms)" 1) ms" "$bare $(fmt "$e" 2) ms" "a key drawn by a bare X window $(fmt "$xcb_key" 0) µs" "$o" "$e" "$(awk -v n="$xcb_key" 'BEGIN{print n/1000}')" "under 2 ms and the bare box's key in an empty document" "$(awk -v o="$o" -v e="$e" 'BEGIN {print (o < 2 && o <= e ? "yes" : "**no**")}')"
done)
$(for at in start middle end; do
  row "First syllable with 16 MB open, caret at the $at (median / worst of 5)" "$(fmt "$(key orvane $at)" 2) / $(fmt "$(worst orvane $at)" 2) ms" "$(fmt "$(key bare $at)" 2) / $(fmt "$(worst bare $at)" 2) ms" "a key drawn by a bare X window $(fmt "$xcb_key" 0) µs" "$(worst orvane $at)" "$(worst bare $at)" "$(awk -v n="$xcb_key" 'BEGIN{print n/1000}')" "under 50 ms" "$(below "$(worst orvane $at)" 50)"
done)
$(row "Memory added by that first key" "$(fmt "$(f key16_orvane_rss_growth_mb)" 1) MB" "$(fmt "$(f key16_bare_rss_growth_mb)" 1) MB" "0 MB" "$(f key16_orvane_rss_growth_mb)" "$(f key16_bare_rss_growth_mb)" 0 "no growth to speak of" "$(below "$(f key16_orvane_rss_growth_mb)" 4)")
$(row "Opening 16 MB (Open, read, into the box)" "$(fmt "$(f open16_orvane_ms)" 0) ms" "QFile + setPlainText $(fmt "$(f open16_bare_ms)" 0) ms" "read() $(fmt "$(f open16_machine_ms)" 1) ms" "$(f open16_orvane_ms)" "$(f open16_bare_ms)" "$(f open16_machine_ms)" "at most 1.3x Qt" "$(within "$(f open16_orvane_ms)" "$(f open16_bare_ms)" 1.3)")
$(for size in 16 64; do
  row "Saving $size MB (File > Save)" "$(fmt "$(f save${size}_orvane_ms)" 0) ms" "toPlainText + QSaveFile $(fmt "$(f save${size}_bare_ms)" 0) ms" "write + fsync $(fmt "$(f save${size}_machine_ms)" 0) ms" "$(f save${size}_orvane_ms)" "$(f save${size}_bare_ms)" "$(f save${size}_machine_ms)" "within 1.5x of write + fsync" "$(within "$(f save${size}_orvane_ms)" "$(f save${size}_machine_ms)" 1.5)"
done)
$(row "Opening and saving 64 MB in the window" "$(fmt "$(f opensave64_orvane_ms)" 0) ms" "$(fmt "$(f opensave64_bare_ms)" 0) ms" "read + write + fsync $(fmt "$(f opensave64_machine_ms)" 0) ms" "$(f opensave64_orvane_ms)" "$(f opensave64_bare_ms)" "$(f opensave64_machine_ms)" "no slower than Qt" "$(within "$(f opensave64_orvane_ms)" "$(f opensave64_bare_ms)" 1)")
$(row "Opening and saving a Unicode document of $(( $(stat -c %s "$work/doc8.txt") >> 20 )) MB in the window (its lines kept as the file had them)" "$(fmt "$(f opensaveu_orvane_ms)" 0) ms" "QString::fromUtf8 + setPlainText, toPlainText + QSaveFile $(fmt "$(f opensaveu_bare_ms)" 0) ms" "read + write + fsync $(fmt "$(f opensaveu_machine_ms)" 0) ms" "$(f opensaveu_orvane_ms)" "$(f opensaveu_bare_ms)" "$(f opensaveu_machine_ms)" "at most 1.3x Qt" "$(within "$(f opensaveu_orvane_ms)" "$(f opensaveu_bare_ms)" 1.3)")
$(row "Start-up to the first window (Xvfb)" "$(fmt "$start_o" 0) ms" "minimal Qt window $(fmt "$start_m" 0) ms" "X library window $(fmt "$start_x" 0) ms" "$start_o" "$start_m" "$start_x" "at most 1.25x Qt" "$(within "$start_o" "$start_m" 1.25)")
$(row "Start-up with a 64 MB document named" "$(fmt "$start_big" 0) ms" "minimal Qt window, no file, $(fmt "$start_m" 0) ms" "$(fmt "$start_x" 0) ms" "$start_big" "$start_m" "$start_x" "at most 1.25x Qt" "$(within "$start_big" "$start_m" 1.25)")
$(row "Peak memory, 16 MB document open" "$(mb "$mem_o")" "minimal Qt window $(mb "$mem_m")" "the file's bytes $(mb "$mem_file")" "$mem_o" "$mem_m" "$mem_file" "at most 1.3x Qt" "$(within "$mem_o" "$mem_m" 1.3)")
$(row "Start-up with a 64 MB document named: text shown (in the window, from Form_Load)" "$(fmt "$(f start64_text_ms)" 0) ms" "QFile + setPlainText $(fmt "$(f start64_bare_text_ms)" 0) ms" "-" "$(f start64_text_ms)" "$(f start64_bare_text_ms)" 0 "no slower than Qt" "$(within "$(f start64_text_ms)" "$(f start64_bare_text_ms)" 1)")
$(row "... and a key pressed as it shows, gone in (worst of 3)" "$(fmt "$(f start64_key_ms)" 0) ms (worst $(fmt "$(f start64_key_ms_most)" 0))" "$(fmt "$(f start64_bare_key_ms)" 0) ms" "-" "$(f start64_key_ms)" "$(f start64_bare_key_ms)" 0 "no slower than Qt" "$(within "$(f start64_key_ms)" "$(f start64_bare_key_ms)" 1)")
$(for kind in short long; do
  case $kind in short) what="1.3 million short lines" ;; *) what="lines of 64 KB" ;; esac
  row "Start with a 64 MB document of $what, in Orvane's own view: read, shown, a key at its end drawn" "$(fmt "$(f view64_${kind}_ms)" 0) ms" "QFile + setPlainText and a key $(fmt "$(f start64_bare_key_ms)" 0) ms" "read() $(fmt "$(f view64_${kind}_read_ms)" 0) ms" "$(f view64_${kind}_ms)" "$(f start64_bare_key_ms)" "$(f view64_${kind}_read_ms)" "within 3x of reading it" "$(within "$(f view64_${kind}_ms)" "$(f view64_${kind}_read_ms)" 3)"
  echo "| ... the memory it added | $(fmt "$(f view64_${kind}_added_mb)" 0) MB | - | the file $(fmt "$(f view64_file_mb)" 0) MB | - | $(ratio "$(f view64_${kind}_added_mb)" "$(f view64_file_mb)") | under 1.5x its size | $(within "$(f view64_${kind}_added_mb)" "$(f view64_file_mb)" 1.5) |"
done)
$(for size in 16 64; do
  row "Longest stall in the 3 s after a key, $size MB (least–worst of 3 keys; autosave included)" "$(fmt "$(f stall${size}_orvane_least_ms)" 1)–$(fmt "$(f stall${size}_orvane_worst_ms)" 1) ms" "bare box, no autosave, $(fmt "$(f stall${size}_bare_worst_ms)" 1) ms" "-" "$(f stall${size}_orvane_worst_ms)" "$(f stall${size}_bare_worst_ms)" 0 "under 16 ms" "$(below "$(f stall${size}_orvane_worst_ms)" 16)"
done)
$(row "Finding கொ in 16 MB in the window, Enter to count (least–most of 5)" "$(fmt "$(f find16_orvane_ms)" 0) ms ($(fmt "$(f find16_orvane_ms_least)" 0)–$(fmt "$(f find16_orvane_ms_most)" 0))" "toPlainText + QString::indexOf $(fmt "$(f find16_bare_ms)" 0) ms" "grep -c of its codes $(fmt "$grep_ms" 0) ms" "$(f find16_orvane_ms)" "$(f find16_bare_ms)" "$grep_ms" "within 2x grep -c" "$(within "$(f find16_orvane_ms)" "$grep_ms" 2)")
$(row "Replace All of கொ by கி in 16 MB in the window, from the button to the count ($(fmt "$(f replace16_matches)" 0) matches)" "$(fmt "$(f replace16_orvane_ms)" 0) ms" "QTextDocument::find and insertText, one edit block, $(fmt "$(f replace16_bare_ms)" 0) ms" "sed $(fmt "$sed_ms" 0) ms" "$(f replace16_orvane_ms)" "$(f replace16_bare_ms)" "$sed_ms" "within 3x sed" "$(within "$(f replace16_orvane_ms)" "$sed_ms" 3)")
$(row "Replace All of கொ by கி in 16 MB in Orvane's own view: found in the storage, one edit, drawn ($(fmt "$(f view_replace16_matches)" 0) matches)" "$(fmt "$(f view_replace16_ms)" 0) ms" "QTextDocument::find and insertText, one edit block, $(fmt "$(f replace16_bare_ms)" 0) ms" "sed $(fmt "$sed_ms" 0) ms" "$(f view_replace16_ms)" "$(f replace16_bare_ms)" "$sed_ms" "within 3x sed" "$(within "$(f view_replace16_ms)" "$sed_ms" 3)")
$(for mode in "${modes[@]}"; do
  row "$(args_of "$mode"), 64 MB of varied prose (peak memory; least–most of 5)" "$(fmt "${conv_o[$mode]}" 3) s ($(mb "${conv_mem[$mode]}"); ${conv_range[$mode]})" "-" "iconv $(fmt "${conv_i[$mode]}" 3) s" "${conv_o[$mode]}" 0 "${conv_i[$mode]}" "within 2x of iconv" "$(within "${conv_o[$mode]}" "${conv_i[$mode]}" 2)"
done)
$(for name in docx odt; do
  case $name in docx) what="--to-unicode of a .docx with 5 MB of body" ;; *) what="--from-unicode of an .odt with 5 MB of body" ;; esac
  row "$what" "$(fmt "${off_o[$name]}" 2) s" "unzip + QXmlStreamReader $(fmt "${off_q[$name]}" 2) s" "Python ElementTree $(fmt "${off_m[$name]}" 2) s" "${off_o[$name]}" "${off_q[$name]}" "${off_m[$name]}" "within 2x of ElementTree" "$(within "${off_o[$name]}" "${off_m[$name]}" 2)"
  echo "| ... its peak memory past a small document's | $(mb "${off_mem[$name]}") | - | the part $(mb "${off_part[$name]}") | - | $(ratio "${off_mem[$name]}" "${off_part[$name]}") | within 3x the part | $(within "${off_mem[$name]}" "${off_part[$name]}" 3) |"
done)
| --to-unicode of a .docx: 40,000 runs against 10,000 | $(fmt "${off_o[runs40k]}" 2) s against $(fmt "${off_o[runs10k]}" 2) s | $(fmt "${off_q[runs40k]}" 2) s against $(fmt "${off_q[runs10k]}" 2) s | - | $(ratio "${off_o[runs40k]}" "${off_o[runs10k]}") | - | 4x the runs at most 4.5x the time | $(within "${off_o[runs40k]}" "${off_o[runs10k]}" 4.5) |
$(row "--to-unicode of an .rtf with 5 MB of body" "$(fmt "$rtf_o" 2) s" "-" "unrtf --text $(fmt "$rtf_u" 2) s (iconv over it $(fmt "$rtf_s" 2) s)" "$rtf_o" 0 "$rtf_u" "within 2x of unrtf" "$(within "$rtf_o" "$rtf_u" 2)")
$(for mode in "${modes[@]}"; do
  echo "| $(args_of "$mode"), 1 GB through a pipe: peak memory | $(mb "${gb_mem[$mode]}") | - | - | - | - | under 32 MB | $(below "${gb_mem[$mode]}" 32768) |"
done)

Machine: $(nproc) cores, $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo), $(awk '/MemTotal/ {printf "%.0f GiB", $2/1048576}' /proc/meminfo); Qt $(pkg-config --modversion Qt6Core 2>/dev/null || echo 6). Window figures on Xvfb; medians of 3 to 7 turns, 11 start-ups, 5 conversions.
TABLE
