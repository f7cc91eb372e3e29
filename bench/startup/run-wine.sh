#!/usr/bin/env bash
# Start-up of the program's main window against a bare Qt window of as many widgets, both built
# for Windows and run under wine64 on Qt's windows platform on an X server (Xvfb): what a person
# starting kreuzwart.exe under Wine sees.
# Usage: bench/startup/run-wine.sh [Windows build folder] [runs]   (default: build-windows, 15)
# Needs scripts/windows-build first; run it under the build lock.
# Both programs run as stripped copies, as the setup program installs kreuzwart.exe: Wine reads
# a program's whole image into memory at its start, and the build's debug information is most
# of kreuzwart's (some 45 MB, and some 60 ms before main() here). The two take turns, each run
# a new process, after one start that brings up Wine's own services, so that every measured run
# finds Wine running, as a second start of a program does. Printed per program: the median of
# each figure over the runs, launch_to_shown_ms being the time from the shell's start of
# wine-run to the shown window (Wine's start before the process exists included); then the
# ratios kreuzwart/bare of the medians.
# The runs have a Wine prefix of their own (KREUZWART_WINE_PREFIX names another), whose Wine
# server is ended afterwards: no program of another run shares it or is ended with it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

if [ "${1:-}" != "--on-display" ]; then
  build="$(cd "${1:-$root/build-windows}" && pwd)"
  exec xvfb-run -a "${BASH_SOURCE[0]}" --on-display "$build" "${2:-15}"
fi
build="$2"
runs="$3"

export KREUZWART_WINE_PREFIX="${KREUZWART_WINE_PREFIX:-$HOME/.cache/kreuzwart-windows/wine-startup}"
# wine-run hands the QT_ variables to the program under the names Wine lets through.
export QT_QPA_PLATFORM=windows
copies="$(mktemp -d)"
trap 'WINEPREFIX="$KREUZWART_WINE_PREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
      rm -rf "$copies"' EXIT

programs=(kreuzwart_startup bare_startup)
for program in "${programs[@]}"; do
  if [ ! -f "$build/$program.exe" ]; then
    echo "run-wine.sh: $build/$program.exe is missing; build it with scripts/windows-build" >&2
    exit 1
  fi
  x86_64-w64-mingw32-strip -o "$copies/$program.exe" "$build/$program.exe"
done

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

"$build/wine-run" cmd /c exit >/dev/null 2>&1  # the prefix made if need be, Wine's services up

declare -A out
log="$copies/messages"
for _ in $(seq "$runs"); do
  for program in "${programs[@]}"; do
    start="$(now_ms)"
    # A window that never shows would wait for ever.
    line="$(timeout 120 "$build/wine-run" "$copies/$program.exe" 2>>"$log")" || true
    shown="$(grep -o 'shown_at_unix_ms=[0-9]*' <<<"$line" | cut -d= -f2)" || true
    if [ -z "$shown" ]; then
      echo "run-wine.sh: $program.exe did not report a shown window; its messages:" >&2
      tail -20 "$log" >&2
      exit 1
    fi
    out[$program]+="$line launch_to_shown_ms=$((shown - start))"$'\n'
  done
done

fields=(main_to_shown_ms process_to_shown_ms launch_to_shown_ms peak_rss_mib)
declare -A result
echo "== Wine, windows platform (Xvfb), median of $runs runs"
for program in "${programs[@]}"; do
  printf '%-18s' "$program"
  for field in "${fields[@]}"; do
    result[$program.$field]="$(grep -o "$field=[0-9.]*" <<<"${out[$program]}" | cut -d= -f2 | median)"
    printf ' %s=%s' "$field" "${result[$program.$field]}"
  done
  printf ' %s\n' "$(grep -o 'widgets=[0-9]* webengine=[a-z]*' <<<"${out[$program]}" | head -1)"
done
printf '%-18s' "kreuzwart/bare"
for field in main_to_shown_ms process_to_shown_ms launch_to_shown_ms; do
  printf ' %s=%s' "${field%_ms}" \
    "$(awk -v k="${result[kreuzwart_startup.$field]}" -v b="${result[bare_startup.$field]}" \
      'BEGIN {printf "%.2f", k / b}')"
done
echo
