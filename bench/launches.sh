#!/usr/bin/env bash
# Launches Brolga's start-up benchmark N times under one X server and counts how each run ended, so a rare
# failure to start shows up with what it printed.
#   xvfb-run -a -s "-screen 0 1280x1024x24" bench/launches.sh BUILD_DIR [N]
set -uo pipefail
B=${1:?usage: bench/launches.sh BUILD_DIR [N]}/bench
N=${2:-300}
err=$(mktemp)
trap 'rm -f "$err"' EXIT
declare -A ended
for ((i = 1; i <= N; i++)); do
  "$B/startup_brolga" >/dev/null 2>"$err"
  rc=$?
  ended[$rc]=$((${ended[$rc]:-0} + 1))
  if ((rc != 0)); then
    echo "launch $i ended with status $rc:"
    grep -v propagateSizeHints "$err" | head -5
  fi
done
for rc in "${!ended[@]}"; do echo "status $rc: ${ended[$rc]} of $N"; done
