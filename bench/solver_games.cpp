// SPDX-License-Identifier: MIT
// The exact solver on one game of this kind, for bench/solver_bench.sh: the value it
// finds and the seconds it takes.
//   numora-solver-bench DIGITS PLACES [--leading-zero] [--worst-case] [--possible-only] [--threads N]
#include "tools/solver.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: %s DIGITS PLACES [--leading-zero] [--worst-case] [--possible-only] [--threads N]\n",
                     argv[0]);
        return 2;
    }
    numora::SolveOptions options;
    options.rules.digits = std::atoi(argv[1]);
    options.rules.places = std::atoi(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const std::string flag = argv[i];
        if (flag == "--leading-zero")
            options.rules.leadingzero = true;
        else if (flag == "--worst-case")
            options.worstcase = true;
        else if (flag == "--possible-only")
            options.possibleonly = true;
        else if (flag == "--threads" && i + 1 < argc)
            options.threads = std::atoi(argv[++i]);
        else
            return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const auto solution = numora::solvegame(options);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (!solution)
        return 1;
    std::printf("%d digits, %d places%s: %ld in %.2f s\n", options.rules.digits, options.rules.places,
                options.rules.leadingzero ? ", leading 0" : "", solution->value, took.count());
    return 0;
}
