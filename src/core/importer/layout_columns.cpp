// Layouts whose header names the date column and the number columns:
// - Szerencsejáték (Hungary): UTF-8 with a BOM, semicolons, "Year;Week;…;Date;…;Nr1;Nr2;…",
//   dates "2025.08.29.", prize columns in between, rows without a date at the end;
// - Pronósticos (Mexico): "NPRODUCTO,CONCURSO,R1,…,BOLSA,FECHA" or "SORTEO,R1,…,FECHA", dates
//   dd/mm/yyyy, newest first; an empty number column is no ball (Tris before its fifth digit).
#include "core/importer/cells.h"
#include "core/importer/layouts.h"

#include "core/text/numbers.h"

namespace corvane::core::importer {

namespace {

class NamedColumns : public SeparatedLayout
{
public:
    std::string m_name;
    std::vector<std::size_t> m_numberColumns;

    std::string name() const override { return m_name; }

    void read(std::string_view line, std::size_t number, Rows& rows) override
    {
        std::optional<Draw> started = startRow(line, number, rows);
        if (!started)
            return;
        Draw& draw = *started;
        draw.numbers.reserve(m_numberColumns.size());
        for (const std::size_t column : m_numberColumns) {
            const std::string_view text = field(column);
            if (text.empty())
                continue;
            const auto value = parseWhole(text);
            if (!value) {
                rows.skip(SkipReason::BadNumber, number, line);
                return;
            }
            draw.numbers.push_back(*value);
        }
        rows.add(std::move(draw), line);
    }

private:
};

// "Nr12" (prefix "Nr") or "R3" / "F3" (any one letter): a name and a number, nothing more.
bool isNumberColumn(std::string_view name, std::string_view prefix)
{
    name = trimBlanks(name);
    std::size_t letters = prefix.size();
    if (prefix.empty()) {
        if (name.empty()
            || !((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z')))
            return false;
        letters = 1;
    } else if (name.size() <= letters || !sameName(name.substr(0, letters), prefix)) {
        return false;
    }
    return parseWhole(name.substr(letters)).has_value();
}

} // namespace

std::unique_ptr<Layout> hungaryLayout(const std::vector<SampleLine>& sample, std::string& error)
{
    if (sample.empty())
        return nullptr;
    std::vector<std::string_view> names;
    splitFields(sample.front().text, ';', names);
    if (names.size() < 3 || !sameName(names[0], "Year") || !sameName(names[1], "Week"))
        return nullptr;
    auto layout = std::make_unique<NamedColumns>();
    layout->m_name = "Szerencsejatek (Hungary) download";
    layout->m_separator = ';';
    layout->headerLine = sample.front().number;
    bool dated = false;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (sameName(names[i], "Date") && !dated) {
            layout->m_dateColumn = i;
            dated = true;
        } else if (isNumberColumn(names[i], "Nr")) {
            layout->m_numberColumns.push_back(i);
        }
    }
    if (!dated || layout->m_numberColumns.empty()) {
        error = "the header \"Year;Week;…\" names no Date column or no number column Nr1, Nr2, …";
        return nullptr;
    }
    return layout;
}

std::unique_ptr<Layout> mexicoLayout(const std::vector<SampleLine>& sample, std::string& error)
{
    if (sample.empty())
        return nullptr;
    std::vector<std::string_view> names;
    splitFields(sample.front().text, ',', names);
    std::optional<std::size_t> date, draw;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (sameName(names[i], "FECHA") && !date)
            date = i;
        if ((sameName(names[i], "CONCURSO") || sameName(names[i], "SORTEO")) && !draw)
            draw = i;
    }
    if (!date || !draw)
        return nullptr;
    auto layout = std::make_unique<NamedColumns>();
    layout->m_name = "Pronosticos (Mexico) download";
    layout->m_separator = ',';
    layout->headerLine = sample.front().number;
    layout->m_dateColumn = *date;
    layout->m_drawColumn = draw;
    layout->m_dayFirst = true;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (isNumberColumn(names[i], ""))
            layout->m_numberColumns.push_back(i);
    }
    if (layout->m_numberColumns.empty()) {
        error = "the header names FECHA and the draw number, but no number column R1, R2, …";
        return nullptr;
    }
    return layout;
}

} // namespace corvane::core::importer
