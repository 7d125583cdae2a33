#!/usr/bin/env bash
# Set-up, build, run and test on Debian 12.
#   ./marivo.sh run    install what is missing, build, and start the program on the demo data
#   ./marivo.sh test   install what is missing, build, and run every test
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$PWD
BUILD=${MARIVO_BUILD_DIR:-$ROOT/build}

PACKAGES=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-serialport-dev qt6-multimedia-dev qt6-svg-dev qt6-image-formats-plugins
  libxkbcommon-dev
  libgdal-dev gdal-bin libproj-dev proj-bin libgeographiclib-dev geographiclib-tools
  libsqlite3-dev sqlite3 zlib1g-dev libjpeg62-turbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libzip-dev unzip
  fonts-dejavu-core socat poppler-utils binutils python3
  xdg-utils xvfb
)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

build() {
  # ccache hits across clones of the same project on one machine.
  export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1 CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-5G}
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$BUILD" -j"$(nproc)"
}

case "${1:-}" in
  run)
    install_missing
    build
    DATA=${MARIVO_DATA_DIR:-$BUILD/demo-data}
    if [ -x "$BUILD/tools/demogen/marivo-demogen" ] && [ ! -e "$DATA/.complete" ]; then
      "$BUILD/tools/demogen/marivo-demogen" "$DATA"
    fi
    # The chart manager's installation is found through the build's machine-wide settings.
    export KORVANE_MACHINE_REGISTRY="$BUILD/machine-registry.ini"
    exec "$BUILD/bin/marivo" --data "$DATA" "${@:2}"
    ;;
  test)
    install_missing
    build
    export QT_QPA_PLATFORM=offscreen
    ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)" --timeout 300
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
