#!/bin/bash
# A mingw-w64 syntax check of the hand-over library as Windows builds it: its named-pipe
# platform code and its Qt sources, against the Qt headers of this machine (there is no Qt for
# Windows here to link, nor a second user under wine to refuse).
# Usage: check_win_handover.sh <handover source dir> <work dir> <Qt include dir>
# Exits 77 (skipped) only when the cross compiler is missing.
set -u

source_dir=$1
work_dir=$2
qt_include=$3
compiler=x86_64-w64-mingw32-g++-posix
root=$(cd "$source_dir/.." && pwd)
if ! command -v "$compiler" >/dev/null 2>&1; then
    echo "$compiler is not installed; skipping the Windows check"
    exit 77
fi
mkdir -p "$work_dir/include/Quorvel" "$work_dir/third-party" || exit 1
for lib in Handover Foundation; do
    upper=$(echo "$lib" | tr '[:lower:]' '[:upper:]')
    printf '#pragma once\n#define QUORVEL_%s_EXPORT\n' "$upper" \
        >"$work_dir/include/Quorvel/${lib}Export.h" || exit 1
done
ln -sfn /usr/include/glog "$work_dir/third-party/glog" || exit 1
ln -sfn /usr/include/gflags "$work_dir/third-party/gflags" || exit 1

for file in "$source_dir"/src/platform/win/*.cpp "$source_dir"/src/Quorvel/App/Handover/*.cpp; do
    "$compiler" -std=c++17 -DNOMINMAX -DUNICODE -D_UNICODE -Wall -Wextra -Wpedantic -Werror \
        -fsyntax-only -isystem "$qt_include" -isystem "$qt_include/QtCore" \
        -isystem "$qt_include/QtNetwork" -I"$source_dir/src/platform" -I"$source_dir/src" \
        -I"$root/foundation/src" -I"$root/reading/src" -I"$work_dir/include" \
        -isystem "$work_dir/third-party" "$file" ||
        { echo "mingw-w64 syntax check of $file failed"; exit 1; }
    echo "PASS: mingw-w64 syntax check of $(basename "$file")"
done
