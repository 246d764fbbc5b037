#include "core/predict/fuzzy.h"

#include "core/catalogue/catalogue.h"
#include "core/io/files.h"
#include "core/predict/history.h"
#include "core/text/numbers.h"
#include "core/ui/ui.h"

#include <cmath>

namespace corvane::core {

fuzzy::fuzzy() = default;
fuzzy::~fuzzy() = default;

void fuzzy::dofuzzy(const std::string& path, Ui& ui)
{
    dofuzzy(openLineFile(path), path, ui);
}

void fuzzy::dofuzzy(std::unique_ptr<LineSource> source, const std::string& path, Ui& ui)
{
    m_prediction = Prediction();
    datafile = path;
    if (!loadHistory(reg, std::move(source), SkipRule::LongFile, ui))
        return;
    for (int c = 1; c <= reg.numcols; ++c) {
        if (!findsame(2, 0, c) && !findsame(1, 0, c))
            findtrend(2, c);
    }
    choosenext(ui);
}

bool fuzzy::sameWindow(int l, int a, int c, int tolerance) const
{
    const int n = rows();
    for (int q = a; q >= 1; --q) {
        if (!(std::fabs(reg.table[l + q - 1][c] - reg.table[n - 1 - a + q][c]) <= tolerance))
            return false;
    }
    return true;
}

bool fuzzy::sameTrend(int l, int a, int c, int /*tolerance*/) const
{
    const int n = rows();
    for (int q = a - 1; q >= 1; --q) {
        const double d1 = reg.table[l + q][c] - reg.table[l + q - 1][c];
        const double d2 = reg.table[n - a + q][c] - reg.table[n - a + q - 1][c];
        if (!(d1 * d2 >= 0 && (d1 == d2 || (d1 != 0 && d2 != 0))))
            return false;
    }
    return true;
}

bool fuzzy::collect(int a, int c, bool (fuzzy::*matches)(int, int, int, int) const, int tolerance)
{
    // Only column c of the scratch is used by this pass.
    for (std::size_t k = 0; k < decltype(found)::rows; ++k)
        found[k][c] = 0.0;
    int count = 0;
    const int lastStart = rows() - 2 * a - 1;
    for (int l = 0; l <= lastStart; ++l) {
        if ((this->*matches)(l, a, c, tolerance))
            found[count++][c] = reg.table[l + a][c];
    }
    nextnum[c] = count;
    for (int k = 0; k < count; ++k)
        next[k][c] = found[k][c];
    return count > 0;
}

bool fuzzy::findsame(int a, int tolerance, int c)
{
    return collect(a, c, &fuzzy::sameWindow, tolerance);
}

bool fuzzy::findtrend(int a, int c)
{
    return collect(a, c, &fuzzy::sameTrend, 0);
}

void fuzzy::choosenext(Ui& ui)
{
    const int n = rows();
    const std::int32_t key = truncToInt(reg.table[n - 1][0]);
    std::string text
        = "   After " + formatInt(key) + " Could Be:\r\n   (Fuzzy Period Method)\r\n\r\n   ";
    m_prediction.key = key;
    for (int c = 1; c <= reg.numcols; ++c) {
        int distinct = 0;
        for (int k = 0; k < nextnum[c]; ++k) {
            const double value = next[k][c];
            int d = 0;
            while (d < distinct && !(reqValue(d, c) == value))
                ++d;
            if (d < distinct) {
                reqCount(d, c) += 1.0;
            } else {
                reqValue(distinct, c) = value;
                reqCount(distinct, c) = 0.0;
                ++distinct;
            }
        }
        if (distinct == 0) {
            // No pass found anything to go on: say so in the column's place.
            text += "?  ";
            m_prediction.numbers.emplace_back();
            continue;
        }
        int choice = 0;
        for (int d = 1; d < distinct; ++d) {
            if (reqCount(d, c) > reqCount(choice, c))
                choice = d;
        }
        const double value = reqValue(choice, c);
        const double count = reqCount(choice, c);
        reqValue(0, c) = value;
        reqCount(0, c) = count;
        const std::int32_t number = truncToInt(value);
        text += formatInt(number) + "  ";
        m_prediction.numbers.emplace_back(number);
    }

    const std::string name = getlottoname(fileNamePart(datafile));
    m_prediction.title = resultTitle(name);
    m_prediction.text = reportLotteryLine(name) + text;
    ui.showResult(m_prediction.title, m_prediction.text);
}

} // namespace corvane::core
