#!/usr/bin/env bash
# Builds the benchmarks in Release and prints one line per figure:
#   name | measured values | ratio | target | PASS, MISS or REPORT
# usage: bench/run.sh [BUILD_FOLDER]      (default: build-bench beside bench/)
# A MISS still exits 0; a benchmark that cannot build or run exits non-zero.
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${1:-$source_dir/build-bench}
startup_runs=${STARTUP_RUNS:-100}
open_runs=${OPEN_RUNS:-40}
save_runs=${SAVE_RUNS:-30}

"$source_dir/scripts/install-deps.sh"
cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DQUENZAR_BENCHMARKS=ON \
    -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)" --target quenzar quenzar_gui \
    quenzar-bench-idle quenzar-plain-welcome quenzar-minimal-probe quenzar-bench-launch \
    quenzar-bench-open-main quenzar-bench-composition quenzar-bench-save \
    quenzar-bench-gameconfig quenzar-bench-install quenzar-core-probe quenzar-mainwindow-probe \
    >/dev/null

bin=$build_dir/bench
quenzar=$build_dir/src/quenzar
# Preloaded into every start-up run: ends each program alike once its window is on screen and
# the event loop idle, so the program runs exactly as installed.
idle_hook=$bin/libquenzar-bench-idle.so
# Nothing here presses Exit, but should the program ever reach for the system bus, it must not
# find the real login manager.
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent
export QT_QPA_PLATFORM=offscreen

figures=$(mktemp)
trap 'rm -f "$figures"' EXIT

step() {
    echo "== $1" >&2
    shift
    # Everything a benchmark prints goes to the terminal; its FIGURE lines are kept for the end.
    "$@" | tee -a "$figures" >&2
}

# Start-up: the program against the welcome dialog written in plain Qt (targets), then against
# one empty window (reported only: it draws no text).
startup() {
    local where=$1
    shift
    "$@" env LD_PRELOAD="$idle_hook" "$bin/quenzar-bench-launch" \
        "$where, vs the welcome dialog in plain Qt" "$startup_runs" 1.05 1.02 "$quenzar" \
        "$bin/quenzar-plain-welcome"
    "$@" env LD_PRELOAD="$idle_hook" "$bin/quenzar-bench-launch" "$where, vs an empty window" \
        "$startup_runs" - - "$quenzar" "$bin/quenzar-minimal-probe"
}
step "start-up, offscreen" startup offscreen
if command -v xvfb-run >/dev/null; then
    step "start-up, xcb under Xvfb" startup "xcb, Xvfb" env QT_QPA_PLATFORM=xcb xvfb-run -a \
        -s "-screen 0 1280x1024x24"
fi
# The game setup window, as `quenzar --game-setup TWEAK` opens it, against the program started
# straight on its main window. It reads the everything-ticked tweak and looks for the game's
# folders in a made-up home that holds one, from Doom 3 for Linux.
game_home=$(mktemp -d)
trap 'rm -f "$figures"; rm -rf "$game_home"' EXIT
mkdir -p "$game_home/.doom3/base"
printf 'seta r_mode "3"\n' >"$game_home/.doom3/base/DoomConfig.cfg"
game_setup() {
    local where=$1
    shift
    "$@" env LD_PRELOAD="$idle_hook" HOME="$game_home" XDG_CONFIG_HOME="$game_home/.config" \
        XDG_DATA_HOME="$game_home/.local/share" "$bin/quenzar-bench-launch" \
        "$where, quenzar --game-setup TWEAK vs the main window" "$startup_runs" - - "$quenzar" \
        "$bin/quenzar-mainwindow-probe" --game-setup "$source_dir/bench/tweak_everything_ticked.cfg"
}
step "game setup window, offscreen" game_setup offscreen
if command -v xvfb-run >/dev/null; then
    step "game setup window, xcb under Xvfb" game_setup "xcb, Xvfb" env QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1280x1024x24"
fi
step "opening the main window, offscreen" "$bin/quenzar-bench-open-main" "$open_runs"
if command -v xvfb-run >/dev/null; then
    step "opening the main window, xcb under Xvfb" env QT_QPA_PLATFORM=xcb xvfb-run -a \
        -s "-screen 0 1280x1024x24" "$bin/quenzar-bench-open-main" "$open_runs"
fi
step "composition" "$bin/quenzar-bench-composition"
step "saving" "$bin/quenzar-bench-save" "$save_runs"
step "game-ready form" "$bin/quenzar-bench-gameconfig"
step "--install" "$bin/quenzar-bench-install"
# The command line needs no display: both run without one.
step "quenzar --version, no display" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$bin/quenzar-bench-launch" "--version vs bare QCoreApplication" "$startup_runs" 1.2 - \
    "$quenzar" "$bin/quenzar-core-probe" --version

echo
echo "figure | measured | ratio | target | result"
sed -n 's/^.*FIGURE //p' "$figures"
