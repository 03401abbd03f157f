#!/bin/bash
# Builds the Windows file check of the reading layer with mingw-w64 together with
# win_backends_test.cpp and runs the result under wine.
# Usage: run_win_backends_test.sh <reading source dir> <work dir>
# Exits 77 (skipped) only when the cross compiler or wine is missing.
set -u

source_dir=$1
work_dir=$2
compiler=x86_64-w64-mingw32-g++-posix
platform="$source_dir/src/platform"
exe="$work_dir/win_backends_test.exe"

for tool in "$compiler" wine wineserver; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool is not installed; skipping the Windows backend check"
        exit 77
    fi
done
mkdir -p "$work_dir" || exit 1

"$compiler" -std=c++17 -static -O1 -DNOMINMAX -DUNICODE -D_UNICODE \
    -Wall -Wextra -Wpedantic -Werror -I"$platform" \
    "$source_dir/tests/win/win_backends_test.cpp" "$platform"/win/*.cpp \
    -o "$exe" || { echo "mingw-w64 build of the Windows file check failed"; exit 1; }

bash "$(dirname "$0")/../../../cmake/run-under-wine.sh" "$exe"
result=$?

[ "$result" -eq 0 ] || { echo "Windows backend check failed (exit code $result)"; exit 1; }
