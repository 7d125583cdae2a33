#!/usr/bin/env bash
# Set-up, build, run and test on Debian 12.
#   ./marivo.sh run    install what is missing, build, and start the program on the demo data,
#                      with the online services' loopback stand-in while it runs
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
  xdg-utils xvfb locales
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

# The shared test charts lie beside the checkout, or beside the main checkout of a worktree.
testdata_dir() {
  local dir="$ROOT/../shared/testdata" common
  if [ ! -d "$dir" ] && common=$(git -C "$ROOT" rev-parse --path-format=absolute --git-common-dir 2>/dev/null); then
    dir="$common/../../shared/testdata"
  fi
  echo "$dir"
}

# The loopback stand-in for the online services, offering the demo chart and a test chart.
# It names itself as the program's services in the user's settings once it listens (it then
# prints its port) and gives the setting back when it is ended.
STUB_PID=""
start_services() {
  local stub="$BUILD/tools/servicestub/marivo-servicestub" port_file
  [ -x "$stub" ] || return 0
  port_file=$(mktemp)
  MARIVO_STUB_FILES="$1/Charts/BSB:$(testdata_dir)/charts/bsb" "$stub" --port 0 --settings >"$port_file" &
  STUB_PID=$!
  for _ in $(seq 100); do
    [ -s "$port_file" ] && break
    kill -0 "$STUB_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [ -s "$port_file" ]; then
    echo "Online services stand-in: http://127.0.0.1:$(head -1 "$port_file")"
  else
    echo "The online services stand-in did not start; the program runs without it." >&2
    stop_services
  fi
  rm -f "$port_file"
}

stop_services() {
  [ -n "$STUB_PID" ] || return 0
  kill -TERM "$STUB_PID" 2>/dev/null || true
  wait "$STUB_PID" 2>/dev/null || true
  STUB_PID=""
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
    trap stop_services EXIT
    start_services "$DATA"
    "$BUILD/bin/marivo" --data "$DATA" "${@:2}" &
    MARIVO_PID=$!
    # Ctrl+C or SIGTERM closes the program in order; the stand-in goes once it has ended.
    trap 'kill -TERM "$MARIVO_PID" 2>/dev/null || true' INT TERM
    while kill -0 "$MARIVO_PID" 2>/dev/null; do wait "$MARIVO_PID" || true; done
    status=0
    wait "$MARIVO_PID" || status=$?
    exit "$status"
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
