#!/usr/bin/env bash
# "kreuzwart --import-draws" as a whole process, each file into a new archive.
# Usage: bench/import/run.sh [build folder] [runs]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build}"
"$build/bench/import/import_process" "${2:-20}"
