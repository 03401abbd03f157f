#!/usr/bin/env bash
# Start-up of a product on the core (quorvel_bench_startup_core) against the same product by hand
# in plain Qt (quorvel_bench_startup_plain), from process start to the started state.
#
# First checks that both show the same thing: the same application sheet, application fonts,
# translation, theme resources and picture of the window (their --describe output); a
# difference fails. Then, unless --check, counts the instructions of each whole process under
# callgrind (the median of three runs; they vary by about 0.1% with the event loop's timing),
# prints their ratio and where the instructions go, and the ratios of wall and processor times
# (the median of eleven runs each). Each program runs offscreen in a home of its own, once before it is
# measured, so that its settings files exist as they do at a product's every later start.
#
# Usage: bench/run_startup.sh <bin-dir> [--check]
set -euo pipefail
bin=${1:?usage: run_startup.sh <bin-dir> [--check]}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p -m 700 "$work/runtime" "$work/home"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
    XDG_DATA_HOME="$work/home/.local/share" XDG_CACHE_HOME="$work/home/.cache" \
    XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen QT_HASH_SEED=0

for side in plain core; do
    if ! "$bin/quorvel_bench_startup_$side" --describe >"$work/$side" 2>"$work/$side.log"; then
        echo "quorvel_bench_startup_$side --describe failed:" >&2
        cat "$work/$side.log" >&2
        exit 1
    fi
done
if ! diff -u --label plain --label core "$work/plain" "$work/core"; then
    echo "the start-up programs do not show the same" >&2
    exit 1
fi
echo "Both start-up programs show:"
sed 's/^/  /' "$work/core"
[[ ${2:-} == --check ]] && exit 0

# count <side> <run>: instructions of the whole process.
count() {
    local out="$work/cg.$1.$2"
    valgrind --tool=callgrind --callgrind-out-file="$out" "$bin/quorvel_bench_startup_$1" \
        >"$out.log" 2>&1 || { cat "$out.log" >&2; exit 1; }
    awk '/^(summary|totals):/ { print $2; exit }' "$out"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

declare -A total file
for side in plain core; do
    runs=""
    for run in 1 2 3; do
        runs+="$(count "$side" "$run") $run"$'\n'
    done
    read -r total[$side] run < <(printf '%s' "$runs" | sort -n | sed -n 2p)
    file[$side]="$work/cg.$side.$run"
done

# Self instructions by object (shared library or program), in millions.
by_object() {
    callgrind_annotate --threshold=100 "$1" 2>/dev/null | awk '
        /^ *[0-9,]+ .*\[/ && match($0, /\[[^]]*\]$/) {
            n = $1; gsub(",", "", n); object = substr($0, RSTART + 1, RLENGTH - 2)
            sub(".*/", "", object); sum[object] += n
        } END { for (object in sum) printf "%s %.2f\n", object, sum[object] / 1e6 }'
}
by_object "${file[plain]}" >"$work/objects.plain"
by_object "${file[core]}" >"$work/objects.core"
share() {  # <side> <pattern>: the objects whose names match, together
    awk -v p="$2" '$1 ~ p { sum += $2 } END { printf "%.2f", sum }' "$work/objects.$1"
}
echo
echo "Instructions of the whole process (callgrind, median of 3 runs), in millions:"
printf '%-38s %9s %9s\n' "" plain core
printf '%-38s %9.2f %9.2f\n' "total" "$(awk -v n="${total[plain]}" 'BEGIN { print n / 1e6 }')" \
    "$(awk -v n="${total[core]}" 'BEGIN { print n / 1e6 }')"
echo "  in (own instructions of each):"
for row in "the dynamic loader (ld.so)|^ld-linux" "the Quorvel library|^libQuorvel" \
           "glog and gflags|^libg(log|flags)[.]" "Qt's libraries and plugins|^libQt[56]|^libq" \
           "fonts: fontconfig, expat, FreeType|^lib(fontconfig|expat|freetype)[.]" \
           "the C and C++ libraries|^lib(c|stdc[+][+])[.]so"; do
    printf '%-38s %9s %9s\n' "    ${row%%|*}" "$(share plain "${row#*|}")" "$(share core "${row#*|}")"
done
awk -v a="${total[core]}" -v b="${total[plain]}" 'BEGIN {
    r = a / b
    printf "ratio start-up instructions, core / plain Qt: %.3f  (target <= 1.03: %s)\n", r,
        r <= 1.03 ? "met" : "MISSED"
}'

# Wall time, and the processor time it took (user and system; the machine is shared, so a
# process also waits for a core): the median of eleven runs of each, taken in turns.
declare -A wall cpu
TIMEFORMAT='%3R %3U %3S'
for run in $(seq 11); do
    for side in plain core; do
        read -r real user system < <({ time "$bin/quorvel_bench_startup_$side" \
            >/dev/null 2>&1; } 2>&1)
        wall[$side]+="$real"$'\n'
        cpu[$side]+="$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')"$'\n'
    done
done
for kind in wall cpu; do
    declare -n times=$kind
    plain_s=$(printf '%s' "${times[plain]}" | median)
    core_s=$(printf '%s' "${times[core]}" | median)
    awk -v k="$kind" -v a="$core_s" -v b="$plain_s" 'BEGIN {
        label = k == "wall" ? "wall time" : "processor time"
        printf "ratio start-up %s, core / plain Qt: %.3f  (%.1f ms / %.1f ms, median of 11)\n",
            label, a / b, a * 1000, b * 1000
    }'
done
