#!/usr/bin/env bash
# Start-up of the program's main window against a bare Qt window of as many widgets.
# Usage: bench/startup/run.sh [build folder] [runs]   (default: build, 15 runs)
# Each program exits as soon as its window is shown and painted. Printed per program: the
# median of each figure over the runs, then /usr/bin/time -v's wall time and peak memory of one
# whole run. Runs on the offscreen platform, and under a real X server too when xvfb-run exists.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build}"
runs="${2:-15}"
bin="$build/bench/startup"

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

measure() {  # platform label, then the command prefix
  local label="$1"; shift
  echo "== $label"
  for program in kreuzwart_startup bare_startup; do
    local out=""
    for _ in $(seq "$runs"); do out+="$("$@" "$bin/$program" 2>/dev/null)"$'\n'; done
    local field
    printf '%-18s' "$program"
    for field in main_to_shown_ms process_to_shown_ms peak_rss_mib; do
      printf ' %s=%s' "$field" "$(grep -o "$field=[0-9.]*" <<<"$out" | cut -d= -f2 | median)"
    done
    printf ' %s\n' "$(grep -o 'widgets=[0-9]* webengine=[a-z]*' <<<"$out" | head -1)"
    if [ -x /usr/bin/time ]; then
      "$@" /usr/bin/time -v "$bin/$program" 2>&1 >/dev/null |
        grep -E 'Elapsed \(wall|Maximum resident' | sed 's/^\s*/    time -v: /'
    fi
  done
}

QT_QPA_PLATFORM=offscreen measure "offscreen platform" env
if command -v xvfb-run >/dev/null; then
  measure "X server (Xvfb)" env QT_QPA_PLATFORM=xcb xvfb-run -a
fi
