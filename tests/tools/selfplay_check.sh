#!/usr/bin/env bash
# The strategy over every secret: all found, mean 5.40 to 5.50, never more than 9 guesses,
# the same output whatever the number of threads; bad arguments and bad strategy files exit
# with status 2 after one line on standard error with the reason; --help and --version
# answer on standard output; one game shows every guess, the last one too; the strategy
# file the build folder holds (share/numora/optimal.txt) replays to every secret found in
# the total its first line states, and --strategy optimal plays by it; --compare prints
# one row a strategy, perfect play last, whose games add up to every secret played.
#   selfplay_check.sh <numora-selfplay> [unoptimised]
# An unoptimised build (the debug build, under the sanitizers too) walks the same paths
# over a sample of 240 secrets spread over the table: each game there is the game --all
# plays, and the figures over every secret are the optimised builds' to check.
set -euo pipefail
tool=$1
sample=() games=4536
if [[ ${2:-} == unoptimised ]]; then
  sample=(--sample 240) games=240
fi
out=$("$tool" --all --seed 7 --threads 2 "${sample[@]}")
echo "$out"
played=$(echo "$out" | awk '/guesses:/ {n += $3} END {print n}')
[[ $played == "$games" ]] || { echo "played $played games"; exit 1; }
if ((games == 4536)); then
  echo "$out" | awk '/^mean/ {exit !($2 >= 5.40 && $2 <= 5.50)}' || { echo "mean out of range"; exit 1; }
fi
echo "$out" | awk '/^max/ {exit !($2 <= 9)}' || { echo "max above 9"; exit 1; }
single=$("$tool" --all --seed 7 --threads 1 "${sample[@]}")
[[ $single == "$out" ]] || { echo "--threads 1 and --threads 2 differ"; diff <(echo "$single") <(echo "$out"); exit 1; }
bad=$(mktemp) empty=$(mktemp)
trap 'rm -f "$bad" "$empty"' EXIT
printf '# numora-selfplay strategy: 10 digits, 4 places, no leading 0, 1 guesses in all\n1234\n 5+0- 5678\n' >"$bad"
# Arguments, and after a bar the reason their line must give.
while IFS='|' read -r args reason; do
  set +e; err=$("$tool" $args 2>&1 >/dev/null); rc=$?; set -e
  [[ $rc == 2 ]] || { echo "'$args' exited $rc"; exit 1; }
  [[ $err == numora-selfplay:*"; try --help" && $err != *$'\n'* && $err == *"$reason"* ]] \
    || { echo "'$args' said: $err"; exit 1; }
done <<CASES
--secret 0123
--secret 1123
--secret
--frobnicate
--all --threads
--all --strategy
--all --strategy random
--secret 1234 --strategy Design
--compare --strategy parts
--compare --strategy optimal
--solve --strategy optimal
--compare --all
--compare --secret 1234
--compare --threads 0
--all --sample 0
--all --sample 4537
--all --seed 0x10
--all --seed -1
--all --seed 18446744073709551616
--secret 1234 --sample 10
--solve --sample 10
--solve --seed 3
--solve --strategy parts
--all --leading-zero
--all --worst-case
--all --possible-only
--compare --out x
--solve --replay x
--replay
--replay /nonexistent|No such file or directory
--replay $(dirname "$0")|is a folder
--replay $empty|is empty
--replay $bad
--replay $bad --leading-zero
--replay $0 --threads 2
--replay $0
--solve --out /nonexistent/x|No such file or directory
CASES
"$tool" --help | grep -q -- '--secret NNNN'
"$tool" -h | grep -q -- '--secret NNNN'
"$tool" --version | grep -Eqx 'numora-selfplay [0-9]+(\.[0-9]+)+'
# One game: a line for every guess it counts, down to the secret, also when that was the
# only number left (with seed 3, the fifth guess of design).
for strategy in design entropy; do
  game=$("$tool" --secret 1234 --seed 3 --strategy "$strategy")
  guesses=$(echo "$game" | tail -1 | sed -n 's/^found 1234 in \([1-9]\)$/\1/p')
  [[ -n $guesses && $(echo "$game" | grep -c '^[0-9]\{4\} [0-4] [0-4]$') == "$guesses" &&
    $(echo "$game" | tail -2 | head -1) == "1234 4 0" ]] || { echo "--secret 1234 played:"; echo "$game"; exit 1; }
done
strategy=$(dirname "$tool")/share/numora/optimal.txt
[[ -f $strategy ]] || { echo "no strategy file $strategy"; exit 1; }
replayed=$("$tool" --replay "$strategy")
echo "$replayed"
stated=$(head -1 "$strategy" | sed -n 's/.*, \([0-9]*\) guesses in all$/\1/p')
echo "$replayed" | awk -v stated="$stated" '/guesses:/ {n += $3} /^total/ {t = $2} END {exit !(n == 4536 && t == stated)}' \
  || { echo "the strategy file does not find every secret in its $stated guesses"; exit 1; }
# Playing by the file: each secret found as the replay finds it, the first in one guess.
"$tool" --secret 1234 --strategy optimal | tail -1 | grep -qx 'found 1234 in 1'
byplan=$("$tool" --all --strategy optimal "${sample[@]}")
((games < 4536)) || [[ $byplan == "$(echo "$replayed" | sed -n '/guesses:/p; /^mean/p; /^max/p')" ]] \
  || { echo "--all --strategy optimal differs from the replay"; exit 1; }
# Columns: strategy, mean, max, games in 1 to max guesses, seconds.
table=$("$tool" --compare --seed 7 --threads 2 "${sample[@]}")
echo "$table"
echo "$table" | awk -v design="$(echo "$out" | awk '/^mean/ {print $2}')" -v games="$games" \
  -v optimal="$(echo "$byplan" | awk '/^mean/ {print $2}')" '
  NR == 1 { ok = $1 == "strategy" && $2 == "mean" && $3 == "max" && $NF == "seconds"; width = NF; next }
  { played = 0; for (i = 4; i < NF; ++i) played += $i
    ok = ok && NF == width && played == games && $(3 + $3) > 0 && ($1 != "design" || $2 == design) &&
         ($1 != "optimal" || $2 == optimal); names = names " " $1 }
  END { exit !(ok && names == " design minimax entropy parts optimal") }' || { echo "--compare table malformed"; exit 1; }
