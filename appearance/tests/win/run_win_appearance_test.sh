#!/bin/bash
# Builds the Qt-free Windows registry reader and title-bar call with mingw-w64, together with
# appearance_win_test.cpp, and runs the result under wine; the Windows sources that need Qt
# get a mingw syntax check against the Qt headers of this machine.
# Usage: run_win_appearance_test.sh <repository root> <work dir> <Qt include dir>
# Exits 77 (skipped) only when the cross compiler or wine is missing.
set -u

root=$1
work_dir=$2
qt_include=$3
compiler=x86_64-w64-mingw32-g++-posix
platform="$root/appearance/src/platform"
exe="$work_dir/appearance_win_test.exe"
flags=(-std=c++17 -DNOMINMAX -DUNICODE -D_UNICODE -Wall -Wextra -Wpedantic -Werror)

for tool in "$compiler" wine wineserver; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool is not installed; skipping the Windows appearance check"
        exit 77
    fi
done
mkdir -p "$work_dir/include/Quorvel" "$work_dir/third-party" || exit 1
for lib in Appearance ApplicationCore Foundation Contracts Services QtUtil; do
    upper=$(echo "$lib" | tr '[:lower:]' '[:upper:]')
    printf '#pragma once\n#define QUORVEL_%s_EXPORT\n' "$upper" \
        >"$work_dir/include/Quorvel/${lib}Export.h" || exit 1
done
for dir in boost glog gflags; do
    ln -sfn "/usr/include/$dir" "$work_dir/third-party/$dir" || exit 1
done
for file in "$platform"/win/WinColorSchemeSource.cpp "$platform"/win/WinTitleBars.cpp \
            "$root"/appearance/src/Quorvel/App/Appearance/*.cpp; do
    "$compiler" "${flags[@]}" -DGLOG_NO_ABBREVIATED_SEVERITIES -fsyntax-only -isystem "$qt_include" \
        -isystem "$qt_include/QtCore" -isystem "$qt_include/QtGui" -I"$platform" \
        -I"$root/appearance/src" -I"$root/applicationcore/src" -I"$root/foundation/src" \
        -I"$root/contracts/src" -I"$root/qtutil/src" -I"$root/services/src" \
        -I"$root/reading/src" -I"$work_dir/include" -isystem "$work_dir/third-party" "$file" ||
        { echo "mingw-w64 syntax check of $file failed"; exit 1; }
    echo "PASS: mingw-w64 syntax check of $(basename "$file")"
done

"$compiler" "${flags[@]}" -static -O1 -municode -I"$platform" \
    "$root/appearance/tests/win/appearance_win_test.cpp" "$platform/win/PersonalizeRegistry.cpp" \
    "$platform/win/DwmTitleBar.cpp" -o "$exe" ||
    { echo "mingw-w64 build of the Windows appearance backends failed"; exit 1; }

bash "$root/cmake/run-under-wine.sh" "$exe"
result=$?
[ "$result" -eq 0 ] || { echo "Windows appearance check failed (exit code $result)"; exit 1; }
