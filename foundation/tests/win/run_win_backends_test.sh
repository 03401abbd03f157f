#!/bin/bash
# Builds the Qt-free Windows backends of the foundation library (and ioPath) with mingw-w64
# together with win_backends_test.cpp and runs the result under wine.
# Usage: run_win_backends_test.sh <foundation source dir> <work dir>
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

# ioPath is built along; its export macro means nothing in a static program.
mkdir -p "$work_dir/include/Quorvel" || exit 1
printf '#pragma once\n#define QUORVEL_FOUNDATION_EXPORT\n' \
    >"$work_dir/include/Quorvel/FoundationExport.h" || exit 1

"$compiler" -std=c++17 -static -O1 -DNOMINMAX -DUNICODE -D_UNICODE \
    -Wall -Wextra -Wpedantic -Werror -I"$platform" -I"$source_dir/src" -I"$work_dir/include" \
    "$source_dir/tests/win/win_backends_test.cpp" "$platform"/win/*.cpp \
    "$source_dir/src/Quorvel/ioPath.cpp" \
    -o "$exe" || { echo "mingw-w64 build of the Windows backends failed"; exit 1; }

bash "$(dirname "$0")/../../../cmake/run-under-wine.sh" "$exe"
result=$?

[ "$result" -eq 0 ] || { echo "Windows backend check failed (exit code $result)"; exit 1; }
