#!/usr/bin/env bash
# tools/bench.sh: runs every benchmark built under BUILD/bin (bench_*, *_bench)
# and prints one line per speed goal:
#   PATH  COUNTER=RATIO  (ABSOLUTE FIGURES)  goal <= GOAL  met|missed
# Each benchmark measures its goal as a ratio against a baseline timed in the
# same run; the goals are those the benchmarks' own comments state, gathered
# in the table below. A ratio counter a benchmark reports that the table does
# not know is listed as "no goal in the table", so a new benchmark is seen.
# A first-call figure varies from process to process, so its benchmark runs
# in several processes and its line shows the median and the range.
# Exit status 0 when every goal is met, 1 when one is missed or could not be
# measured, 2 for bad usage.
set -euo pipefail

usage() {
  cat <<'EOF'
usage: tools/bench.sh [--build DIR] [--only NAME]...
Runs the benchmarks of DIR/bin (default: build) and prints one line per speed
goal: the benchmark's path, the measured ratio and absolute figures, the goal,
and whether it was met. --only runs the named benchmark programs alone.
Run it on an idle machine, with a -DCMAKE_BUILD_TYPE=Release build for
figures worth comparing.
EOF
}

build=build
only=()
while (($#)); do
  case "$1" in
    --help | -h) usage; exit 0 ;;
    --build) [[ $# -ge 2 && -n "$2" ]] || { echo "bench.sh: --build needs a folder" >&2; exit 2; }; build=$2; shift 2 ;;
    --only) [[ $# -ge 2 && -n "$2" ]] || { echo "bench.sh: --only needs a program name" >&2; exit 2; }; only+=("$2"); shift 2 ;;
    *) echo "bench.sh: unknown argument: $1" >&2; usage >&2; exit 2 ;;
  esac
done
[[ -d "$build/bin" ]] || { echo "bench.sh: no folder $build/bin: build the project first" >&2; exit 2; }

# program  benchmark (regular expression, whole name)  counter  goal  absolute figures
# A counter spread(C) is the largest C over the smallest among the benchmarks
# matched: a cost that stays flat across sizes. A goal "-" shows the counter
# without judging it.
goals=$(cat <<'EOF'
editors_bench      BM_DatabaseDialogVersusDirectFill  ratio              3    dialog_ms,baseline_ms
bench_formfiles    BM_LoadAndSave/.*                  ratio              2    save_ms,disk_ms
bench_formfiles    BM_Growth                          ratio              1.5  load_ns_50000,save_ns_50000
bench_formfiles    BM_TenLoads/.*                     ratio              1.5  median_ms,worst_ms
bench_formfiles    BM_FreeModule/.*                   spread(free_ratio) 1.5  ns_per_component
bench_formfiles    BM_LongStringWrite                 ratio              1.5  caption_ns_per_byte_8mb,lines_ns_per_byte_8mb
package_bench      BM_LoadRegisterUnload              ratio              3    real_time,bare_us
propeditors_bench  BM_TableNameValues                 ratio              1.5  real_time,runtime_ms
propeditors_bench  BM_InspectorRows                   ratio              3    us_per_component
propeditors_bench  BM_InspectorRows                   linearity          1.5  us_per_component
runtime_bench      BM_.*                              ratio              1.5  runtime_us,direct_us
check_bench        BM_Check100UpdateObjects           ratio              2    runtime_us,direct_us
check_run_bench    BM_CheckManyModulesInOneRun        ratio              1.2  one_run_ms,per_module_runs_ms,start_ms
mariadb_bench      BM_MariaDbTableNames               ratio              1.5  runtime_us,direct_us
mariadb_bench      BM_MariaDbCheck100UpdateObjects    ratio              2    runtime_us,direct_us
firebird_bench     BM_FirebirdTableNames              ratio              1.5  runtime_us,direct_us
session_load_bench BM_LoadSessions                    growth             12   s_sessions
session_load_bench BM_LoadSessions                    vs_one             2    s_sessions,s_one
verbs_bench        BM_VerbsOfLargeModules             linearity          1.5  us_per_component_5000,us_per_component_20000
verbs_bench        BM_VerbsOfLargeModules             vs_read            6    us_per_component_20000
completion_bench   BM_CompletionAfterFrom             first_ratio        1.5  first_ms,connect_and_table_names_ms
completion_bench   BM_CompletionAfterFrom             later_ratio        0.1  later_ms,table_names_ms
bench_settings     BM_IniVersusBytes                  ratio              2    ini_us,bytes_us
bench_history      BM_HistoryReadGrowth               ratio              1.5  ns_per_item_20000,ns_per_item_100000
sprigs_bench       BM_BuildStructureView              ratio              3    ns_per_node_10k
sprigs_bench       BM_BuildStructureView              linearity          1.5  ns_per_node_1k,ns_per_node_10k
updatesql_bench    BM_.*                              ratio              1.5  editor_ms,baseline_ms
window_bench       BM_OpenAndSelectInTheWindow        open_ratio         3    window_open_ms,plain_open_ms
window_bench       BM_OpenAndSelectInTheWindow        select_ratio       -    select_us,model_us
window_bench       BM_SelectInALargeModule            frame_ratio        1    select_ms
fetch_bench        BM_FirstPacket                     ratio              2    runtime_us,direct_us
fetch_bench        BM_ScrollTo100000                  per_record_ratio   1.5  ms_to_100000
fetch_bench        BM_MemoryOpen                      extra_MB           20   small_MB,big_MB
dataview_bench     BM_FirstRowsWithALargeCell         ratio              1.5  large_ms,plain_ms
dataview_bench     BM_FetchAllFromTheView             ratio              2    view_ms,data_ms,bytes_per_row
EOF
)

# program  benchmark (whole name)  processes: first-call figures, which depend
# on what the process has loaded and allocated before.
first_calls=$(cat <<'EOF'
updatesql_bench    BM_FirstGenerateSQLVersusAppends   5
EOF
)

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

failed=0
for program in "$build"/bin/bench_* "$build"/bin/*_bench; do
  [[ -x "$program" ]] || continue
  name=$(basename "$program")
  if ((${#only[@]})) && [[ ! " ${only[*]} " == *" $name "* ]]; then continue; fi
  echo "Running $name ..." >&2
  # The MariaDB benchmarks run beside a private server made for them.
  server=()
  if [[ $name == mariadb_* ]]; then server=("$(dirname "$0")/with-mariadb.sh"); fi
  if ! "${server[@]}" "$program" --benchmark_out="$out/$name.json" --benchmark_out_format=json >"$out/$name.log" 2>&1; then
    echo "bench.sh: $name failed; its output:" >&2
    cat "$out/$name.log" >&2
    failed=1
  fi
  while read -r first_program benchmark processes; do
    [[ $first_program == "$name" ]] || continue
    for ((run = 2; run <= processes; ++run)); do
      "$program" --benchmark_filter="^$benchmark(/|\$)" \
        --benchmark_out="$out/$name.run$run.json" --benchmark_out_format=json >"$out/$name.log" 2>&1 || {
        echo "bench.sh: $name failed in process $run; its output:" >&2
        cat "$out/$name.log" >&2
        failed=1
      }
    done
  done <<<"$first_calls"
done

GOALS="$goals" ONLY="${only[*]}" python3 - "$out" <<'EOF' || failed=1
import json, os, re, statistics, sys

out = sys.argv[1]
goals = [line.split() for line in os.environ["GOALS"].splitlines() if line.strip()]
only = os.environ["ONLY"].split()
ran = {}
reruns = {}  # program -> the rows of each further process
for f in sorted(os.listdir(out)):
    if f.endswith(".json"):
        try:
            rows = json.load(open(os.path.join(out, f)))["benchmarks"]
        except (ValueError, KeyError):
            continue  # a run that failed half-way: its goals show as not measured
        program, _, run = f[:-5].partition(".run")
        if run:
            reruns.setdefault(program, []).append(rows)
        else:
            ran[program] = rows

# "BM_Growth/min_time:2.000/manual_time" is BM_Growth run with those settings.
def plain(name):
    return re.sub(r"/(min_time|iterations|repeats|threads):[^/]*|/(manual|real)_time", "", name)

def figure(row, key):
    value = row.get(key)
    if value is None:
        return None
    unit = row.get("time_unit", "") if key in ("real_time", "cpu_time") else ""
    return f"{key}={value:.4g}{unit}"

missed = False
covered = set()
for program, pattern, counter, goal, absolute in goals:
    if only and program not in only:
        continue
    if program not in ran:
        print(f"{program}/{pattern}  {counter}: not measured (not built, or it failed)  goal <= {goal}  missed")
        missed = True
        continue
    rows = [r for r in ran[program] if re.fullmatch(pattern, plain(r["name"])) and not r.get("error_occurred")]
    spread = re.fullmatch(r"spread\((\w+)\)", counter)
    if spread:
        key = spread.group(1)
        values = [r[key] for r in rows if key in r]
        for r in rows:
            covered.add((program, plain(r["name"]), key))
        if not values:
            print(f"{program}/{pattern}  {counter}: not measured  goal <= {goal}  missed")
            missed = True
            continue
        value = max(values) / min(values)
        figures = ", ".join(f"{plain(r['name'])}: {f}" for r in rows for f in (figure(r, a) for a in absolute.split(",")) if f)
        ok = value <= float(goal)
        missed |= not ok
        print(f"{program}/{pattern}  {counter}={value:.3g}  ({figures})  goal <= {goal}  {'met' if ok else 'missed'}")
        continue
    if not rows:
        print(f"{program}/{pattern}  {counter}: not measured  goal <= {goal}  missed")
        missed = True
    for r in rows:
        covered.add((program, plain(r["name"]), counter))
        if counter not in r:
            print(f"{program}/{plain(r['name'])}  {counter}: not reported  goal <= {goal}  missed")
            missed = True
            continue
        # The same benchmark in the further processes, if it ran in any.
        runs = [r] + [o for other in reruns.get(program, []) for o in other
                      if plain(o["name"]) == plain(r["name"]) and counter in o and not o.get("error_occurred")]
        values = sorted(o[counter] for o in runs)
        value = statistics.median_low(values)
        middle = next(o for o in runs if o[counter] == value)
        shown = f"{counter}={value:.3g}"
        if len(values) > 1:
            shown += f" (median of {len(values)} processes, {values[0]:.3g}-{values[-1]:.3g})"
        figures = ", ".join(f for f in (figure(middle, a) for a in absolute.split(",")) if f)
        if goal == "-":
            print(f"{program}/{plain(r['name'])}  {shown}  ({figures})  no goal")
            continue
        ok = value <= float(goal)
        missed |= not ok
        print(f"{program}/{plain(r['name'])}  {shown}  ({figures})  goal <= {goal}  {'met' if ok else 'missed'}")

# Ratios no row of the table speaks for.
for program, rows in ran.items():
    for r in rows:
        for key, value in r.items():
            known = (program, plain(r["name"]), key) in covered
            if (key.endswith("ratio") or key == "linearity") and isinstance(value, (int, float)) and not known:
                print(f"{program}/{plain(r['name'])}  {key}={value:.3g}  no goal in the table")
sys.exit(1 if missed else 0)
EOF
exit $failed
