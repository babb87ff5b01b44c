#!/usr/bin/env bash
# Records everything zeb-calc shows -- report bytes, JSON, CSV in both styles, charts, studies,
# batches, lists, built databases, messages and exit codes -- over the worked example and every
# fixture in tests/data, so that a restructuring can be checked by diffing two snapshots:
#
#   scripts/snapshot-cli.sh /tmp/before            # on the old tree's build
#   scripts/snapshot-cli.sh /tmp/after             # on the new tree's build
#   diff -r /tmp/before /tmp/after
#
# Each case is a folder OUTDIR/NAME holding `command` (the arguments, one a line), `stdout`,
# `stderr`, `exit` and, when the case writes one, `output` (the file given to --output). Cases
# run in a scratch folder with relative paths, a fixed time stamp and a fixed environment, so
# two snapshots of the same program are byte-identical. A built SQLite database is recorded by
# what --list shows of it, not by its bytes.
#
# Usage: scripts/snapshot-cli.sh OUTDIR [BUILD]   (BUILD defaults to build; ZEB_CALC overrides
# the program). OUTDIR must not exist or be empty.
set -euo pipefail

source_dir="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:?usage: snapshot-cli.sh OUTDIR [BUILD]}"
build="${2:-$source_dir/build}"
program="$(realpath "${ZEB_CALC:-$build/cli/zeb-calc}")"
[[ -x "$program" ]] || { echo "snapshot-cli.sh: no program at $program" >&2; exit 1; }
mkdir -p "$out"
[[ -z "$(ls -A "$out")" ]] || { echo "snapshot-cli.sh: $out is not empty" >&2; exit 1; }
out="$(realpath "$out")"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cp -r "$source_dir/tests/data" "$scratch/data"
cp "$source_dir/examples/bacias.csv" "$source_dir/data/stations.csv" \
    "$source_dir/data/curve_numbers.csv" "$scratch/"
mkdir "$scratch/home" "$scratch/out"
cd "$scratch"

cases=0
# run NAME [VAR=VALUE ...] -- ARGUMENTS...: one case, in the fixed environment plus VARs.
run() {
    local name="$1"
    shift
    local environment=()
    while [[ "$1" != "--" ]]; do
        environment+=("$1")
        shift
    done
    shift
    local dir="$out/$name"
    mkdir -p "$dir"
    printf '%s\n' "${environment[@]}" "$@" >"$dir/command"
    rm -rf out/*
    local code=0 stdout="$dir/stdout"
    if [[ -n "${full_stdout:-}" ]]; then
        stdout=/dev/full
        : >"$dir/stdout"
    fi
    env -i PATH=/usr/bin:/bin HOME="$scratch/home" LANG=C ZEB_REPORT_TIMESTAMP="2024-01-02 03:04:05" \
        "${environment[@]}" "$program" "$@" >"$stdout" 2>"$dir/stderr" </dev/null || code=$?
    echo "$code" >"$dir/exit"
    if [[ -e out/result ]]; then
        cp out/result "$dir/output"
    fi
    cases=$((cases + 1))
}

example=(--duration "1 h" --return-period 100 --area 50 --tc 6 --cn 75
    --station-constants 0.2,25,20,-0.04,0.08,0.08,0.08)
named=(--river "Rio de Exemplo" --station-name "Posto de Exemplo")
study=(--study --cn 75 --area 50 --tc 6 --station-constants 0.2,25,20,-0.04,0.08,0.08,0.08)
idf=(--idf 897.79,0.1463,11.83,0.758 --duration "1 h" --return-period 100 --area 50 --tc 6 --cn 75)

# The worked example in every output form and locale.
run example-report -- "${example[@]}" "${named[@]}"
run example-report-pt_BR -- "${example[@]}" --locale pt_BR
run example-report-lc_numeric LC_NUMERIC=pt_BR.UTF-8 -- "${example[@]}"
run example-report-output -- "${example[@]}" --output out/result
run example-json -- "${example[@]}" --format json
run example-csv -- "${example[@]}" --format csv
run example-csv-planilha -- "${example[@]}" --format csv --csv-style planilha
for format in png svg; do
    run "example-chart-$format" -- "${example[@]}" --format "$format" --output out/result
done
run example-chart-pdf -- "${example[@]}" --format pdf --output out/result.pdf
if command -v pdftotext >/dev/null; then
    pdftotext out/result.pdf "$out/example-chart-pdf/output-text"
fi
run example-length-drop -- --duration "1 h" --return-period 100 --area 50 --length 10 \
    --drop 100 --cn 75 --station-constants 0.2,25,20,-0.04,0.08,0.08,0.08 --format json
run example-own-report -- --own 2.3,0.2,25,20 --duration "1 h" --area 50 --tc 6 --cn 75
run example-own-json -- --own 2.3,0.2,25,20 --duration "1 h" --area 50 --tc 6 --cn 75 \
    --format json
run example-idf-report -- "${idf[@]}"
run example-idf-report-station-name -- "${idf[@]}" --station-name "Posto de Exemplo" --locale pt_BR
run example-idf-json -- "${idf[@]}" --format json
for duration in 0 1 2 3 4 5 6 7 8 9 10 11 12; do
    run "duration-$duration-json" -- "${example[@]/#1 h/$duration}" --format json
done
for years in 2 10 1000 100000; do
    run "return-period-$years-csv" -- "${example[@]/#100/$years}" --format csv
done

# Studies.
run study-csv -- "${study[@]}"
run study-csv-planilha -- "${study[@]}" --csv-style planilha
run study-json -- "${study[@]}" --format json --durations "5 min,1 h,3 d" --return-periods 2,100
run study-own -- --study --cn 75 --area 50 --length 10 --drop 100 --own 2.3,0.2,25,20 \
    --durations all --output out/result
run study-idf -- --study --cn 75 --area 50 --tc 6 --idf 897.79,0.1463,11.83,0.758 \
    --durations "5 min,1 h,24 h" --return-periods 2,100,1000

# The study file fixture, as it is and with options over it.
run input-report -- --input data/own-mode-study.zeb
run input-json -- --input data/own-mode-study.zeb --cn 75 --area 50 --tc 6 \
    --own 2.3,0.2,25,20 --format json
run input-csv -- --input data/own-mode-study.zeb --cn 75 --area 50 --length 10 --drop 100 \
    --station-constants 0.2,25,20,-0.04,0.08,0.08,0.08 --return-period 100 --format csv

# Reference databases: built from every CSV pair, and every Access fixture; each one listed,
# run by its first station's name and code, and given the batches.
run build-shipped -- --build-database out/shipped.sqlite --stations stations.csv \
    --curve-numbers curve_numbers.csv
cp out/shipped.sqlite shipped.sqlite
databases=(shipped.sqlite)
for pair in edge null; do
    run "build-$pair" -- --build-database "out/$pair.sqlite" --stations "data/$pair-stations.csv" \
        --curve-numbers "data/$pair-cn.csv"
    if [[ -e "out/$pair.sqlite" ]]; then
        cp "out/$pair.sqlite" "$pair.sqlite"
        databases+=("$pair.sqlite")
    fi
done
for access in data/*.mdb data/*.accdb; do
    base="$(basename "$access")"
    run "build-from-$base" -- --build-database out/converted.sqlite --from-access "$access"
    if [[ -e out/converted.sqlite ]]; then
        cp out/converted.sqlite "$base.sqlite"
        databases+=("$base.sqlite")
    fi
    databases+=("$access")
done
run build-missing -- --build-database out/x.sqlite --stations none.csv --curve-numbers none.csv
for database in "${databases[@]}"; do
    name="db-$(basename "$database")"
    run "$name-stations" -- --list stations --database "$database"
    run "$name-land-classes" -- --list land-classes --database "$database"
    for zone in Rural Urbana; do
        run "$name-land-classes-$zone" -- --list land-classes --zone "$zone" --database "$database"
    done
    first="$(head -n 1 "$out/$name-stations/stdout")"
    if [[ -n "$first" ]]; then
        code="$(cut -f 1 <<<"$first")"
        station="$(cut -f 2 <<<"$first")"
        run "$name-by-code" -- --code "$code" --database "$database" --duration "15 min" \
            --return-period 25 --area 50 --tc 6 --cn 75
        run "$name-by-name" -- --station "$station" --database "$database" --duration "15 min" \
            --return-period 25 --area 50 --tc 6 --cn 75 --format json
    fi
    run "$name-batch-rows" -- --batch data/batch-rows.csv --database "$database"
    run "$name-batch-example" -- --batch bacias.csv --database "$database" --jobs 2
done
run batch-output -- --batch data/batch-rows.csv --database data/edge-cases.mdb --output out/result

# Messages and exit codes.
run help -- --help
run none --
run unknown-option -- "${example[@]}" --verbose
run missing-duration -- --cn 75
run bad-number -- "${example[@]/#75/7,5}"
run cn-zero -- "${example[@]/#75/0}"
run cn-over -- "${example[@]/#75/150}"
run tc-negative -- "${example[@]/#6/-5}"
run drop-zero -- --duration "1 h" --return-period 100 --area 50 --length 10 --drop 0 \
    --cn 75 --station-constants 0.2,25,20,-0.04,0.08,0.08,0.08
run undefined-tc -- --duration "1 h" --return-period 100 --area 50 --length 1e300 \
    --drop 1e-300 --cn 75 --station-constants 0.2,25,20,-0.04,0.08,0.08,0.08
run refused-idf -- "${idf[@]/,11.83,/,-1,}"
run refused-constants -- "${example[@]/#0.2,25,20,-0.04,0.08,0.08,0.08/0.2,-25,20,-0.04,0.08,0.08,0.08}"
run return-period-over -- "${example[@]/#100/100001}"
run bad-timestamp ZEB_REPORT_TIMESTAMP="2024-13-01 00:00:00" -- "${example[@]}"
run chart-without-output -- "${example[@]}" --format svg
run output-missing-folder -- "${example[@]}" --output out/no/result
full_stdout=1 run full-standard-output -- --help
run missing-study -- --input none.zeb
run missing-batch -- --batch none.csv --database shipped.sqlite
run missing-database -- --list stations --database none.sqlite
run unknown-station -- --station "Nenhum" --database shipped.sqlite --duration "1 h" \
    --return-period 100 --area 50 --tc 6 --cn 75

echo "snapshot-cli.sh: $cases cases in $out"
