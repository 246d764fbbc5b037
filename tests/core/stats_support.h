#pragma once

#include <string>
#include <vector>

namespace corvane::test {

/// One line of a data file: a key and its numbers, written as given.
struct Draw
{
    std::string key;
    std::vector<std::string> numbers;
};

/// The text of a data file holding the draws, one a line, each line ended by CR LF.
inline std::string drawsFile(const std::vector<Draw>& draws)
{
    std::string text;
    for (const Draw& draw : draws) {
        text += draw.key;
        for (const std::string& n : draw.numbers)
            text += ' ' + n;
        text += "\r\n";
    }
    return text;
}

/// count draws keyed firstKey, firstKey + 1, … each holding the numbers 1 to 6.
inline std::vector<Draw> plainDraws(int count, int firstKey = 20020101)
{
    std::vector<Draw> draws;
    for (int k = 0; k < count; ++k)
        draws.push_back({std::to_string(firstKey + k), {"1", "2", "3", "4", "5", "6"}});
    return draws;
}

} // namespace corvane::test
