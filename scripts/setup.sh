#!/usr/bin/env bash
# Installs the Debian packages the project needs, when any is missing.
# Sourced by test.sh and run.sh; safe to run again (quick when all is there).
set -euo pipefail

CV_PACKAGES=(
  build-essential cmake ninja-build pkg-config g++-multilib
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-odbc libgl-dev
  libsqlite3-dev libpugixml-dev unixodbc unixodbc-dev odbc-postgresql libsqliteodbc tdsodbc
  postgresql
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-wqy-microhei libxml2-utils poppler-utils
)

cv_missing_packages() {
  local missing=()
  for p in "${CV_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  echo "${missing[@]:-}"
}

cv_install_packages() {
  local missing
  missing="$(cv_missing_packages)"
  if [[ -n "${missing// /}" ]]; then
    echo "Installing: $missing"
    local sudo=""
    [[ $(id -u) -ne 0 ]] && sudo="sudo"
    $sudo apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
  fi
}
