# SPDX-License-Identifier: GPL-2.0-or-later
# What the benchmark scripts share. Sourced from the project root.

# Installs a Debian package when the command it brings is missing.
need_command() {
  local command=$1 package=$2 sudo=""
  command -v "$command" >/dev/null && return
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$package" >/dev/null
}

# Configures the build folder with the tests, which bring the benchmarks, when
# it has not been (make run configures it without them), then builds the targets.
build_targets() {
  local build=$1
  shift
  if ! grep -qx 'TAVRI_BUILD_TESTS:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null; then
    ./scripts/install-deps test
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRI_BUILD_TESTS=ON >/dev/null
  fi
  cmake --build "$build" --target "$@" >/dev/null
}

now() { date +%s.%N; }

# The fastest of ROUNDS runs, in seconds.
best() {
  local best="" t
  for _ in $(seq "$ROUNDS"); do
    t=$("$@")
    if [ -z "$best" ] || awk "BEGIN{exit !($t < $best)}"; then best=$t; fi
  done
  echo "$best"
}

# Wall time of a whole command, process start included on every side.
timed() {
  local start end
  start=$(now)
  "$@" >/dev/null
  end=$(now)
  awk "BEGIN{printf \"%.6f\n\", $end - $start}"
}
