#!/usr/bin/env bash
# The figures of docs/performance.md, each beside the empty Qt Widgets program's, in one run.
#   bench/perf.sh BUILD_DIR     (a Release build with BROLGA_BENCH=ON; `make perf` makes one)
# Needs hyperfine, xvfb-run and GNU time: apt-get install hyperfine xvfb time
set -euo pipefail
B=${1:?usage: bench/perf.sh BUILD_DIR}/bench
RUNS=${RUNS:-30}

echo "== machine"; nproc; uptime

echo "== start-up to the first painted window (Xvfb, wall and CPU time)"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  hyperfine -N --warmup 5 --runs "$RUNS" "$B/empty_window" "$B/startup_brolga"

echo "== resident memory after the first paint and after each tab (kB)"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "
  /usr/bin/time -v '$B/empty_window' --rss 2>&1 | grep -E '^window|Maximum resident'
  /usr/bin/time -v '$B/startup_brolga' --rss 2>&1 | grep -E '^(launch|repayment|capacity|income|upfront)|Maximum resident'"

# Qt's offscreen platform warns once per shown window that it cannot pass size hints on; that is noise here.
quiet() { "$@" 2> >(grep -v 'propagateSizeHints' >&2); }

echo "== one keystroke's refresh of each screen, and the empty window painted"
quiet "$B/bench_repayment_refresh" --benchmark_filter=Scale2
quiet "$B/bench_repayment_window"
quiet "$B/bench_screen_refresh"

echo "== each card drawn and encoded, and a blank card encoded"
"$B/bench_card" --benchmark_filter='renderAndEncodeCard|encodeBlankCard'

echo "== the four-tab client report laid out and written as PDF, and the card beside it"
"$B/bench_report" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

echo "== the text summary of each tab"
"$B/bench_derived" --benchmark_filter=textSummary

echo "== resident memory over 10,000 edits (kB)"
quiet "$B/growth" 10000

echo "== machine after"; uptime
