#include "core/importer/layouts.h"

#include "core/importer/cells.h"
#include "core/importer/dates.h"

#include <algorithm>

namespace corvane::core::importer {

void Rows::add(Draw draw, std::string_view text)
{
    if (draw.numbers.empty()) {
        skip(SkipReason::NoNumbers, draw.line, text);
        return;
    }
    if (draw.numbers.size() > kMaxDrawNumbers) {
        skip(SkipReason::TooManyNumbers, draw.line, text);
        return;
    }
    m_result.draws.push_back(std::move(draw));
}

void Rows::skip(SkipReason reason, std::size_t line, std::string_view text)
{
    SkippedRows& rows = m_result.skipped[static_cast<std::size_t>(reason)];
    if (rows.count++ == 0) {
        rows.firstLine = line;
        rows.firstText = quoteLine(text);
    }
}

std::optional<Draw> SeparatedLayout::startRow(std::string_view line, std::size_t number, Rows& rows)
{
    if (isBlankRow(line, m_separator))
        return std::nullopt;
    rows.count();
    splitFields(line, m_separator, m_fields);
    const std::string_view dateText = field(m_dateColumn);
    if (dateText.empty()) {
        rows.skip(SkipReason::NoDate, number, line);
        return std::nullopt;
    }
    const auto parsed = parseDateField(dateText);
    const auto date = parsed ? resolveDate(*parsed, m_dayFirst) : std::nullopt;
    if (!date) {
        rows.skip(SkipReason::BadDate, number, line);
        return std::nullopt;
    }
    Draw draw;
    draw.date = *date;
    draw.line = number;
    if (m_drawColumn) {
        if (const auto value = parseWhole(field(*m_drawColumn)))
            draw.drawNumber = *value;
    }
    return draw;
}

std::string quoteLine(std::string_view line)
{
    constexpr std::size_t kMax = 60;
    std::string out;
    for (std::size_t i = 0; i < line.size() && i < kMax; ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        out += c < 0x20 || c == 0x7F ? '?' : line[i];
    }
    if (line.size() > kMax)
        out += "...";
    return out;
}

Recognised recognise(const std::vector<SampleLine>& sample, const ImportOptions& options)
{
    Recognised found;
    // The layouts with a title or a header of their own come first; the generic reader takes
    // whatever separated file is left.
    if ((found.layout = californiaLayout(sample)))
        return found;
    if ((found.layout = hungaryLayout(sample, found.error)) || !found.error.empty())
        return found;
    if ((found.layout = newYorkLayout(sample, options.draw, found.error)) || !found.error.empty())
        return found;
    if ((found.layout = mexicoLayout(sample, found.error)) || !found.error.empty())
        return found;
    if ((found.layout = texasLayout(sample, found.error)) || !found.error.empty())
        return found;
    found.layout = genericLayout(sample, found.error);
    return found;
}

} // namespace corvane::core::importer
