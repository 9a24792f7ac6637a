#!/usr/bin/env bash
# clang-tidy and cppcheck over the program's own sources, and clang-format over every C++
# file (the checked-in .clang-format); any finding or drift fails.
#   tests/static_checks.sh [build directory with compile_commands.json]
# clang-tidy takes nearly all the time: it runs on every processor, the costliest files
# first, so that no long file is left running alone at the end, with cppcheck and
# clang-format beside it. A file that clang-tidy found clean is not checked again until
# it, a file it includes, its compile command, .clang-tidy or clang-tidy itself changes:
# the clean files are remembered in ${XDG_CACHE_HOME:-~/.cache}/numora/clang-tidy
# (NUMORA_TIDY_CACHE names another folder; set empty, it keeps none). A continuous
# integration run (CI=true) checks every file afresh unless NUMORA_TIDY_CACHE is set.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
[[ -f $build/compile_commands.json ]] || { echo "no $build/compile_commands.json: configure first" >&2; exit 1; }

mapfile -t sources < <(git ls-files 'engine/*.cpp' 'ui/*.cpp' 'app/*.cpp' 'tools/*.cpp' 'bench/*.cpp' 'tests/*.cpp')
mapfile -t cxxfiles < <(git ls-files '*.cpp' '*.h')
tidy=$(command -v clang-tidy || ls /usr/bin/clang-tidy-* 2>/dev/null | head -1)
format=$(command -v clang-format || ls /usr/bin/clang-format-* 2>/dev/null | head -1)
cache=${NUMORA_TIDY_CACHE-${XDG_CACHE_HOME:-$HOME/.cache}/numora/clang-tidy}
[[ ${CI:-} != true || -n ${NUMORA_TIDY_CACHE+set} ]] || cache=
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

# cppcheck 2.17 (Debian 13) notes, as a finding, each file whose branches it analyses at its
# normal depth only; that is a note on its own limits, not on the code.
cppcheck --quiet --error-exitcode=1 --std=c++20 --language=c++ --library=qt --library=googletest \
  --enable=warning,performance,portability --inline-suppr \
  --suppress=missingIncludeSystem --suppress=unknownMacro --suppress=normalCheckLevelMaxBranches \
  -I engine -I ui -I ui/main_window -I ui/dialogs -D__GNUC__ "${sources[@]}" >"$logs/cppcheck" 2>&1 &
cppcheck_pid=$!
"$format" --dry-run -Werror "${cxxfiles[@]}" >"$logs/clang-format" 2>&1 &
format_pid=$!

# "key source" for each source, costliest first: the key digests what clang-tidy reads (the
# file and every file the compiler's dependency file lists, its compile command,
# .clang-tidy, clang-tidy's version); the cost is the size of all that. A source without a
# dependency file, or one of whose files is gone, gets no key and is always checked.
python3 - "$build" "$("$tidy" --version)" "${sources[@]}" >"$logs/keys" <<'EOF'
import hashlib, json, os, re, sys
build, version, sources = sys.argv[1], sys.argv[2], sys.argv[3:]
entries = {os.path.realpath(e["file"]): e for e in json.load(open(os.path.join(build, "compile_commands.json")))}
digests = {}
def digest(path):
    if path not in digests:
        with open(path, "rb") as f:
            data = f.read()
        digests[path] = (hashlib.sha256(data).hexdigest(), len(data))
    return digests[path]
rows = []
for source in sources:
    entry = entries.get(os.path.realpath(source))
    key, cost = "-", os.path.getsize(source)
    command = entry and entry.get("command", " ".join(entry.get("arguments", [])))
    output = entry and re.search(r"(?:^| )-o (\S+)", command)
    depfile = output and os.path.join(entry["directory"], output.group(1) + ".d")
    try:
        text = open(depfile).read().replace("\\\n", " ")
        deps = [d.replace("\\ ", " ") for d in re.split(r"(?<!\\)\s+", text.split(":", 1)[1]) if d]
        h = hashlib.sha256("\n".join([version, open(".clang-tidy").read(), command]).encode())
        total = 0
        for dep in deps:
            d, n = digest(os.path.join(entry["directory"], dep))
            h.update(f"{dep} {d}\n".encode())
            total += n
        key, cost = h.hexdigest(), total
    except (OSError, TypeError, IndexError):
        pass
    rows.append((cost, key, source))
for cost, key, source in sorted(rows, key=lambda r: -r[0]):
    print(key, source)
EOF

todo=() unchanged=0
while read -r key source; do
  if [[ -n $cache && $key != - && -f $cache/$key ]]; then
    ((++unchanged))
  else
    todo+=("$key" "$source")
  fi
done <"$logs/keys"
tidyone() {  # key source
  "$tidy" -p "$build" --quiet "$2" 2>/dev/null || return 1
  [[ -z $cache || $1 == - ]] || { mkdir -p "$cache" && touch "$cache/$1"; }
}
export -f tidyone
export tidy build cache
status=0
echo "clang-tidy: ${#sources[@]} files, $unchanged of them unchanged since found clean"
printf '%s\n' "${todo[@]}" | xargs -r -P "$(nproc)" -n 2 bash -c 'tidyone "$@"' tidyone || status=1

echo "cppcheck"
wait "$cppcheck_pid" || status=1
cat "$logs/cppcheck"
echo "clang-format"
wait "$format_pid" || status=1
cat "$logs/clang-format"
((status == 0)) || exit 1
echo "static checks clean"
