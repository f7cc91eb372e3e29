#!/usr/bin/env bash
# The editor's opening from the main window, on the offscreen platform and, when xvfb-run exists,
# under a real X server. Usage: bench/editor/run.sh [build folder] [openings]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build}"
openings="${2:-50}"
bin="$build/bench/editor/editor_open"

echo "== offscreen platform"
QT_QPA_PLATFORM=offscreen "$bin" "$openings" 2>/dev/null
if command -v xvfb-run >/dev/null; then
  echo "== X server (Xvfb)"
  QT_QPA_PLATFORM=xcb xvfb-run -a "$bin" "$openings" 2>/dev/null
fi
