// New York State open data (data.ny.gov) exports: "Draw Date,Winning Numbers,…", dates
// MM/DD/YYYY, rows in any order. "Winning Numbers" holds the numbers separated by spaces; the
// one extra-ball column ("Bonus #", "Mega Ball", "Cash Ball") follows them; "Multiplier" and
// "Extra #" are no balls.
//
// The games drawn twice a day put both draws in one row: "Evening Winning Numbers,Evening
// Bonus #,Midday Winning Numbers,…" (Take 5), or a column per draw and game holding the digits
// as one number, "Midday Daily #,…,Evening Win 4 #" (Numbers and Win 4), where a spreadsheet
// may have dropped leading zeros ("84" for 084).
#include "core/importer/cells.h"
#include "core/importer/layouts.h"

#include "core/text/numbers.h"

#include <algorithm>
#include <array>

namespace corvane::core::importer {

namespace {

// The times of day in the order of the draws.
constexpr std::array<const char*, 5> kSlots = {"Morning", "Midday", "Day", "Evening", "Night"};

struct Group
{
    std::size_t slot = 0;
    std::string game;
    std::optional<std::size_t> main;
    std::optional<std::size_t> extra;
    std::optional<std::size_t> digits;
    /// How many digits the game's number has (Numbers 3, Win 4 4).
    std::size_t width = 0;
    /// The longest value of the digits column in the file.
    std::size_t widest = 0;

    std::string name() const
    {
        return game.empty() ? std::string(kSlots[slot]) : kSlots[slot] + (" " + game);
    }
};

bool isExtraBall(std::string_view name)
{
    for (const char* extra : {"Bonus #", "Bonus", "Mega Ball", "Cash Ball"}) {
        if (sameName(name, extra))
            return true;
    }
    return false;
}

bool endsWithWord(std::string_view text, std::string_view word)
{
    const std::vector<std::string> words = nameWords(text);
    return !words.empty() && sameName(words.back(), word);
}

class NewYork : public SeparatedLayout
{
public:
    std::vector<Group> m_groups;
    bool m_slotted = false;

    std::string name() const override
    {
        return m_slotted ? "New York State open data (draws of the day in columns)"
                         : "New York State open data";
    }
    bool hasDrawChoice() const override { return m_slotted; }
    bool needsSurvey() const override
    {
        return std::any_of(m_groups.begin(), m_groups.end(),
            [](const Group& group) { return group.digits && group.width == 0; });
    }

    void survey(std::string_view line, std::size_t) override
    {
        splitFields(line, ',', m_fields);
        for (Group& group : m_groups) {
            if (group.digits && *group.digits < m_fields.size())
                group.widest = std::max(group.widest, m_fields[*group.digits].size());
        }
    }

    std::string settle() override
    {
        // The widest value of the game in any column, as a column may have lost the leading
        // zeros of every value it holds.
        for (Group& group : m_groups) {
            if (!group.digits || group.width != 0)
                continue;
            std::size_t widest = 1;
            for (const Group& other : m_groups) {
                if (other.game == group.game)
                    widest = std::max(widest, other.widest);
            }
            group.width = widest;
        }
        return {};
    }

    void read(std::string_view line, std::size_t number, Rows& rows) override
    {
        const std::optional<Draw> started = startRow(line, number, rows);
        if (!started)
            return;
        m_draws.clear();
        for (const Group& group : m_groups) {
            Draw draw = *started;
            if (!readGroup(group, draw.numbers)) {
                rows.skip(SkipReason::BadNumber, number, line);
                return;
            }
            if (!draw.numbers.empty())
                m_draws.push_back(std::move(draw));
        }
        if (m_draws.empty()) {
            rows.skip(SkipReason::NoNumbers, number, line);
            return;
        }
        for (Draw& draw : m_draws)
            rows.add(std::move(draw), line);
    }

private:
    // The numbers of one draw of the row; none when the row has no such draw. False when a
    // number cannot be read.
    bool readGroup(const Group& group, std::vector<std::int32_t>& numbers) const
    {
        if (group.digits) {
            const std::string_view text = field(*group.digits);
            if (text.empty())
                return true;
            if (text.size() > group.width || !parseWhole(text))
                return false;
            numbers.assign(group.width - text.size(), 0);
            for (const char c : text)
                numbers.push_back(c - '0');
            return true;
        }
        const std::string_view main = group.main ? field(*group.main) : std::string_view();
        if (main.empty())
            return true;
        if (!appendNumbers(main, numbers))
            return false;
        const std::string_view extra = group.extra ? field(*group.extra) : std::string_view();
        if (!extra.empty()) {
            const auto value = parseWhole(extra);
            if (!value)
                return false;
            numbers.push_back(*value);
        }
        return true;
    }

    std::vector<Draw> m_draws;
};

// Files with the draws of the day in columns: which draws a name such as "Evening Win 4 #" or
// "Midday Bonus #" belongs to. Sums, boosters and multipliers belong to none.
void addSlotColumn(std::vector<Group>& groups, std::string_view name, std::size_t column)
{
    name = trimBlanks(name);
    for (std::size_t slot = 0; slot < kSlots.size(); ++slot) {
        const std::string_view word = kSlots[slot];
        if (name.size() <= word.size() + 1 || name.substr(0, word.size()) != word
            || name[word.size()] != ' ')
            continue;
        const std::string_view rest = trimBlanks(name.substr(word.size() + 1));
        if (endsWithWord(rest, "Sum") || endsWithWord(rest, "Booster")
            || endsWithWord(rest, "Multiplier"))
            return;
        std::string game;
        const bool main = sameName(rest, "Winning Numbers");
        const bool extra = isExtraBall(rest);
        if (!main && !extra) {
            if (rest.empty() || rest.back() != '#')
                return;
            game = std::string(trimBlanks(rest.substr(0, rest.size() - 1)));
        }
        auto group = std::find_if(groups.begin(), groups.end(),
            [&](const Group& g) { return g.slot == slot && g.game == game; });
        if (group == groups.end()) {
            groups.push_back(Group {slot, game, {}, {}, {}, 0, 0});
            group = groups.end() - 1;
        }
        if (main)
            group->main = column;
        else if (extra)
            group->extra = column;
        else
            group->digits = column;
        return;
    }
}

bool matchesChoice(const Group& group, const std::string& choice)
{
    const std::vector<std::string> want = nameWords(choice);
    const std::vector<std::string> have = nameWords(group.name());
    return std::all_of(want.begin(), want.end(), [&](const std::string& word) {
        return std::find(have.begin(), have.end(), word) != have.end();
    });
}

std::string listNames(const std::vector<Group>& groups)
{
    std::string out;
    for (const Group& group : groups)
        out += (out.empty() ? "" : ", ") + group.name();
    return out;
}

} // namespace

std::unique_ptr<Layout> newYorkLayout(
    const std::vector<SampleLine>& sample, const std::string& draw, std::string& error)
{
    if (sample.empty())
        return nullptr;
    std::vector<std::string_view> names;
    splitFields(sample.front().text, ',', names);
    if (names.size() < 2 || !sameName(names[0], "Draw Date"))
        return nullptr;
    auto layout = std::make_unique<NewYork>();
    // Month first: 09/29/2025.
    layout->m_dayFirst = false;
    layout->headerLine = sample.front().number;
    Group plain;
    for (std::size_t i = 1; i < names.size(); ++i) {
        if (sameName(names[i], "Winning Numbers") && !plain.main)
            plain.main = i;
        else if (isExtraBall(names[i]) && !plain.extra)
            plain.extra = i;
        else
            addSlotColumn(layout->m_groups, names[i], i);
    }
    if (plain.main) {
        layout->m_groups = {plain};
        return layout;
    }
    std::vector<Group>& groups = layout->m_groups;
    groups.erase(std::remove_if(groups.begin(), groups.end(),
                     [](const Group& g) { return !g.main && !g.digits; }),
        groups.end());
    if (groups.empty())
        return nullptr;
    layout->m_slotted = true;
    const std::string all = listNames(groups);
    if (!draw.empty()) {
        groups.erase(std::remove_if(groups.begin(), groups.end(),
                         [&](const Group& g) { return !matchesChoice(g, draw); }),
            groups.end());
        if (groups.empty()) {
            error = "--draw \"" + draw + "\" names none of the file's draws (" + all + ")";
            return nullptr;
        }
    }
    std::stable_sort(groups.begin(), groups.end(),
        [](const Group& a, const Group& b) { return a.slot < b.slot; });
    for (Group& group : groups) {
        if (group.digits) {
            // "Win 4": the game's name says how many digits it draws.
            const std::vector<std::string> words = nameWords(group.game);
            for (const std::string& word : words) {
                if (const auto width = parseWhole(word); width && *width >= 1 && *width <= 9)
                    group.width = static_cast<std::size_t>(*width);
            }
        }
    }
    std::vector<std::string> games;
    for (const Group& group : groups) {
        if (std::find(games.begin(), games.end(), group.game) == games.end())
            games.push_back(group.game);
    }
    if (games.size() > 1) {
        error = "the file holds the draws of several games (" + listNames(groups)
            + "): pick the draws of one game with --draw, such as --draw \"" + groups.back().name()
            + "\"";
        return nullptr;
    }
    return layout;
}

} // namespace corvane::core::importer
