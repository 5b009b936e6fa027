#!/usr/bin/env bash
# Installs what is missing, builds and runs every test:
#   1. the whole program and its tests (GUI tests on Qt's offscreen platform),
#      then cmake --install into a temporary prefix, checking that the
#      programs, the desktop entry and the icon are there;
#   2. all of it again under AddressSanitizer and UndefinedBehaviorSanitizer;
#   3. the file-reader fuzz targets for TELVANE_FUZZ_SECONDS each (default 30).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh --test

jobs=$(nproc)
seconds=${TELVANE_FUZZ_SECONDS:-30}
status=0
passed=0
failed=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# Runs ctest, keeps its verdict and adds its counts to the totals.
run_ctest() {
  local rc=0
  ctest "$@" 2>&1 | tee "$log" || rc=1
  [[ ${PIPESTATUS[0]} -eq 0 ]] || rc=1
  local line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
  if [[ -n "$line" ]]; then
    bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  else
    rc=1
  fi
  [[ $rc -eq 0 ]] || status=1
}

echo "== build and test =="
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
run_ctest --test-dir build --output-on-failure -j"$jobs"

echo "== installing into a temporary prefix =="
prefix=$(mktemp -d)
expected=(bin/telvane bin/telvane-bench bin/telvane-ops share/applications/telvane.desktop
          share/icons/hicolor/32x32/apps/telvane.png)
missing_files=()
if cmake --install build --prefix "$prefix" >/dev/null; then
  for f in "${expected[@]}"; do
    [[ -f "$prefix/$f" ]] || missing_files+=("$f")
  done
  for f in bin/telvane bin/telvane-bench bin/telvane-ops; do
    [[ -x "$prefix/$f" ]] || missing_files+=("$f (not executable)")
  done
else
  missing_files+=("(cmake --install failed)")
fi
rm -rf "$prefix"
if [[ ${#missing_files[@]} -eq 0 ]]; then
  echo "install: all ${#expected[@]} files in place"
  passed=$((passed + 1))
else
  echo "install: missing ${missing_files[*]}" >&2
  failed=$((failed + 1))
  status=1
fi

echo "== under AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DTELVANE_SANITIZE=ON -DTELVANE_BENCHMARKS=OFF >/dev/null
cmake --build build-asan -j"$jobs"
run_ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== fuzzing the file readers (${seconds} s each) =="
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DTELVANE_GUI=OFF -DTELVANE_BENCHMARKS=OFF -DTELVANE_FUZZ=ON \
      -DTELVANE_FUZZ_SECONDS="$seconds" >/dev/null
cmake --build build-fuzz -j"$jobs"
run_ctest --test-dir build-fuzz --output-on-failure -j"$jobs" -L fuzz

echo
echo "tests: $passed passed, $failed failed"
exit $status
