#!/usr/bin/env bash
# Compares the benchmark command's stage times (telvane-bench, the window
# path on Qt's offscreen platform) with the same work done without windows
# (stage_bench), in one interleaved series: each round runs one batch of
# telvane-bench and then one pass of stage_bench, so that whatever else the
# machine does at that moment falls on both.  Prints per stage the median,
# minimum and maximum of the command's times over all rounds, the median of
# the windowless work and their ratio, and the spread of the command's total.
#
#   compare-stages.sh [BUILD] [ROUNDS] [RUNS_PER_ROUND]
#     BUILD           build folder (default build); the two programs are built first
#     ROUNDS          interleaved rounds (default 10)
#     RUNS_PER_ROUND  reported telvane-bench runs per round (default 1); each
#                     batch first makes one unreported warm-up run
#   TELVANE_BENCH=path STAGE_BENCH=path   use these programs instead (e.g. to
#                     compare two builds); nothing is built then
set -euo pipefail
build=${1:-build}
rounds=${2:-10}
per_round=${3:-1}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
if [[ -z "${TELVANE_BENCH:-}" || -z "${STAGE_BENCH:-}" ]]; then
  cmake --build "$build" --target telvane-bench stage_bench >/dev/null
fi
command_prog=$(realpath "${TELVANE_BENCH:-$build/app/telvane-bench}")
pure_prog=$(realpath "${STAGE_BENCH:-$build/tools/bench/stage_bench}")

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
for ((i = 0; i < rounds; ++i)); do
  # telvane-bench makes its scratch folder in the working directory.
  (cd "$out" && "$command_prog" --warmup 1 --runs "$per_round" --json >"$out/run-$i.json")
  "$pure_prog" --benchmark_repetitions=1 --benchmark_format=json >"$out/stage-$i.json" 2>/dev/null
  echo "round $((i + 1)) of $rounds done" >&2
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)" >&2

/usr/bin/python3 - "$out" "$rounds" <<'PY'
import json, statistics, sys
folder, rounds = sys.argv[1], int(sys.argv[2])
keys = ["memory_allocation", "file_access", "image_display", "composite", "convolution", "total"]
bms = {"memory_allocation": "BM_StageMemoryAllocation", "file_access": "BM_StageFileAccess",
       "image_display": "BM_StageImageDisplayPixels", "composite": "BM_StageComposite",
       "convolution": "BM_StageConvolution", "total": "BM_RunWithoutWindows"}
cmd = {k: [] for k in keys}
pure = {k: [] for k in bms}
for i in range(rounds):
    for r in json.load(open(f"{folder}/run-{i}.json"))["runs"]:
        for k in keys:
            cmd[k].append(r["times_s"][k] * 1000)
    for b in json.load(open(f"{folder}/stage-{i}.json"))["benchmarks"]:
        for k, name in bms.items():
            if b["name"] == name:
                pure[k].append(b["real_time"])
print(f"{len(cmd['total'])} telvane-bench runs in {rounds} rounds, interleaved with {rounds} passes of stage_bench (ms)")
# The command's stage times are whole milliseconds summed over intervals;
# for stages of a few milliseconds the mean of many runs says more than the
# median, so both ratios are shown.
print(f"{'stage':18} {'median':>8} {'min':>8} {'max':>8} {'mean':>8} {'pure':>8} {'ratio':>6} {'mean/pure':>9}")
pure_med = {k: statistics.median(v) for k, v in pure.items() if v}
for k in keys[:-1]:
    v = cmd[k]
    p = pure_med.get(k)
    ratio = f"{statistics.median(v) / p:6.2f}" if p else "     -"
    mratio = f"{statistics.mean(v) / p:9.2f}" if p else "        -"
    print(f"{k:18} {statistics.median(v):8.1f} {min(v):8.1f} {max(v):8.1f} {statistics.mean(v):8.1f} {p or 0:8.1f} "
          f"{ratio} {mratio}")
v = cmd["total"]
p = pure_med.get("total")
if p is None:
    # An older stage_bench without the whole run: the pure stages plus the
    # command's own work between its stages.
    rest = statistics.median([t - sum(cmd[k][j] for k in keys[:-1]) for j, t in enumerate(v)])
    p = sum(pure_med.values()) + rest
print(f"{'total':18} {statistics.median(v):8.1f} {min(v):8.1f} {max(v):8.1f} {statistics.mean(v):8.1f} {p:8.1f} "
      f"{statistics.median(v) / p:6.2f} {statistics.mean(v) / p:9.2f}")
print(f"spread of the total (max - min) / median: {(max(v) - min(v)) / statistics.median(v) * 100:.1f} %")
PY
