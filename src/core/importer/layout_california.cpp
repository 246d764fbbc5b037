// The California Lottery's "Download Winning Numbers" text: a title, a header "Draw #  Draw Date
// Number_1 …", a line of dashes, then one draw a line, newest first, in columns of blanks:
//   9719     Tue. Jun 16, 2020          15          21          23          24          28
#include "core/importer/cells.h"
#include "core/importer/layouts.h"

#include "core/text/numbers.h"

#include <algorithm>

namespace corvane::core::importer {

namespace {

void splitBlanks(std::string_view line, std::vector<std::string_view>& tokens)
{
    tokens.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t')
            ++end;
        tokens.push_back(line.substr(i, end - i));
        i = end;
    }
}

bool isWeekday(std::string_view token)
{
    if (!token.empty() && token.back() == '.')
        token.remove_suffix(1);
    return token.size() >= 2 && token.size() <= 9
        && std::all_of(token.begin(), token.end(),
            [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

class California : public Layout
{
public:
    std::string name() const override { return "California Lottery download"; }
    bool hasDrawNumbers() const override { return true; }

    void read(std::string_view line, std::size_t number, Rows& rows) override
    {
        const std::string_view text = trimBlanks(line);
        if (std::all_of(text.begin(), text.end(), [](char c) { return c == '-' || c == ' '; }))
            return; // the dashes under the header
        rows.count();
        splitBlanks(text, m_tokens);
        const auto drawNumber = m_tokens.size() >= 5 ? parseWhole(m_tokens[0]) : std::nullopt;
        if (!drawNumber || !isWeekday(m_tokens[1])) {
            rows.skip(SkipReason::NotARow, number, line);
            return;
        }
        // Parts that cannot be read are 0, which no real date has.
        const int month = monthFromName(m_tokens[2]).value_or(0);
        std::string_view dayText = m_tokens[3];
        const bool comma = !dayText.empty() && dayText.back() == ',';
        if (comma)
            dayText.remove_suffix(1);
        const int day = dayText.size() <= 2 ? parseWhole(dayText).value_or(0) : 0;
        const int year = m_tokens[4].size() == 4 ? parseWhole(m_tokens[4]).value_or(0) : 0;
        if (!comma || !isRealDate(year, month, day)) {
            rows.skip(SkipReason::BadDate, number, line);
            return;
        }
        Draw draw;
        draw.date = dateKey(year, month, day);
        draw.drawNumber = *drawNumber;
        draw.line = number;
        draw.numbers.reserve(m_tokens.size() - 5);
        for (std::size_t i = 5; i < m_tokens.size(); ++i) {
            const auto value = parseWhole(m_tokens[i]);
            if (!value) {
                rows.skip(SkipReason::BadNumber, number, line);
                return;
            }
            draw.numbers.push_back(*value);
        }
        rows.add(std::move(draw), line);
    }

private:
    std::vector<std::string_view> m_tokens;
};

} // namespace

std::unique_ptr<Layout> californiaLayout(const std::vector<SampleLine>& sample)
{
    for (const SampleLine& line : sample) {
        const std::string_view text = trimBlanks(line.text);
        if (text.substr(0, 6) == "Draw #" && text.find("Draw Date") != std::string_view::npos) {
            auto layout = std::make_unique<California>();
            layout->headerLine = line.number;
            return layout;
        }
    }
    return nullptr;
}

} // namespace corvane::core::importer
