#!/usr/bin/env bash
# Sets the machine up, builds the module and the reference host, and runs the
# host with the module on a fresh demo database. Without a display it takes
# the screenshot tour offscreen instead and says where the pictures are.
# Extra arguments go to corvelian-host (e.g. --user 1011).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/setup.sh"
cv_install_packages

build="${CV_RUN_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCV_BUILD_TESTS=OFF -DCV_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j 2 --target corvelian-host

host="$build/host/app/corvelian-host"
demo="$build/demo.db"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  shots="$build/screenshots"
  echo "No display: opening every command offscreen and saving pictures to $shots"
  "$host" --headless --demo "$demo" --screenshot "$shots" "$@"
  echo "Pictures of the host's main window with each command form: $shots"
  exit 0
fi
echo "Demo database: $demo"
exec "$host" --demo "$demo" "$@"
