// SPDX-License-Identifier: MIT
// The numbers of a game, the texts of numbers and answers, and the strategy file: its
// text, its reading and its replay over every secret.
#include "tools/strategyfile.h"

#include <algorithm>
#include <sstream>

namespace numora {

namespace {

int padding(const Rules &rules)
{
    return 4 - rules.places;
}

}  // namespace

std::vector<Digits> numbersof(const Rules &rules)
{
    // Every string of `places` digits in increasing order, those with different digits
    // below rules.digits (and no leading 0 unless allowed) kept; places a number of fewer
    // than four does not use hold 9, 8, ... so that no digit repeats.
    std::vector<Digits> numbers;
    const int places = std::clamp(rules.places, 1, 4);
    int limit = 1;
    for (int j = 0; j < places; ++j)
        limit *= 10;
    for (int value = 0; value < limit; ++value) {
        Digits d{};
        for (int j = places; j < 4; ++j)
            d[j] = static_cast<std::uint8_t>(9 - (j - places));
        unsigned used = 0;
        bool fits = true;
        int rest = value;
        for (int j = places - 1; j >= 0 && fits; --j) {
            const int digit = rest % 10;
            rest /= 10;
            fits = digit < rules.digits && (used & (1U << digit)) == 0 && (j > 0 || digit > 0 || rules.leadingzero);
            used |= 1U << digit;
            d[j] = static_cast<std::uint8_t>(digit);
        }
        if (fits)
            numbers.push_back(d);
    }
    return numbers;
}

std::string numbertext(const Rules &rules, const Digits &number)
{
    return textform(number).substr(0, rules.places);
}

std::string answertext(const Rules &rules, int code)
{
    return std::to_string(code / 10 - padding(rules)) + "+" + std::to_string(code % 10) + "-";
}

Replay replay(const Rules &rules, const Plan &plan)
{
    const std::vector<Digits> numbers = numbersof(rules);
    Replay r;
    for (const Digits &secret : numbers) {
        int node = 0, count = 0;
        std::string path;
        for (;;) {
            ++count;
            const Digits &guess = numbers[plan.nodes[node].guess];
            const int code = signcode(guess, secret);
            if (code == kHit) {
                ++r.games[count];
                break;
            }
            path += numbertext(rules, guess) + " " + answertext(rules, code) + " ";
            const auto &answers = plan.nodes[node].answers;
            const auto found = std::ranges::find(answers, code, &std::pair<int, int>::first);
            if (found == answers.end()) {
                r.error = "the strategy does not find " + numbertext(rules, secret) + ": no guess after " +
                          path.substr(0, path.size() - 1);
                r.games.clear();
                return r;
            }
            node = found->second;
        }
    }
    return r;
}

namespace {

std::string rulestext(const Rules &rules)
{
    return "# numora-selfplay strategy: " + std::to_string(rules.digits) + " digits, " + std::to_string(rules.places) +
           " places, " + (rules.leadingzero ? "leading 0" : "no leading 0");
}

void writenode(const Rules &rules, const std::vector<Digits> &numbers, const Plan &plan, int node, int depth,
               std::string &out)
{
    for (const auto &[code, child] : plan.nodes[node].answers) {
        out += std::string(depth + 1, ' ') + answertext(rules, code) + " " +
               numbertext(rules, numbers[plan.nodes[child].guess]) + "\n";
        writenode(rules, numbers, plan, child, depth + 1, out);
    }
}

}  // namespace

std::string writeplan(const Rules &rules, const Plan &plan, long total)
{
    const std::vector<Digits> numbers = numbersof(rules);
    std::string out = rulestext(rules) + ", " + std::to_string(total) + " guesses in all\n";
    out += numbertext(rules, numbers[plan.nodes[0].guess]) + "\n";
    writenode(rules, numbers, plan, 0, 0, out);
    return out;
}

Reading readplan(const Rules &rules, const std::string &text)
{
    const std::vector<Digits> numbers = numbersof(rules);
    Reading r;
    std::istringstream in(text);
    std::string line;
    std::vector<int> path;  // node at each depth
    int lineno = 0;
    auto fail = [&](const std::string &why) {
        r.plan.nodes.clear();
        r.error = "line " + std::to_string(lineno) + ": " + why;
        return r;
    };
    std::map<std::string, int> rows;
    for (std::size_t row = 0; row < numbers.size(); ++row)
        rows[numbertext(rules, numbers[row])] = static_cast<int>(row);
    auto rowof = [&](const std::string &word) -> int {
        const auto found = rows.find(word);
        return found == rows.end() ? -1 : found->second;
    };
    const std::string header = rulestext(rules) + ", ";
    while (std::getline(in, line)) {
        ++lineno;
        if (lineno == 1) {
            if (!line.starts_with(header))
                return fail("not a strategy for " + header.substr(2, header.size() - 4));
            continue;
        }
        const std::size_t depth = line.find_first_not_of(' ');
        if (depth == std::string::npos)
            return fail("empty line");
        std::istringstream words(line.substr(depth));
        std::string answer, number, extra;
        if (depth == 0)
            words >> number;
        else
            words >> answer >> number;
        if (number.empty() || (words >> extra))
            return fail(depth == 0 ? "a guess expected" : "an answer and a guess expected");
        const int guess = rowof(number);
        if (guess < 0)
            return fail(number + " is not an admissible number");
        if (depth == 0) {
            if (!r.plan.nodes.empty())
                return fail("a second first guess");
        } else {
            if (depth > path.size())
                return fail("indented deeper than the line before allows");
            int plus = -1, minus = -1;
            char p = 0, m = 0;
            std::istringstream a(answer);
            a >> plus >> p >> minus >> m;
            const int places = rules.places;
            if (!a || p != '+' || m != '-' || a.peek() != EOF || plus < 0 || minus < 0 || plus + minus > places ||
                plus >= places || (plus == places - 1 && minus == 1))
                return fail("bad answer " + answer);
            const int code = 10 * (plus + padding(rules)) + minus;
            auto &answers = r.plan.nodes[path[depth - 1]].answers;
            if (std::ranges::find(answers, code, &std::pair<int, int>::first) != answers.end())
                return fail("a second guess after answer " + answer);
            answers.emplace_back(code, static_cast<int>(r.plan.nodes.size()));
        }
        path.resize(depth);
        path.push_back(static_cast<int>(r.plan.nodes.size()));
        r.plan.nodes.emplace_back();
        r.plan.nodes.back().guess = static_cast<std::uint16_t>(guess);
    }
    if (lineno == 0)
        return fail("empty file");
    if (r.plan.nodes.empty())
        return fail("no first guess");
    return r;
}

}  // namespace numora
