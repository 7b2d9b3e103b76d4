#!/bin/bash
# Builds the fuzz harnesses (clang, into build-fuzz/), writes their seeds and
# runs each harness for the given time (default 60 s), several at once.
#
#   tools/fuzz.sh [seconds] [harness...]     e.g. tools/fuzz.sh 600 config_file
#
# Inputs found so far are kept per harness in build-fuzz/corpus/<harness>;
# an input that crashes, leaks or hangs in this run lands in
# build-fuzz/findings/<harness>/ and the script fails. FUZZ_JOBS sets how
# many harnesses run at once (default: half the cores, at most 4).
set -eu

# The whole script is read before it runs, so that editing it meanwhile is safe.
main() {
    cd "$(dirname "$0")/.."
    top=$(pwd)
    seconds=${1:-60}
    [ $# -gt 0 ] && shift

    tools/deps.sh clang libclang-rt-14-dev
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
          -DKV_BUILD_FUZZ=ON -DKV_BUILD_TESTS=OFF >/dev/null
    cmake --build build-fuzz --parallel "${KV_JOBS:-$(nproc)}" --target kv_fuzzers

    export LSAN_OPTIONS="suppressions=$top/tools/lsan-suppressions.txt:print_suppressions=0"
    out=$top/build-fuzz
    rm -rf "$out/seeds"
    "$out/fuzz/kv_fuzz_seeds" "$out/seeds"

    if [ $# -gt 0 ]; then
        harnesses="$*"
    else
        harnesses=$(find "$out/fuzz" -maxdepth 1 -type f -perm -u+x -name 'fuzz_*' -printf '%f\n' | sed 's/^fuzz_//' | sort)
    fi
    cores=${KV_JOBS:-$(nproc)}
    jobs=${FUZZ_JOBS:-$(( cores / 2 > 4 ? 4 : (cores / 2 > 0 ? cores / 2 : 1) ))}

    run_one() {
        local h=$1
        rm -rf "$out/findings/$h"
        mkdir -p "$out/corpus/$h" "$out/findings/$h" "$out/run/$h" "$out/logs"
        # The readers write their error report into the current directory.
        (cd "$out/run/$h" && "$out/fuzz/fuzz_$h" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
             -print_final_stats=1 -artifact_prefix="$out/findings/$h/" \
             "$out/corpus/$h" "$out/seeds/$h") >"$out/logs/$h.log" 2>&1
    }

    for h in $harnesses; do
        if [ ! -x "$out/fuzz/fuzz_$h" ]; then
            echo "no harness fuzz_$h" >&2
            exit 2
        fi
    done

    running=0
    for h in $harnesses; do
        run_one "$h" &
        running=$((running + 1))
        if [ "$running" -ge "$jobs" ]; then
            wait -n || true
            running=$((running - 1))
        fi
    done
    wait || true

    status=0
    for h in $harnesses; do
        summary=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$out/logs/$h.log" | tail -1 || true)
        runs=$(grep -E '^stat::number_of_executed_units' "$out/logs/$h.log" | awk '{print $2}' || true)
        findings=$(find "$out/findings/$h" -type f | wc -l)
        printf '%-16s runs %-9s %s\n' "$h" "${runs:-?}" "${summary:-no result, see build-fuzz/logs/$h.log}"
        if [ "$findings" -gt 0 ] || [ -z "$summary" ]; then
            echo "  findings in build-fuzz/findings/$h/, log build-fuzz/logs/$h.log"
            status=1
        fi
    done
    exit $status
}

main "$@"
exit
