#include "core/predict/regress.h"

#include "core/text/numbers.h"

namespace corvane::core {

regress::regress() = default;
regress::~regress() = default;

bool regress::countlines(const std::string& path)
{
    file.reset();
    return countlines(openLineFile(path));
}

bool regress::countlines(std::unique_ptr<LineSource> source)
{
    file = std::move(source);
    datalines = 0;
    if (!file || !file->rewind()) {
        file.reset();
        return false;
    }
    std::string_view line;
    while (file->next(line)) {
        const std::string_view rest = stripLeadingSpaces(line);
        if (!rest.empty() && isDigit(rest.front()))
            ++datalines;
    }
    if (file->failed()) {
        file.reset();
        return false;
    }
    return true;
}

bool regress::readdata()
{
    if (!file)
        return false;
    std::int32_t max = 0;
    std::int32_t min = 1;
    auto update = [&](double v) {
        if (v > max)
            max = truncToInt(v);
        if (v < min)
            min = truncToInt(v);
    };

    int row = 0;
    int seen = 0;
    numcols = 0;
    bool numcolsTaken = false;
    bool ok = file->rewind();
    std::string_view line;
    while (ok && file->next(line)) {
        bool dataLine = false;
        bool stored = false;
        int column = 0;
        bool firstToken = true;
        std::string_view rest = stripLeadingSpaces(line);
        while (!rest.empty()) {
            if (!isDigit(rest.front()))
                break;
            dataLine = true;
            if (seen < skiplines || row >= kRows)
                break;
            stored = true;
            const std::size_t space = rest.find(' ');
            // The 50th token ends the line: the table has no room for more.
            const bool lastToken = space == std::string_view::npos || column == kColumns - 1;
            const double value = readNumber(rest.substr(0, space));
            table[row][column] = value;
            if (!firstToken)
                update(value);
            if (lastToken) {
                if (!numcolsTaken) {
                    numcols = column;
                    numcolsTaken = true;
                }
                break;
            }
            ++column;
            rest = stripSpaces(rest.substr(space));
            firstToken = false;
        }
        if (dataLine)
            ++seen;
        if (stored)
            ++row;
    }
    ok = ok && !file->failed();
    file.reset();
    maxnum = max;
    minnum = min;
    rowsplus1 = row + 1;
    return ok;
}

} // namespace corvane::core
