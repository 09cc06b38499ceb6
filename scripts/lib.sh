# Shell functions shared by the scripts in this folder. Source it, do not run it:
#   . "$(dirname "$0")/lib.sh"
# Every function prints one line saying what it does; tool output goes to a log
# file in the build folder and is shown only when the step fails.

# Debian packages the build and the tests need.
QLR_PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
              nlohmann-json3-dev libjemalloc-dev pkg-config time qt6-base-dev libgl1-mesa-dev
              python3-aiosmtpd libcurl4-openssl-dev scdoc man-db desktop-file-utils)

# Parallel build jobs: all cores unless QLR_JOBS says otherwise.
QLR_JOBS=${QLR_JOBS:-$(nproc 2>/dev/null || echo 2)}

qlr_say() { echo "==> $*"; }
qlr_die() { echo "error: $*" >&2; exit 1; }

# Moves to the repository root (the folder above scripts/), so that every
# script works from any current directory.
qlr_cd_root() {
  QLR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  cd "$QLR_ROOT" || qlr_die "cannot enter $QLR_ROOT"
}

# Runs a command as root: directly when we are root, otherwise through sudo.
qlr_as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    qlr_die "need root rights (or sudo) to run: $*"
  fi
}

# The packages of QLR_PACKAGES that are not installed yet.
qlr_missing_packages() {
  local pkg
  for pkg in "${QLR_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed' || echo "$pkg"
  done
}

# Installs what is missing through apt-get; the package index is refreshed
# only when something has to be installed.
qlr_install_deps() {
  if ! command -v dpkg-query >/dev/null 2>&1; then
    qlr_say "not a Debian system: assuming the build tools and libraries are installed"
    return 0
  fi
  local missing
  missing=$(qlr_missing_packages | tr '\n' ' ')
  if [ -z "${missing// /}" ]; then
    qlr_say "build dependencies already installed"
    return 0
  fi
  qlr_say "installing: $missing"
  export DEBIAN_FRONTEND=noninteractive
  qlr_as_root apt-get -qq update </dev/null || qlr_die "apt-get update failed"
  # shellcheck disable=SC2086  # the list is meant to split into words
  qlr_as_root apt-get -qq -y -o Dpkg::Use-Pty=0 install --no-install-recommends $missing \
    </dev/null >/dev/null || qlr_die "apt-get install failed"
}

# Runs a command with its output in LOG; on failure shows the log and stops.
qlr_logged() {
  local log=$1
  shift
  if ! "$@" >"$log" 2>&1; then
    grep -v '^\[[0-9]*/[0-9]*\] ' "$log" | tail -n 200 >&2
    qlr_die "failed: $* (full output in $log)"
  fi
}

# qlr_configure DIR BUILD_TYPE [cmake options...]: configures a Ninja build in DIR.
qlr_configure() {
  local dir=$1 type=$2
  shift 2
  qlr_say "configuring $dir ($type${*:+, $*})"
  mkdir -p "$dir"
  qlr_logged "$dir/qlr-configure.log" \
    cmake -S "$QLR_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@"
}

# qlr_build DIR [targets...]: builds everything, or the targets named.
qlr_build() {
  local dir=$1
  shift
  qlr_say "building ${*:-everything} in $dir with $QLR_JOBS jobs"
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  qlr_logged "$dir/qlr-build.log" cmake --build "$dir" --parallel "$QLR_JOBS" "${targets[@]}"
}

# qlr_ctest DIR [ctest options...]: runs the tests, showing only failures (with
# their output) and the summary; returns CTest's status.
qlr_ctest() {
  local dir=$1
  shift
  qlr_say "running the tests in $dir"
  local status=0
  ctest --test-dir "$dir" --output-on-failure --no-tests=error -j2 "$@" 2>&1 |
    grep -v -E '^ +Start +[0-9]+: |^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed +[0-9.]+ sec$|^Internal ctest changing|^Test project ' ||
    status=${PIPESTATUS[0]}
  return "$status"
}
