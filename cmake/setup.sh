# Shared by ./run and ./test: installs what the build needs and builds the tree.
# Sourced, not run.

LUMO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
LUMO_BUILD="${LUMO_BUILD:-$LUMO_ROOT/build}"

LUMO_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libqt6svg6 libgl-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev clang libclang-rt-14-dev
  fonts-dejavu-core xvfb xauth poppler-utils
  dpkg-dev file qt6-qpa-plugins
  python3-mne
)

lumo_install_packages() {
  local missing=()
  local package
  for package in "${LUMO_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "lumo: installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq || return 1
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || return 1
}

lumo_build() {
  cmake -S "$LUMO_ROOT" -B "$LUMO_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null || return 1
  cmake --build "$LUMO_BUILD" || return 1
}
