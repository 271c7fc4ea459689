#!/usr/bin/env bash
# Builds the benchmarks in Release and prints one line per figure:
#   name | measured values | ratio | target | PASS, MISS or REPORT
# usage: bench/run.sh [BUILD_FOLDER]      (default: build-bench beside bench/)
# A MISS still exits 0; a benchmark that cannot build or run exits non-zero.
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${1:-$source_dir/build-bench}
startup_runs=${STARTUP_RUNS:-60}
open_runs=${OPEN_RUNS:-40}
save_runs=${SAVE_RUNS:-30}

"$source_dir/scripts/install-deps.sh" libbenchmark-dev
cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DQUENZAR_BENCHMARKS=ON \
    -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)" --target quenzar-startup-probe \
    quenzar-minimal-probe quenzar-bench-launch quenzar-bench-open-main \
    quenzar-bench-composition quenzar-bench-save quenzar-bench-gameconfig quenzar-bench-install \
    quenzar-core-probe quenzar-gamesetup-probe quenzar >/dev/null

bin=$build_dir/bench
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

step "start-up, offscreen" "$bin/quenzar-bench-launch" offscreen "$startup_runs" 1.15 1.10 \
    "$bin/quenzar-startup-probe" "$bin/quenzar-minimal-probe"
if command -v xvfb-run >/dev/null; then
    step "start-up, xcb under Xvfb" env QT_QPA_PLATFORM=xcb xvfb-run -a \
        -s "-screen 0 1280x1024x24" "$bin/quenzar-bench-launch" "xcb, Xvfb" "$startup_runs" \
        1.15 1.10 "$bin/quenzar-startup-probe" "$bin/quenzar-minimal-probe"
fi
step "opening the main window, offscreen" "$bin/quenzar-bench-open-main" "$open_runs"
if command -v xvfb-run >/dev/null; then
    step "opening the main window, xcb under Xvfb" env QT_QPA_PLATFORM=xcb xvfb-run -a \
        -s "-screen 0 1280x1024x24" "$bin/quenzar-bench-open-main" "$open_runs"
fi
# The game setup window reads a tweak file and looks for the game's folders in a made-up home
# that holds one, from Doom 3 for Linux; the main window beside it is the same probe without a
# file.
game_home=$(mktemp -d)
trap 'rm -f "$figures"; rm -rf "$game_home"' EXIT
mkdir -p "$game_home/.doom3/base"
printf 'seta r_mode "3"\n' >"$game_home/.doom3/base/DoomConfig.cfg"
setup_vs_main=(env HOME="$game_home" XDG_CONFIG_HOME="$game_home/.config"
    XDG_DATA_HOME="$game_home/.local/share" BENCH_NAMES="game setup window,main window"
    "$bin/quenzar-bench-launch")
setup_programs=("$startup_runs" - - "$bin/quenzar-gamesetup-probe" "$bin/quenzar-gamesetup-probe"
    "$source_dir/bench/tweak_everything_ticked.cfg")
step "game setup window with a tweak vs main window, offscreen" "${setup_vs_main[@]}" \
    "game setup with a tweak vs main window, offscreen" "${setup_programs[@]}"
if command -v xvfb-run >/dev/null; then
    step "game setup window with a tweak vs main window, xcb under Xvfb" env QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1280x1024x24" "${setup_vs_main[@]}" \
        "game setup with a tweak vs main window, xcb, Xvfb" "${setup_programs[@]}"
fi
step "composition" "$bin/quenzar-bench-composition"
step "saving" "$bin/quenzar-bench-save" "$save_runs"
step "game-ready form" "$bin/quenzar-bench-gameconfig"
step "--install" "$bin/quenzar-bench-install"
# The command line needs no display: both run without one.
step "quenzar --version, no display" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$bin/quenzar-bench-launch" "--version vs bare QCoreApplication" "$startup_runs" 1.2 - \
    "$build_dir/src/quenzar" "$bin/quenzar-core-probe" --version

echo
echo "figure | measured | ratio | target | result"
sed -n 's/^.*FIGURE //p' "$figures"
