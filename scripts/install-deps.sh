#!/usr/bin/env bash
# Installs the Debian packages Quenzar needs to build, test and run, only those missing, plus
# any named on the command line. Runs apt-get as root, or through sudo for anyone else.
set -euo pipefail

packages=(
  # build
  g++ make cmake pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev libvulkan-dev
  # the window icon, drawn from its SVG at build time; the table of the game's settings, made
  # from doom3-cvars.tsv at build time
  librsvg2-bin python3
  # the fonts the forms name, or their metric-compatible stand-ins
  fonts-comic-neue fonts-liberation2 fontconfig
  # tests: a private D-Bus with a mock login manager, the Windows cross compiler and resource
  # compiler, the format check, libFuzzer, valgrind, the package and its metadata validators
  dbus-daemon python3-dbusmock g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  clang-format clang libclang-rt-14-dev valgrind dpkg-dev file desktop-file-utils appstream
  lintian
  # tests: ACL entries on a saved file (setfacl, getfacl); an append-only folder on a small
  # ext4 image (mkfs.ext4, chattr, mount)
  acl e2fsprogs mount
  # the benchmarks, which CI builds and bench/run.sh runs
  libbenchmark-dev
  # screenshots in a virtual display
  xvfb xauth
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null; then
  as_root=(sudo)
else
  echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
