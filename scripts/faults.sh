#!/usr/bin/env bash
# Plants the faults listed in scripts/faults.txt one at a time in a scratch copy
# of the tree, rebuilds, runs the test suite and tells for each fault whether a
# test caught it. Not part of CI: it measures how much the tests catch.
#
# Usage: scripts/faults.sh [-o results-file] [id...]    (no ids: every fault)
#
# The working tree is never changed. The copy and its build live in
# $LUMERA_FAULTS_DIR (default /tmp/lumera-faults) and are kept between runs, so
# each fault rebuilds only what it touches (unoptimised, no debug info, ccache).
# The results are not kept in the tree, where they would age with each change:
# each run writes them to the results file (default results.txt in that
# folder), and each test log to its logs/ folder. Per fault it prints one of:
#   caught <tests>            a test failed (a timeout, if any, is marked)
#   caught-by-timeout <tests> the only failures were timeouts
#   missed                    every test passed
#   build-failed              the fault does not compile
#   not-applicable            the original text is not (or not once) in the file
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
list=$root/scripts/faults.txt
scratch=${LUMERA_FAULTS_DIR:-/tmp/lumera-faults}
src=$scratch/src
build=$scratch/build
results=$scratch/results.txt
if [[ ${1:-} == -o ]]; then
    results=$2
    shift 2
fi

# fault ids: prints the ids in the list; fault show ID: its file and note;
# fault plant ID: puts it in the copy (status 3: its text is not there once).
fault() {
    python3 - "$list" "$src" "$@" <<'PY'
import sys

def read(path):
    faults, cur = [], None
    for raw in open(path, encoding="utf-8"):
        line = raw.rstrip("\n")
        if not line.strip() or line.startswith("#"):
            continue
        key, _, value = line.partition(": ")
        if key == "id":
            cur = {"id": value}
            faults.append(cur)
        else:
            cur[key] = value.replace("⏎", "\n")
    return faults

listfile, src, cmd = sys.argv[1:4]
faults = read(listfile)
if cmd == "ids":
    print("\n".join(f["id"] for f in faults))
    sys.exit(0)
f = next((f for f in faults if f["id"] == sys.argv[4]), None)
if f is None:
    sys.exit("no fault " + sys.argv[4])
if cmd == "show":
    print(f["file"] + ": " + f["note"])
    sys.exit(0)
path = src + "/" + f["file"]
try:
    text = open(path, encoding="utf-8").read()
except FileNotFoundError:
    sys.exit(3)
if text.count(f["find"]) != 1:
    sys.exit(3)
open(path, "w", encoding="utf-8").write(text.replace(f["find"], f["repl"]))
PY
}

# Mirrors the tree (builds and .git left out); a file whose bytes changed is
# copied with a fresh time, so it rebuilds.
sync_tree() {
    mkdir -p "$src"
    python3 - "$root" "$src" <<'PY'
import filecmp, os, shutil, sys

root, src = sys.argv[1:3]

def skip(rel):
    top = rel.split(os.sep)[0]
    return top == ".git" or top.startswith("build")

wanted = set()
for base, dirs, files in os.walk(root):
    rel_base = os.path.relpath(base, root)
    dirs[:] = [d for d in dirs if not skip(os.path.normpath(os.path.join(rel_base, d)))]
    for name in files:
        rel = os.path.normpath(os.path.join(rel_base, name))
        wanted.add(rel)
        source, target = os.path.join(root, rel), os.path.join(src, rel)
        if not os.path.exists(target) or not filecmp.cmp(source, target, shallow=False):
            os.makedirs(os.path.dirname(target), exist_ok=True)
            shutil.copyfile(source, target)
            shutil.copymode(source, target)
for base, dirs, files in os.walk(src):
    for name in files:
        rel = os.path.relpath(os.path.join(base, name), src)
        if rel not in wanted:
            os.remove(os.path.join(base, name))
PY
}

configure() {
    [[ -f $build/CMakeCache.txt ]] && return 0
    # The tests read the shared verse files from beside the working tree.
    cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_FLAGS="-O0 -g0" -DLUMERA_WERROR=OFF \
        -DLUMERA_SHARED_DATA="$root/../shared/data" -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
        >"$scratch/configure.log" 2>&1
}

# Builds everything, or with "tests" only the test programs.
rebuild() {
    local targets=()
    if [[ ${1:-} == tests ]]; then
        mapfile -t targets < <(ctest --test-dir "$build" -N | sed -n 's/^ *Test *#[0-9]*: \(tst_.*\)$/\1/p')
        targets=(--target "${targets[@]}")
    fi
    cmake --build "$build" -j2 "${targets[@]}" >"$scratch/build.log" 2>&1
}

# Runs the suite; prints "name:status" for every failed test.
failed_tests() {
    ctest --test-dir "$build" -j2 --timeout 20 --output-on-failure >"$scratch/ctest.log" 2>&1
    sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) (\(.*\))$/\1:\2/p' "$scratch/ctest.log"
}

report() {
    printf '%-4s %s\n' "$1" "$2" | tee -a "$results"
}

bash "$root/scripts/deps.sh" ccache python3
mkdir -p "$scratch"
: >"$results"
sync_tree
configure || { echo "configure failed: see $scratch/configure.log"; exit 1; }
rebuild || { echo "the unchanged tree does not build: see $scratch/build.log"; exit 1; }
baseline=$(failed_tests)
if [[ -n $baseline ]]; then
    echo "failing without any fault (not counted as catches): $baseline" | tr '\n' ' '
    echo
fi

ids=("$@")
[[ ${#ids[@]} -gt 0 ]] || mapfile -t ids < <(fault ids)
declare -A count
for id in "${ids[@]}"; do
    file=$(fault show "$id") || exit 1
    file=${file%%: *}
    cp -p "$src/$file" "$scratch/original" 2>/dev/null
    fault plant "$id"
    case $? in
    0) ;;
    3) report "$id" not-applicable; count[not-applicable]=$((${count[not-applicable]:-0} + 1)); continue ;;
    *) exit 1 ;;
    esac
    rm -f "$scratch/ctest.log"
    if ! rebuild tests; then
        status=build-failed
    else
        caught=() timeouts=0
        while IFS=: read -r name how; do
            grep -qx "$name:.*" <<<"$baseline" && continue
            [[ $how == Timeout ]] && { timeouts=$((timeouts + 1)); name="$name(timeout)"; }
            caught+=("$name")
        done < <(failed_tests)
        if [[ ${#caught[@]} -eq 0 ]]; then
            status=missed
        elif [[ $timeouts -eq ${#caught[@]} ]]; then
            status="caught-by-timeout ${caught[*]}"
        else
            status="caught ${caught[*]}"
        fi
    fi
    mkdir -p "$scratch/logs"
    cp "$scratch/ctest.log" "$scratch/logs/$id.log" 2>/dev/null
    cp "$scratch/original" "$src/$file"
    touch "$src/$file"
    report "$id" "$status"
    count[${status%% *}]=$((${count[${status%% *}]:-0} + 1))
done
rebuild >/dev/null || true

echo "--"
for key in caught caught-by-timeout missed build-failed not-applicable; do
    printf '%s: %s\n' "$key" "${count[$key]:-0}"
done
echo "results: $results"
