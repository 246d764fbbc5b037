#include "core/importer/merge.h"

#include "core/io/files.h"
#include "core/io/linesource.h"
#include "core/text/numbers.h"
#include "core/text/textcodec.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>

namespace corvane::core::importer {

namespace {

// A data line of the file as the program reads it: the key and the numbers up to the first
// token that does not begin with a digit.
struct FileDraw
{
    double key = 0;
    std::vector<double> numbers;
};

std::vector<FileDraw> readDataLines(std::string_view text)
{
    std::vector<FileDraw> draws;
    for (std::string_view line : splitLines(text)) {
        line = stripLeadingSpaces(line);
        if (line.empty() || !isDigit(line.front()))
            continue;
        FileDraw draw;
        bool first = true;
        while (!line.empty() && isDigit(line.front())) {
            const std::size_t space = line.find(' ');
            const double value = readNumber(line.substr(0, space));
            if (first)
                draw.key = value;
            else
                draw.numbers.push_back(value);
            first = false;
            if (space == std::string_view::npos)
                break;
            line = stripLeadingSpaces(line.substr(space));
        }
        draws.push_back(std::move(draw));
    }
    return draws;
}

bool sameNumbers(const std::vector<double>& file, const std::vector<std::int32_t>& source)
{
    if (file.size() != source.size())
        return false;
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i] != static_cast<double>(source[i]))
            return false;
    }
    return true;
}

std::string numbersText(const std::vector<std::int32_t>& numbers)
{
    std::string out;
    for (const std::int32_t n : numbers)
        out += (out.empty() ? "" : " ") + std::to_string(n);
    return out;
}

std::string withThousands(std::size_t value)
{
    std::string digits = std::to_string(value);
    for (std::size_t i = digits.size(); i > 3; i -= 3)
        digits.insert(i - 3, ",");
    return digits;
}

} // namespace

std::size_t sizeWithCrLf(std::string_view text)
{
    std::size_t size = text.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            ++size;
    }
    return size;
}

MergePlan planMerge(
    std::string_view existing, const std::vector<Draw>& draws, const std::string& fileName)
{
    MergePlan plan;
    const std::vector<FileDraw> fileDraws = readDataLines(existing);
    std::map<double, std::vector<const FileDraw*>> byDate;
    double last = 0;
    for (const FileDraw& draw : fileDraws) {
        byDate[draw.key].push_back(&draw);
        last = std::max(last, draw.key);
    }

    if (!fileDraws.empty() && !draws.empty()) {
        const std::size_t fileCount = fileDraws.back().numbers.size();
        const std::size_t sourceCount = draws.back().numbers.size();
        if (fileCount != sourceCount) {
            plan.error = "the source has " + std::to_string(sourceCount) + " numbers a draw and "
                + fileName + " has " + std::to_string(fileCount)
                + " (another lottery, or other draws of it?): nothing was written";
            return plan;
        }
    }

    // The draws of each date on or before the file's last draw must be the file's draws; the
    // draws are in date order, so the new ones are the tail from firstNew.
    std::size_t firstNew = draws.size();
    for (std::size_t i = 0; i < draws.size();) {
        std::size_t end = i;
        while (end < draws.size() && draws[end].date == draws[i].date)
            ++end;
        const auto date = static_cast<double>(draws[i].date);
        if (fileDraws.empty() || date > last) {
            if (firstNew == draws.size())
                firstNew = i;
        } else if (const auto found = byDate.find(date); found == byDate.end()) {
            plan.notInFile += end - i;
        } else {
            const std::vector<const FileDraw*>& have = found->second;
            bool same = have.size() == end - i;
            for (std::size_t k = 0; same && k < have.size(); ++k)
                same = sameNumbers(have[k]->numbers, draws[i + k].numbers);
            if (!same) {
                plan.error = "the draws of " + formatDate(draws[i].date)
                    + " differ: the source has \"" + numbersText(draws[i].numbers) + "\""
                    + (end - i > 1 ? " and more" : "") + ", and " + fileName
                    + " has other numbers or another count of draws that "
                      "day: nothing was written";
                return plan;
            }
            plan.agreeing += end - i;
        }
        i = end;
    }

    // Draws of the file's years that share no date with it are another lottery's, drawn on
    // other days of the week.
    if (plan.notInFile > 0 && plan.agreeing == 0) {
        plan.error = "none of the " + std::to_string(plan.notInFile)
            + " draws of the source up to the last draw of " + fileName
            + " falls on a date that it has a draw of (another lottery?): nothing was written";
        return plan;
    }
    if (!fileDraws.empty()) {
        const std::size_t fileCount = fileDraws.back().numbers.size();
        for (std::size_t k = firstNew; k < draws.size(); ++k) {
            const Draw& draw = draws[k];
            if (draw.numbers.size() != fileCount) {
                plan.error = "the draw of " + formatDate(draw.date) + " has "
                    + std::to_string(draw.numbers.size()) + " numbers and " + fileName + " has "
                    + std::to_string(fileCount) + " a draw: nothing was written";
                return plan;
            }
        }
    }
    if (firstNew == draws.size())
        return plan;

    const std::vector<Draw> lines(
        draws.begin() + static_cast<std::ptrdiff_t>(firstNew), draws.end());
    plan.text.reserve(existing.size() + lines.size() * 32 + 2);
    plan.text.assign(existing.data(), existing.size());
    if (!existing.empty() && existing.back() != '\n')
        plan.text += "\r\n";
    plan.text += formatHistory(lines);
    const std::size_t size = sizeWithCrLf(plan.text);
    if (size > TextCodec::kMaxBytes) {
        plan.error = fileName + " would grow to " + withThousands(size)
            + " characters, more than the " + withThousands(TextCodec::kMaxBytes)
            + " that Corvane opens: nothing was written";
        plan.text.clear();
        return plan;
    }
    plan.appended = lines.size();
    plan.firstAppended = lines.front().date;
    plan.lastAppended = lines.back().date;
    return plan;
}

MergeOutcome mergeIntoFile(const std::string& path, const std::vector<Draw>& draws)
{
    namespace fs = std::filesystem;
    MergeOutcome outcome;
    std::error_code error;
    const fs::file_status status = fs::status(fs::u8path(path), error);
    std::string existing;
    if (fs::exists(status)) {
        if (!fs::is_regular_file(status)) {
            outcome.error = path + " is not a data file: nothing was written";
            return outcome;
        }
        if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) {
            outcome.error = path + " is read-only: nothing was written";
            return outcome;
        }
        const std::uintmax_t size = fs::file_size(fs::u8path(path), error);
        if (!error && size > TextCodec::kMaxBytes) {
            outcome.error = path + " is already larger than the "
                + withThousands(TextCodec::kMaxBytes)
                + " characters that Corvane opens: nothing was written";
            return outcome;
        }
        std::optional<std::string> bytes = readWholeFile(path);
        if (!bytes) {
            outcome.error = path + " cannot be read: nothing was written";
            return outcome;
        }
        existing = std::move(*bytes);
    }
    outcome.plan = planMerge(existing, draws, path);
    if (!outcome.plan.error.empty()) {
        outcome.error = outcome.plan.error;
        return outcome;
    }
    if (outcome.plan.appended == 0)
        return outcome;
    if (!writeFileAtomically(path, outcome.plan.text)) {
        outcome.error = path + " could not be written; it was left as it was";
        return outcome;
    }
    outcome.written = true;
    return outcome;
}

} // namespace corvane::core::importer
