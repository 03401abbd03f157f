#!/bin/bash
# Builds the Qt-free gesture decoder and its USER32 backend with mingw-w64 together with the
# decoder's shared cases and runs them under wine; the Qt side of the gestures gets a mingw
# syntax check against the Qt headers of this machine.
# Usage: run_win_gesture_test.sh <applicationcore source dir> <work dir> <Qt include dir>
# Exits 77 (skipped) only when the cross compiler or wine is missing.
set -u

source_dir=$1
work_dir=$2
qt_include=$3
compiler=x86_64-w64-mingw32-g++-posix
platform="$source_dir/src/platform"
gesture="$source_dir/src/Quorvel/App/Application/Gesture"
exe="$work_dir/gesture_decoder_test.exe"
flags=(-std=c++17 -DNOMINMAX -DUNICODE -D_UNICODE -Wall -Wextra -Wpedantic -Werror)

for tool in "$compiler" wine wineserver; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool is not installed; skipping the Windows gesture check"
        exit 77
    fi
done
mkdir -p "$work_dir/include/Quorvel" || exit 1
printf '#pragma once\n#define QUORVEL_APPLICATIONCORE_EXPORT\n' \
    >"$work_dir/include/Quorvel/ApplicationCoreExport.h" || exit 1

for file in "$gesture"/Router.cpp "$gesture"/Emitter.cpp "$gesture"/Scroller.cpp \
            "$gesture"/TouchSource.cpp; do
    "$compiler" "${flags[@]}" -fsyntax-only -isystem "$qt_include" \
        -isystem "$qt_include/QtCore" -isystem "$qt_include/QtGui" \
        -isystem "$qt_include/QtWidgets" -I"$platform" -I"$source_dir/src" \
        -I"$work_dir/include" "$file" ||
        { echo "mingw-w64 syntax check of $file failed"; exit 1; }
    echo "PASS: mingw-w64 syntax check of $(basename "$file")"
done

"$compiler" "${flags[@]}" -static -O1 -I"$platform" -I"$source_dir/src" -I"$work_dir/include" \
    "$source_dir/tests/win/gesture_decoder_test.cpp" \
    "$source_dir/tests/gesture/GestureDecoderChecks.cpp" \
    "$gesture/Producer.cpp" "$gesture/Consumer.cpp" "$platform/win/WinGestureApi.cpp" \
    -o "$exe" || { echo "mingw-w64 build of the gesture decoder failed"; exit 1; }

bash "$(dirname "$0")/../../../cmake/run-under-wine.sh" "$exe"
result=$?

[ "$result" -eq 0 ] || { echo "Windows gesture check failed (exit code $result)"; exit 1; }
