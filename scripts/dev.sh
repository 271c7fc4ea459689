#!/usr/bin/env bash
# scripts/dev.sh run   installs what is missing, builds and starts Quenzar
# scripts/dev.sh test  installs what is missing, builds and runs the whole test suite headless
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${QUENZAR_BUILD_DIR:-$here/build}
action=${1:-}
case "$action" in
  run | test) ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac

"$here/scripts/install-deps.sh"
# QUENZAR_CMAKE_ARGS adds configure options, e.g. -DQUENZAR_SANITIZE=ON; QUENZAR_CTEST_ARGS
# adds test selection, e.g. -LE valgrind.
# shellcheck disable=SC2086
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUENZAR_WERROR=ON \
  ${QUENZAR_CMAKE_ARGS:-}
cmake --build "$build" --parallel "$(nproc)"

if [ "$action" = run ]; then
  exec "$build/src/quenzar"
fi
cd "$build"
# shellcheck disable=SC2086
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error --parallel "$(nproc)" \
  ${QUENZAR_CTEST_ARGS:-}
