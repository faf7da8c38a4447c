# Shared set-up of run.sh and test.sh: Debian packages and the build.
# One Debian package name per entry (real names, not virtual ones: dpkg-query must find each once
# installed, or every start would try to install it again).
VELKOR_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev qt6-svg-dev
  libsqlite3-dev mdbtools-dev libmdb3
  libchm-dev libchm-bin fp-utils-3.2.2
  desktop-file-utils xdg-utils
  fonts-dejavu-core fonts-liberation2 poppler-utils pandoc
  qt6-qpa-plugins xvfb xauth x11-utils
)

velkor_package_installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# Installs the given packages, or VELKOR_PACKAGES when none are given, where they are missing.
velkor_install_packages() {
  local wanted=("$@")
  [ ${#wanted[@]} -eq 0 ] && wanted=("${VELKOR_PACKAGES[@]}")
  local missing=()
  for p in "${wanted[@]}"; do
    velkor_package_installed "$p" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  # A name that apt-get accepts but dpkg never reports (a virtual package) would be installed again
  # on every start: stop here instead.
  local still=()
  for p in "${missing[@]}"; do
    velkor_package_installed "$p" || still+=("$p")
  done
  if [ ${#still[@]} -ne 0 ]; then
    echo "Not installed after apt-get: ${still[*]}" >&2
    return 1
  fi
}

velkor_configure() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
}

# Everything: the program, its program folder and the tests.
velkor_build() {
  velkor_configure
  cmake --build build -j "$(nproc)"
}

# The program and its program folder only.
velkor_build_program() {
  velkor_configure
  cmake --build build -j "$(nproc)" --target Velkor_PED
}
