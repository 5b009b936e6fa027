#!/usr/bin/env bash
# Runs the headless benchmark (telvane-bench --runs N) and the pure stage
# work (stage_bench) one after the other, and prints each stage's median
# from the command next to the pure work's, with their ratio, and the
# spread of the command's total.  Usage: compare-stages.sh [BUILD] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-10}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cmake --build "$build" --target telvane-bench stage_bench >/dev/null
(cd "$out" && "$OLDPWD/$build/app/telvane-bench" --runs "$runs" --json >"$out/run.json")
"$build/tools/bench/stage_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_format=json >"$out/stage.json" 2>/dev/null
/usr/bin/python3 - "$out/run.json" "$out/stage.json" <<'PY'
import json, sys
run = json.load(open(sys.argv[1]))
stage = json.load(open(sys.argv[2]))
pure = {b["run_name"]: b["real_time"] for b in stage["benchmarks"] if b.get("aggregate_name") == "median"}
names = [("memory_allocation", "BM_StageMemoryAllocation"), ("file_access", "BM_StageFileAccess"),
         ("image_display", "BM_StageImageDisplayPixels"), ("composite", "BM_StageComposite"),
         ("convolution", "BM_StageConvolution")]
s = run["summary"]
print(f"{len(run['runs'])} runs of telvane-bench; pure work: median of 5 repetitions of stage_bench (ms)")
print(f"{'stage':20} {'median':>8} {'min':>8} {'max':>8} {'pure':>8} {'ratio':>6}")
for key, bm in names:
    med, lo, hi = (s[k]["times_s"][key] * 1000 for k in ("median", "min", "max"))
    p = pure.get(bm)
    ratio = f"{med / p:6.2f}" if p else "     -"
    print(f"{key:20} {med:8.1f} {lo:8.1f} {hi:8.1f} {p if p else 0:8.1f} {ratio}")
med, lo, hi = (s[k]["times_s"]["total"] * 1000 for k in ("median", "min", "max"))
print(f"{'total':20} {med:8.1f} {lo:8.1f} {hi:8.1f}")
print(f"spread of the total (max - min) / median: {(hi - lo) / med * 100:.1f} %")
print(f"score median {s['median']['score']:g}, min {s['min']['score']:g}, max {s['max']['score']:g}")
PY
