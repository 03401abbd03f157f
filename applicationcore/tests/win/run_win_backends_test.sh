#!/bin/bash
# Builds the Qt-free Windows backends (process lister, open-window check, access violation, quit
# requests) with
# mingw-w64 together with win_backends_test.cpp and runs the result under wine; the Windows
# sources that need Qt get a mingw syntax check against the Qt headers of this machine.
# Usage: run_win_backends_test.sh <applicationcore source dir> <work dir> <Qt include dir>
# Exits 77 (skipped) only when the cross compiler or wine is missing.
set -u

source_dir=$1
work_dir=$2
qt_include=$3
compiler=x86_64-w64-mingw32-g++-posix
platform="$source_dir/src/platform"
exe="$work_dir/win_backends_test.exe"
flags=(-std=c++17 -DNOMINMAX -DUNICODE -D_UNICODE -Wall -Wextra -Wpedantic -Werror)

for tool in "$compiler" wine wineserver; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool is not installed; skipping the Windows backend check"
        exit 77
    fi
done
mkdir -p "$work_dir/include/Quorvel" || exit 1

# The Qt parts cannot be linked (there is no Qt for Windows here), only compiled. Qt's headers
# are this machine's; they pick the Windows branches from the compiler's own macros.
for lib in ApplicationCore Foundation Contracts Services QtUtil; do
    upper=$(echo "$lib" | tr '[:lower:]' '[:upper:]')
    printf '#pragma once\n#define QUORVEL_%s_EXPORT\n' "$upper" \
        >"$work_dir/include/Quorvel/${lib}Export.h" || exit 1
done
root=$(cd "$source_dir/.." && pwd)
# Boost and glog are headers the Windows build takes from its own packages; this machine's copies
# serve for a syntax check, without the rest of /usr/include.
mkdir -p "$work_dir/third-party" || exit 1
for dir in boost glog gflags; do
    ln -sfn "/usr/include/$dir" "$work_dir/third-party/$dir" || exit 1
done
for file in "$platform"/win/WinBrowserRegistry.cpp "$platform"/win/WinExecutableNames.cpp \
            "$source_dir"/src/Quorvel/App/Application/Browser/*.cpp \
            "$source_dir"/src/Quorvel/App/Application/Dialogs/*.cpp \
            "$source_dir"/src/Quorvel/App/Application/Testing/*.cpp \
            "$source_dir"/src/Quorvel/App/Application/QuitSignalHandler.cpp; do
    "$compiler" "${flags[@]}" -fsyntax-only -isystem "$qt_include" \
        -isystem "$qt_include/QtCore" -isystem "$qt_include/QtGui" \
        -isystem "$qt_include/QtWidgets" -I"$platform" \
        -I"$source_dir/src" -I"$root/foundation/src" -I"$root/contracts/src" \
        -I"$root/qtutil/src" -I"$root/services/src" -I"$root/reading/src" -I"$work_dir/include" \
        -isystem "$work_dir/third-party" "$file" ||
        { echo "mingw-w64 syntax check of $file failed"; exit 1; }
    echo "PASS: mingw-w64 syntax check of $(basename "$file")"
done

"$compiler" "${flags[@]}" -static -O1 -municode -I"$platform" \
    "$source_dir/tests/win/win_backends_test.cpp" "$platform/win/WinProcessLister.cpp" \
    "$platform/win/WinOpenWindowCheck.cpp" "$platform/win/WinAccessViolation.cpp" \
    "$platform/win/WinQuitRequests.cpp" -o "$exe" ||
    { echo "mingw-w64 build of the Windows backends failed"; exit 1; }

bash "$(dirname "$0")/../../../cmake/run-under-wine.sh" "$exe"
result=$?

[ "$result" -eq 0 ] || { echo "Windows backend check failed (exit code $result)"; exit 1; }
