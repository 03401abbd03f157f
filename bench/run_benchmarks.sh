#!/usr/bin/env bash
# Runs the core benchmarks of an existing build and prints their ratios twice: from wall time
# (Google Benchmark, pairs measured in the same run) and from instruction counts (callgrind),
# which are the stable measure on shared machines where wall time varies by a third.
#
# Usage: bench/run_benchmarks.sh [build-dir] [google-benchmark options...]
#   build-dir defaults to ../build-bench, then ../build, beside this script. The build must be
#   configured with -DQUORVEL_BUILD_BENCHMARKS=ON (RelWithDebInfo) and have quorvel_bench_core
#   built; this script builds nothing.
# Environment: QUORVEL_BENCH_EVENTS (default 100000) sets N for the callgrind runs.
#
# Instructions per event: callgrind collects only the loop that repeats the operation (start-up
# varies from run to run), and the count of a run of N events is taken from one of 2N, so that
# what the first call costs (lazy symbol binding, caches of Qt) cancels out; the cost of the
# bare counting loop, measured the same way, is subtracted from every case.
#
# The notify cases deliver the event straight to the application's notify, as Qt's sendEvent
# does after its own bookkeeping; "Application" is the application after start, as a product
# runs it for nearly all its life; the body of Application::notify is shown on its own.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=""
if [[ $# -gt 0 && $1 != -* ]]; then
    build=$1
    shift
else
    for candidate in "$here/../build-bench" "$here/../build"; do
        if [[ -x $candidate/bin/quorvel_bench_core ]]; then
            build=$candidate
            break
        fi
    done
fi
bin="${build:-$here/../build-bench}/bin/quorvel_bench_core"
if [[ ! -x $bin ]]; then
    echo "no benchmark binary at $bin: configure with -DQUORVEL_BUILD_BENCHMARKS=ON" \
         "and build the quorvel_bench_core target first" >&2
    exit 2
fi
for tool in valgrind callgrind_annotate awk; do
    command -v "$tool" >/dev/null || { echo "$tool is needed" >&2; exit 2; }
done

started=$(date +%s)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
export QT_QPA_PLATFORM=offscreen QT_HASH_SEED=0 XDG_RUNTIME_DIR="$work/runtime"
events=${QUORVEL_BENCH_EVENTS:-100000}

echo "== Wall time (Google Benchmark; real time per iteration, ratios of pairs from this run)"
"$bin" "$@"
echo

# count <case> <app or -> <events>: instructions of one whole run.
count() {
    local out="$work/cg.$1.$2.$3"
    local app=()
    [[ $2 != - ]] && app=(--app="$2")
    # Only the repeat loop of the case (and what it calls) is collected: start-up varies from
    # run to run by more than a few instructions per event.
    if ! valgrind --tool=callgrind --callgrind-out-file="$out" --collect-atstart=no \
            --toggle-collect='*QuorvelBench::Repeat<*' \
            "$bin" --count="$1" "${app[@]}" --events="$3" >"$out.log" 2>&1; then
        echo "callgrind run of $1 ($2, $3 events) failed:" >&2
        cat "$out.log" >&2
        exit 1
    fi
    awk '/^(summary|totals):/ { print $2; exit }' "$out"
}

# self_cost <case> <app> <function>: exclusive instructions per event of one function, from
# the runs that per_event made.
self_cost() {
    local one two
    one=$(callgrind_annotate --threshold=100 "$work/cg.$1.$2.$events" | awk -v f="$3" \
        'index($0, f) { gsub(",", "", $1); print $1; exit }')
    two=$(callgrind_annotate --threshold=100 "$work/cg.$1.$2.$((2 * events))" | awk -v f="$3" \
        'index($0, f) { gsub(",", "", $1); print $1; exit }')
    awk -v a="${one:-0}" -v b="${two:-0}" -v n="$events" 'BEGIN { printf "%.2f", (b - a) / n }'
}

# per_event <case> <app or ->: instructions per event including the counting loop.
per_event() {
    local one two
    one=$(count "$1" "$2" "$events")
    two=$(count "$1" "$2" $((2 * events)))
    awk -v a="$one" -v b="$two" -v n="$events" 'BEGIN { printf "%.2f", (b - a) / n }'
}

echo "== Instructions per event (callgrind; N=$events vs 2N; counting loop subtracted)"
declare -A cost
loop=$(per_event empty -)
printf '%-64s %10s\n' "counting loop (subtracted below)" "$loop"
measure() {  # <key> <case> <app> <label>
    local raw
    raw=$(per_event "$2" "$3")
    cost[$1]=$(awk -v r="$raw" -v l="$loop" 'BEGIN { printf "%.2f", r - l }')
    printf '%-64s %10s\n' "$4" "${cost[$1]}"
}
measure n_bare     notify-ordinary bare    "QApplication::notify, ordinary event (User to QObject)"
measure n_app      notify-ordinary quorvel "Application::notify, ordinary event"
notify_self=$(self_cost notify-ordinary quorvel 'Quorvel::App::Application::notify(')
printf '%-64s %10s\n' "  of which the body of Application::notify" "$notify_self"
measure t_bare     notify-timer    bare    "QApplication::notify, timer event"
measure t_app      notify-timer    quorvel "Application::notify, timer event"
printf '%-64s %10s\n' "  of which the body of Application::notify" \
    "$(self_cost notify-timer quorvel 'Quorvel::App::Application::notify(')"
measure s_bare     send-ordinary   bare    "sendEvent via QApplication, ordinary event"
measure s_app      send-ordinary   quorvel "sendEvent via Application, ordinary event"
measure n_prestart notify-ordinary quorvel-before-start \
                                           "Application::notify before start, ordinary event"
measure get        get-last        -       "Get<IHttpClient>, last of 14 services"
measure get_map    get-hash-map    -       "baseline: unordered_map<type_index> lookup"
measure get_copy   get-member-copy -       "baseline: copy of one shared_ptr member"
measure notify10   notify-10       -       "EventHandlerList::Notify, 10 observers"
measure loop10     loop-10         -       "baseline: virtual calls over vector of 10"

ratio() {  # <label> <numerator key> <denominator key> [target]
    awk -v label="$1" -v a="${cost[$2]}" -v b="${cost[$3]}" -v target="${4:-}" 'BEGIN {
        r = a / b
        verdict = ""
        if (target != "") verdict = sprintf("  (target <= %s: %s)", target, r <= target + 0 ? "met" : "MISSED")
        printf "ratio %s: %.3f%s\n", label, r, verdict
    }'
}
echo
echo "Instruction ratios:"
ratio "Application::notify / QApplication::notify (ordinary event)" n_app n_bare 1.03
ratio "Application::notify / QApplication::notify (timer event)" t_app t_bare 1.03
ratio "Get<T> / baseline (type_index hash map)" get get_map
ratio "Get<T> / shared_ptr member copy" get get_copy
ratio "Notify 10 observers / plain virtual loop" notify10 loop10
echo "For context:"
ratio "sendEvent through Application / through QApplication (ordinary event)" s_app s_bare
ratio "Application::notify before start / QApplication::notify (ordinary event)" n_prestart n_bare

# The preferred browser's pairs, wall time only: both halves of each pair are system calls
# (/proc reads against a ps child; a stat), which callgrind does not count.
browser_bin="$(dirname "$bin")/quorvel_bench_browser"
echo
echo "== Preferred browser (Google Benchmark; real time per iteration, ratios from this run)"
if [[ -x $browser_bin ]]; then
    "$browser_bin"
else
    echo "no $browser_bin: build the quorvel_bench_browser target to include it"
fi

# Gestures, counted like the core cases: decoding one pan message through an injected gesture
# API, and Route over a six-level widget tree against QApplication::widgetAt alone.
gesture_bin="$(dirname "$bin")/quorvel_bench_gesture"
echo
echo "== Gestures (callgrind; N=$events vs 2N; counting loop subtracted)"
if [[ -x $gesture_bin ]]; then
    bin=$gesture_bin
    loop=$(per_event empty -)
    measure g_decode gesture-decode-pan - "decoding one pan message (injected gesture API)"
    measure g_calls  gesture-api-calls  - "baseline: the API calls of one pan message"
    measure g_route  gesture-route      - "Gesture::Router::Route, six levels"
    measure g_at     gesture-widgetat   - "baseline: QApplication::widgetAt, six levels"
    ratio "decoding one pan message / its API calls" g_decode g_calls
    ratio "Route / QApplication::widgetAt (six levels)" g_route g_at 1.5
else
    echo "no $gesture_bin: build the quorvel_bench_gesture target to include it"
fi

# The request headers: updateQtRequest against the same headers set by hand, in wall time and
# in instructions per request (the same N-versus-2N difference as above, this binary's own
# repeat loop collected).
headers_bin="$(dirname "$bin")/quorvel_bench_headers"
echo
echo "== Request headers (Google Benchmark; real time per iteration, ratios from this run)"
if [[ -x $headers_bin ]]; then
    "$headers_bin"
    headers_events=$(( events / 5 ))
    header_count() {  # <case> <events>: instructions of the repeat loop
        local out="$work/cg.headers.$1.$2"
        valgrind --tool=callgrind --callgrind-out-file="$out" --collect-atstart=no \
            --toggle-collect='QuorvelHeadersBench::Repeat(*' \
            "$headers_bin" --count="$1" --events="$2" >"$out.log" 2>&1 ||
            { cat "$out.log" >&2; exit 1; }
        awk '/^(summary|totals):/ { print $2; exit }' "$out"
    }
    declare -A header_cost
    echo
    echo "Instructions per request (callgrind; N=$headers_events vs 2N):"
    for case in update hand sha1 webuid; do
        one=$(header_count "$case" "$headers_events")
        two=$(header_count "$case" $(( 2 * headers_events )))
        header_cost[$case]=$(awk -v a="$one" -v b="$two" -v n="$headers_events" \
            'BEGIN { printf "%.1f", (b - a) / n }')
        printf '%-64s %10s\n' "$case" "${header_cost[$case]}"
    done
    for case in update sha1 webuid; do
        awk -v c="$case" -v a="${header_cost[$case]}" -v b="${header_cost[hand]}" \
            'BEGIN { printf "ratio instructions %s / by hand: %.3f\n", c, a / b }'
    done
else
    echo "no $headers_bin: build the quorvel_bench_headers target to include it"
fi

# The look and feel against Qt applying the same sheets and languages: wall time, then
# instructions per operation (N vs 2N as above, with a smaller N: one setStyleSheet of the 200 KB
# sheet is about 70 million instructions).
laf_bin="$(dirname "$bin")/quorvel_bench_lookandfeel"
echo
echo "== Look and feel (Google Benchmark; real time per iteration, ratios from this run)"
if [[ -x $laf_bin ]]; then
    # The offscreen platform warns at every window it shows.
    "$laf_bin" 2> >(grep -v 'propagateSizeHints' >&2)
    bin=$laf_bin
    events=${QUORVEL_BENCH_LAF_EVENTS:-5}
    echo
    echo "Instructions per operation (callgrind; N=$events vs 2N; counting loop subtracted):"
    loop=$(per_event empty -)
    measure l_theme     set-theme          - "SetTheme, demo themes in turn, sheet read back"
    measure l_theme_qt  set-theme-sheet    - "baseline: setStyleSheet of their sheets"
    measure l_apply     apply-theme        - "ApplyTheme, 200 KB and 100 placeholders, read back"
    measure l_apply_qt  apply-theme-sheet  - "baseline: setStyleSheet of its sheet"
    measure l_locale    set-locale         - "SetLocale, German and Russian in turn"
    measure l_locale_qt set-locale-by-hand - "baseline: their translators by hand"
    ratio "SetTheme / setStyleSheet (demo themes)" l_theme l_theme_qt 0.2
    ratio "ApplyTheme / setStyleSheet (200 KB, 100 placeholders)" l_apply l_apply_qt 0.2
    ratio "SetLocale / translators by hand" l_locale l_locale_qt
else
    echo "no $laf_bin: build the quorvel_bench_lookandfeel target to include it"
fi

# Start-up: a product on the core against the same product in plain Qt, whole processes.
echo
echo "== Start-up (a product on the core against plain Qt, from process start to started)"
if [[ -x $(dirname "$bin")/quorvel_bench_startup_core ]]; then
    "$here/run_startup.sh" "$(dirname "$bin")"
else
    echo "no quorvel_bench_startup_core: build it and quorvel_bench_startup_plain to include them"
fi

echo
echo "run_benchmarks.sh took $(( $(date +%s) - started )) s"
