#!/usr/bin/env bash
# Sets the machine up, builds the module and the reference host, and runs the
# host with the module on a fresh demo database.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/setup.sh"
cv_install_packages

build="${CV_RUN_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCV_BUILD_TESTS=OFF -DCV_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j 2

host="$build/host/corvelian-host"
if [[ ! -x "$host" ]]; then
  echo "Built the module: $build/src/shell/libCVDoctorMedicationApply.so"
  echo "The reference host cannot load the module yet; nothing more to run."
  exit 0
fi
exec "$host" "$@"
