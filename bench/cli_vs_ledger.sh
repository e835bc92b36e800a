#!/usr/bin/env bash
# zudeduze-cli beside ledger and hledger on the same books: a document of 100,000 generated
# transactions, the worksheet's Main Categories tab (as JSON and as text), and the balance
# report of the same books exported as a journal. Release build; hyperfine when installed,
# otherwise the medians of timed runs.
#   bench/cli_vs_ledger.sh [TRANSACTIONS] [RUNS]
# Targets: the JSON worksheet of 100k in at most 250 ms, and zudeduze-cli at least 10 times
# faster than ledger and 20 times faster than hledger.
set -euo pipefail
cd "$(dirname "$0")/.."

transactions=${1:-100000}
runs=${2:-10}

cmake --preset release >/dev/null
cmake --build --preset release --target zudeduze-cli >/dev/null
cli=$PWD/build/release/src/cli/zudeduze-cli

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
doc=$work/books.kqk
journal=$work/books.journal
"$cli" generate "$doc" --transactions "$transactions" --accounts 4 --seed 42
"$cli" export "$doc" --format ledger -o "$journal"
echo "journal: $(wc -l <"$journal") lines"

names=("zudeduze-cli worksheet --tab 1 --format json" "zudeduze-cli worksheet --tab 1"
       "ledger balance" "hledger balance")
commands=("$cli worksheet $doc --tab 1 --format json" "$cli worksheet $doc --tab 1"
          "ledger -f $journal balance" "hledger -f $journal balance")
for tool in ledger hledger; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed (scripts/install-deps)"; exit 1; }
done

results=$work/results.csv
if command -v hyperfine >/dev/null; then
    args=()
    for i in "${!commands[@]}"; do args+=(--command-name "${names[$i]}" "${commands[$i]}"); done
    hyperfine --warmup 2 --runs "$runs" --export-csv "$results" "${args[@]}"
else
    # The fallback: each command run `runs` times, its median kept (hyperfine's CSV columns).
    echo "command,mean,stddev,median" >"$results"
    for i in "${!commands[@]}"; do
        ${commands[$i]} >/dev/null
        times=()
        for ((r = 0; r < runs; r++)); do
            start=$(date +%s.%N)
            ${commands[$i]} >/dev/null
            end=$(date +%s.%N)
            times+=("$(echo "$end - $start" | bc -l)")
        done
        median=$(printf '%s\n' "${times[@]}" | sort -g | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}')
        echo "${names[$i]},$median,0,$median" >>"$results"
        printf '%-48s median %8.1f ms\n' "${names[$i]}" "$(echo "$median * 1000" | bc -l)"
    done
fi

echo
awk -F, -v runs="$runs" '
    NR == 1 { for (i = 1; i <= NF; i++) if ($i == "median") col = i; next }
    { name[NR - 1] = $1; median[NR - 1] = $col }
    END {
        json = median[1]; text = median[2]; led = median[3]; hled = median[4]
        slower = (json > text) ? json : text
        printf "medians of %d runs:\n", runs
        for (i = 1; i <= 4; i++) printf "  %-48s %8.1f ms\n", name[i], median[i] * 1000
        verdict = (json <= 0.25) ? "met" : "MISSED"
        printf "worksheet --tab 1 --format json: %.1f ms (target <= 250 ms): %s\n", json * 1000, verdict
        verdict = (led / slower >= 10) ? "met" : "MISSED"
        printf "ledger / zudeduze-cli (the slower of the two):  %.1fx (target >= 10x): %s\n", led / slower, verdict
        verdict = (hled / slower >= 20) ? "met" : "MISSED"
        printf "hledger / zudeduze-cli (the slower of the two): %.1fx (target >= 20x): %s\n", hled / slower, verdict
    }' "$results"
