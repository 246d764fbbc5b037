// The Texas Lottery's downloads: game name, month, day, year, then the numbers in draw order,
// with or without the header "GameName,Month,Day,Year,…" (or the game's name in its first field):
//   Lotto Texas,11,14,1992,13,16,22,29,32,36
//   Pick 3 Night,10,25,1993,3,2,9,,
// An empty trailing field is no ball. The games whose rows carry more than the balls drawn
// (Pick 3 and Daily 4 a "Sum It Up" value and the Fireball, Powerball and Mega Millions the
// multiplier) are known by name and give their balls only.
#include "core/importer/cells.h"
#include "core/importer/layouts.h"

#include "core/text/numbers.h"

#include <array>

namespace corvane::core::importer {

namespace {

struct Game
{
    const char* name;
    std::size_t balls;
};

constexpr std::array<Game, 8> kGames = {{
    {"Pick 3", 3},
    {"Daily 4", 4},
    {"Powerball", 6},
    {"Mega Millions", 6},
    {"Lotto Texas", 6},
    {"Cash Five", 5},
    {"Texas Two Step", 5},
    {"All or Nothing", 12},
}};

// How many balls a row of the game holds; 0 for a game not in the list.
std::size_t ballsOf(std::string_view game)
{
    game = trimBlanks(game);
    for (const Game& known : kGames) {
        const std::string_view name = known.name;
        if (game.size() >= name.size() && sameName(game.substr(0, name.size()), name)
            && (game.size() == name.size() || game[name.size()] == ' '))
            return known.balls;
    }
    return 0;
}

bool hasAsciiLetter(std::string_view text)
{
    for (const char c : text) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
            return true;
    }
    return false;
}

std::optional<DateKey> rowDate(const std::vector<std::string_view>& fields)
{
    if (fields.size() < 4 || fields[3].size() != 4)
        return std::nullopt;
    const auto month = parseWhole(fields[1]);
    const auto day = parseWhole(fields[2]);
    const auto year = parseWhole(fields[3]);
    if (!month || !day || !year || !isRealDate(*year, *month, *day))
        return std::nullopt;
    return dateKey(*year, *month, *day);
}

class Texas : public Layout
{
public:
    /// With a header: the columns after the year that may hold balls. Without: all of them.
    std::optional<std::vector<std::size_t>> m_ballColumns;

    std::string name() const override { return "Texas Lottery download"; }

    void read(std::string_view line, std::size_t number, Rows& rows) override
    {
        if (isBlankRow(line, ','))
            return;
        rows.count();
        splitFields(line, ',', m_fields);
        if (m_fields.size() < 4 || !hasAsciiLetter(m_fields[0])) {
            rows.skip(SkipReason::NotARow, number, line);
            return;
        }
        const auto date = rowDate(m_fields);
        if (!date) {
            rows.skip(SkipReason::BadDate, number, line);
            return;
        }
        m_cells.clear();
        if (m_ballColumns) {
            for (const std::size_t column : *m_ballColumns)
                m_cells.push_back(column < m_fields.size() ? m_fields[column] : std::string_view());
        } else {
            m_cells.assign(m_fields.begin() + 4, m_fields.end());
        }
        while (!m_cells.empty() && m_cells.back().empty())
            m_cells.pop_back();
        const std::size_t balls = ballsOf(m_fields[0]);
        if (balls != 0) {
            if (m_cells.size() < balls) {
                rows.skip(SkipReason::TooFewNumbers, number, line);
                return;
            }
            m_cells.resize(balls);
        }
        Draw draw;
        draw.date = *date;
        draw.line = number;
        draw.numbers.reserve(m_cells.size());
        for (const std::string_view cell : m_cells) {
            const auto value = parseWhole(cell);
            if (!value) {
                rows.skip(
                    cell.empty() && balls != 0 ? SkipReason::TooFewNumbers : SkipReason::BadNumber,
                    number, line);
                return;
            }
            draw.numbers.push_back(*value);
        }
        rows.add(std::move(draw), line);
    }

private:
    std::vector<std::string_view> m_fields;
    std::vector<std::string_view> m_cells;
};

} // namespace

std::unique_ptr<Layout> texasLayout(const std::vector<SampleLine>& sample, std::string&)
{
    if (sample.empty())
        return nullptr;
    std::vector<std::string_view> fields;
    splitFields(sample.front().text, ',', fields);
    if (fields.size() < 4)
        return nullptr;
    auto layout = std::make_unique<Texas>();
    // Some copies name the game where the header says "GameName": "Lotto Texas,Month,…".
    const bool header = hasAsciiLetter(fields[0]) && sameName(fields[1], "Month")
        && sameName(fields[2], "Day") && sameName(fields[3], "Year");
    if (header) {
        layout->headerLine = sample.front().number;
        std::vector<std::size_t> columns;
        for (std::size_t i = 4; i < fields.size(); ++i) {
            if (!isNoBallName(fields[i]))
                columns.push_back(i);
        }
        layout->m_ballColumns = std::move(columns);
        return layout;
    }
    if (fields.size() < 5 || !hasAsciiLetter(fields[0]) || parseDateField(fields[0]))
        return nullptr;
    // Without a header the rows tell: most of them name a game, then a real month, day and
    // year. One row with a broken date, the first included, is skipped, not the whole file.
    std::size_t dated = 0;
    for (const SampleLine& line : sample) {
        splitFields(line.text, ',', fields);
        if (fields.size() >= 5 && hasAsciiLetter(fields[0]) && rowDate(fields))
            ++dated;
    }
    if (dated == 0 || 2 * dated < sample.size())
        return nullptr;
    return layout;
}

} // namespace corvane::core::importer
