#!/usr/bin/env bash
# The tab "Laufzeit" from a click, on the offscreen platform and under Xvfb when there is one,
# then "kreuzwart --check" as a whole process. Usage: bench/term/run.sh [build folder]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build}"
bin="$build/bench/term"

echo "== tab, offscreen platform"
QT_QPA_PLATFORM=offscreen "$bin/term_tab" 2>/dev/null
if command -v xvfb-run >/dev/null; then
  echo "== tab, X server (Xvfb)"
  QT_QPA_PLATFORM=xcb xvfb-run -a "$bin/term_tab" 2>/dev/null
fi
echo "== Meine Scheine, ten tickets, offscreen platform"
QT_QPA_PLATFORM=offscreen "$bin/tickets_window" 2>/dev/null
echo "== --check"
"$bin/check_process"
"$bin/check_process" 30 household
"$bin/check_process" 30 systems
