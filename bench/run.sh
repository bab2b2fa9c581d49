#!/usr/bin/env bash
# make bench: every figure beside the floor measured in the same run, as one table.
set -euo pipefail
build=${1:-build}
bench="$build/bench"
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

median() { sort -g | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2fx", a/b}'; }
meets() { awk -v v="$1" -v t="$2" 'BEGIN {print (v <= t ? "yes" : "**no**")}'; }

# In-process figures (Google Benchmark, CSV: name,iterations,real_time,cpu_time,time_unit,...).
echo "bench: in-process figures ..." >&2
"$bench/bench_core" --benchmark_format=csv --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
  2>/dev/null > "$work/core.csv"
"$bench/bench_window" --benchmark_format=csv --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
  2>/dev/null > "$work/window.csv"
figure() {  # figure NAME: the median real time of a benchmark
  awk -F, -v n="\"$1_median\"" '$1 == n {print $3}' "$work/core.csv" "$work/window.csv"
}

# Whole-process figures under Xvfb, timed the same way for every program.
echo "bench: start-up and memory ..." >&2
exec 3<> "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s $work/displayfd ]] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/displayfd")" QT_QPA_PLATFORM=xcb HOME="$work/home" XDG_RUNTIME_DIR="$work"
mkdir -p "$HOME"

"$build/orvane" --transliterate < <(head -c 17000000 < <(yes 'vaOak.kam. ivdRu damiz.ezud.du kadhY ko ez. taNdu paza. kiyi.') ) \
  | head -c 16777216 > "$work/doc16.tam"

probe() {  # probe RUNS SETTLE_MS FIELD -- COMMAND...: the median of FIELD over RUNS runs
  local runs=$1 settle=$2 field=$3; shift 4
  for _ in $(seq "$runs"); do
    "$bench/startup_probe" --settle "$settle" -- "$@" | tr ' ' '\n' | awk -F= -v f="$field" '$1 == f {print $2}'
  done | median
}
# The server is up once a probe gets through; that run also warms the caches.
for _ in $(seq 50); do "$bench/startup_probe" -- "$build/orvane" >/dev/null 2>&1 && break; sleep 0.1; done
start_orvane=$(probe 11 0 startup_ms -- "$build/orvane")
start_minimal=$(probe 11 0 startup_ms -- "$bench/minimal_editor")
if command -v featherpad >/dev/null; then
  "$bench/startup_probe" -- featherpad >/dev/null || true
  start_feather=$(probe 11 0 startup_ms -- featherpad)
else
  start_feather=
fi
mem_orvane=$(probe 3 1500 peak_kb -- "$build/orvane" "$work/doc16.tam")
mem_minimal=$(probe 3 1500 peak_kb -- "$bench/minimal_editor" "$work/doc16.tam")

key=$(figure BM_ComposerPerKey); loop=$(figure BM_PlainLoopPerKey)
typed=$(figure BM_TypeSyllable_Orvane); bare=$(figure BM_TypeSyllable_BarePlainTextEdit)
typed16=$(figure BM_TypeSyllable_Orvane16MB)
tam=$(figure BM_TamReadWrite64MB/min_time:2.000); raw=$(figure BM_RawReadWrite64MB/0/min_time:2.000)
rawsync=$(figure BM_RawReadWrite64MB/1/min_time:2.000)
open=$(figure BM_Open16MB_Orvane/min_time:3.000); plain=$(figure BM_Open16MB_BareSetPlainText/min_time:3.000)
typed=${typed:-$(figure BM_TypeSyllable_Orvane/min_time:2.000)}
bare=${bare:-$(figure BM_TypeSyllable_BarePlainTextEdit/min_time:2.000)}
typed16=${typed16:-$(figure BM_TypeSyllable_Orvane16MB/min_time:2.000)}

fmt() { awk -v v="$1" -v d="$2" 'BEGIN {printf "%." d "f", v}'; }
startup_ratio=$(ratio "$start_orvane" "$start_minimal")
feather_cell="n/a"; feather_ok=""
if [[ -n $start_feather ]]; then
  feather_cell="FeatherPad $(fmt "$start_feather" 0) ms"
  feather_ok=$(awk -v a="$start_orvane" -v b="$start_feather" 'BEGIN {print (a < b ? ", faster than FeatherPad" : ", **not faster than FeatherPad**")}')
fi

cat <<TABLE
| Figure | Orvane | Floor | Ratio | Target | Met |
|---|---|---|---|---|---|
| Composer, per key (null sink) | $(fmt "$key" 1) ns | plain loop $(fmt "$loop" 2) ns | $(ratio "$key" "$loop") | under 50 ns a key | $(meets "$key" 50) |
| A typed syllable in Text1 | $(fmt "$typed" 0) µs | bare QPlainTextEdit $(fmt "$bare" 0) µs | $(ratio "$typed" "$bare") | at most 2x | $(meets "$(awk -v a="$typed" -v b="$bare" 'BEGIN{print a/b}')" 2) |
| The same, 16 MB document open | $(fmt "$typed16" 0) µs | empty document $(fmt "$typed" 0) µs | $(ratio "$typed16" "$typed") | at most 1.5x | $(meets "$(awk -v a="$typed16" -v b="$typed" 'BEGIN{print a/b}')" 1.5) |
| Read and write a 64 MB .tam (saved durably) | $(fmt "$tam" 0) ms | raw read, write, fsync $(fmt "$rawsync" 0) ms (no fsync $(fmt "$raw" 0) ms) | $(ratio "$tam" "$rawsync") | within 2x | $(meets "$(awk -v a="$tam" -v b="$rawsync" 'BEGIN{print a/b}')" 2) |
| Opening a 16 MB .tam into the window | $(fmt "$open" 0) ms | setPlainText $(fmt "$plain" 0) ms | $(ratio "$open" "$plain") | at most 1.3x | $(meets "$(awk -v a="$open" -v b="$plain" 'BEGIN{print a/b}')" 1.3) |
| Start-up to the first window (Xvfb) | $(fmt "$start_orvane" 0) ms | minimal Qt window $(fmt "$start_minimal" 0) ms; $feather_cell | $startup_ratio | at most 1.25x, faster than FeatherPad | $(meets "$(awk -v a="$start_orvane" -v b="$start_minimal" 'BEGIN{print a/b}')" 1.25)$feather_ok |
| Peak memory, 16 MB document | $(fmt "$((mem_orvane / 1024))" 0) MB | minimal window $(fmt "$((mem_minimal / 1024))" 0) MB | $(ratio "$mem_orvane" "$mem_minimal") | at most 1.3x | $(meets "$(awk -v a="$mem_orvane" -v b="$mem_minimal" 'BEGIN{print a/b}')" 1.3) |

Machine: $(nproc) cores, $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo), $(awk '/MemTotal/ {printf "%.0f GiB", $2/1048576}' /proc/meminfo); Qt $(pkg-config --modversion Qt6Core 2>/dev/null || echo 6); medians of 3 in-process runs and 11 start-ups.
TABLE
