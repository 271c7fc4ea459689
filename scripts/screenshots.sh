#!/usr/bin/env bash
# Takes pictures of the three forms and the game setup window in a real (virtual) X display:
# scripts/screenshots.sh [BUILD] [OUTPUT]. Extra environment, such as QT_SCALE_FACTOR=2, passes
# through to the program.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
out=${2:-$here/docs/screenshots}
exec xvfb-run -a -s "-screen 0 2560x2048x24" env QT_QPA_PLATFORM=xcb \
    "$build/tools/quenzar-screenshots" "$out"
