#!/usr/bin/env bash
# Fuzzes the workbook readers with libFuzzer for a while (default 60 s each
# seed set): bash tools/fuzz.sh [seconds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
out=$root/build/fuzz
mkdir -p "$out/corpus-xls" "$out/corpus-xlsx"
common=$root/libs/common
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I"$common" \
  "$root/tests/fuzz/reader_fuzzer.cpp" "$common/sheet/reader.cpp" "$common/sheet/xls_reader.cpp" \
  "$common/sheet/xlsx_reader.cpp" "$common/util/text.cpp" \
  $(pkg-config --cflags --libs freexl libzip expat) -o "$out/reader_fuzzer"
# libfreexl reads in a child process; a child that trips over a damaged
# file may leave a crash-* artefact of its own there while the reader itself
# refuses the file and goes on.
# Seeds: small workbooks from independent producers.
/usr/bin/python3 "$root/tests/sheet/sheet_tools.py" make-xls "$out/corpus-xls/seed.xls"
/usr/bin/python3 "$root/tests/sheet/sheet_tools.py" make-xlsx "$out/corpus-xlsx/seed.xlsx"
# libfreexl itself leaks a little when it refuses some damaged files; that
# is its own, not ours.
printf 'leak:libfreexl.so\n' > "$out/lsan.supp"
export LSAN_OPTIONS=suppressions=$out/lsan.supp
for corpus in "$out/corpus-xls" "$out/corpus-xlsx"; do
  "$out/reader_fuzzer" -max_total_time="$seconds" -max_len=65536 -timeout=30 -rss_limit_mb=2048 -artifact_prefix="$out/" \
    "$corpus" 2>&1 | tail -n 3
done
