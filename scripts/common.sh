# Shared by run.sh and test.sh: install what is missing, then configure and build.
# Sourced, not run.

ORVANE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ "${ORVANE_SANITIZE:-0}" = 1 ]; then
  ORVANE_BUILD="${ORVANE_BUILD_ASAN:-$ORVANE_ROOT/build-asan}"
else
  ORVANE_BUILD="${ORVANE_BUILD:-$ORVANE_ROOT/build}"
fi

ORVANE_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev libsqlite3-dev
  fonts-noto-cjk ccache qt6-translations-l10n
  # The ideographs of a printed form: a 宋体 whose glyphs read back as the characters.
  fonts-arphic-uming
  # A 黑体 for the few characters whose glyph in Noto Sans CJK reads back as another.
  fonts-wqy-microhei
  clang libclang-rt-14-dev
  # Chinese through an input method: fcitx5's frontend for Qt 6 and, for the check
  # that types pinyin on a virtual X server, the daemon with its pinyin engine.
  fcitx5-frontend-qt6 fcitx5 fcitx5-pinyin dbus-x11 xvfb xdotool sqlite3
  # Printing to a printer of the system: the printer library, asked whether a queue
  # takes a job, and CUPS with a PDF-writing queue for its test.
  libcups2-dev cups printer-driver-cups-pdf poppler-utils
)

orvane_install_missing() {
  local missing=()
  local p
  for p in "${ORVANE_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then sudo="sudo"; else
      echo "These packages are missing and this user cannot install them: ${missing[*]}" >&2
      return 1
    fi
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

orvane_build() {
  # ccache keeps rebuilds of other checkouts of the tree quick; paths below the
  # checkout are hashed relative to it.
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$ORVANE_ROOT}"
  local launcher=()
  command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  local extra=()
  if [ "${ORVANE_SANITIZE:-0}" = 1 ]; then
    # clang brings libFuzzer; without it the fuzz targets run a mutation loop of our own.
    command -v clang++ >/dev/null 2>&1 && extra+=(-DCMAKE_CXX_COMPILER=clang++)
    extra+=(-DORVANE_SANITIZE=ON -DORVANE_BUILD_BENCH=OFF)
  fi
  if [ ! -f "$ORVANE_BUILD/build.ninja" ]; then
    cmake -S "$ORVANE_ROOT" -B "$ORVANE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "${extra[@]}" \
      -DORVANE_WERROR="${ORVANE_WERROR:-OFF}"
  elif [ -n "${ORVANE_WERROR:-}" ]; then
    # ORVANE_WERROR=ON|OFF switches warnings as errors on an existing build.
    cmake "$ORVANE_BUILD" -DORVANE_WERROR="$ORVANE_WERROR" >/dev/null
  fi
  cmake --build "$ORVANE_BUILD" -j"${ORVANE_JOBS:-$(nproc)}"
}
