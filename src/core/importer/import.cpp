#include "core/importer/import.h"

#include "core/importer/cells.h"
#include "core/importer/layouts.h"
#include "core/io/files.h"
#include "core/io/linesource.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

namespace corvane::core::importer {

namespace {

// The first non-blank lines that the layouts look at to recognise a file.
constexpr std::size_t kSampleLines = 40;

// Tab, line and form feeds, CR and the old end-of-file mark turn up in text files; the other
// control characters do not.
constexpr std::uint32_t kTextControls
    = (1u << '\t') | (1u << '\n') | (1u << '\v') | (1u << '\f') | (1u << '\r') | (1u << 0x1A);

bool isControlByte(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 && (kTextControls & (1u << u)) == 0;
}

bool isBlankLine(std::string_view line)
{
    return std::all_of(line.begin(), line.end(),
        [](char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v' || c == 0x1A; });
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// Walks the lines of a source. LF and CR LF end a line, and so does a lone CR inside one (files
// saved by old Mac programs); the source has left out a byte order mark. visit(line, number)
// returns false to stop. False on a read error.
template<class Visit>
bool walk(LineSource& source, Visit visit)
{
    if (!source.rewind())
        return false;
    std::string_view line;
    std::size_t number = 0;
    while (source.next(line)) {
        for (;;) {
            const std::size_t cr = line.find('\r');
            if (!visit(line.substr(0, cr), ++number))
                return true;
            if (cr == std::string_view::npos)
                break;
            line.remove_prefix(cr + 1);
        }
    }
    return !source.failed();
}

std::string lineText(std::size_t number)
{
    return "line " + std::to_string(number);
}

// True when more neighbouring draws go back in time than forward, in the order of the file.
bool newestFirst(const std::vector<Draw>& draws)
{
    std::size_t ascending = 0, descending = 0;
    for (std::size_t i = 1; i < draws.size(); ++i) {
        if (draws[i].date > draws[i - 1].date)
            ++ascending;
        else if (draws[i].date < draws[i - 1].date)
            ++descending;
    }
    return descending > ascending;
}

// Newest-first files with several draws a date are the one case where keeping the rows' order
// within a date puts a later draw first; the user should hear of it. draws are sorted by date.
void noteNewestFirst(ImportResult& result, const Layout& layout)
{
    // Draws of one row come in the layout's own order; only rows of the same date count.
    std::size_t shared = 0;
    for (std::size_t i = 0; i < result.draws.size();) {
        std::size_t end = i + 1;
        bool rows = false;
        for (; end < result.draws.size() && result.draws[end].date == result.draws[i].date; ++end)
            rows = rows || result.draws[end].line != result.draws[i].line;
        shared += rows ? 1 : 0;
        i = end;
    }
    if (shared == 0)
        return;
    std::string note = "the file lists its draws newest first, and " + std::to_string(shared)
        + (shared == 1 ? " date has" : " dates have")
        + " several draws: those keep the file's order, so the later draw of such a date comes "
          "first";
    if (layout.hasDrawNumbers())
        note += " (--by-draw-number puts them in the order of their draw numbers)";
    result.notes.push_back(note);
}

void sortDraws(std::vector<Draw>& draws, bool byDrawNumber)
{
    if (byDrawNumber) {
        std::stable_sort(draws.begin(), draws.end(), [](const Draw& a, const Draw& b) {
            if (a.date != b.date)
                return a.date < b.date;
            return a.drawNumber.value_or(-1) < b.drawNumber.value_or(-1);
        });
        return;
    }
    const auto earlier = [](const Draw& a, const Draw& b) { return a.date < b.date; };
    if (std::is_sorted(draws.begin(), draws.end(), earlier))
        return;
    // Most files run newest first: turned round, and each date's draws turned back, they are
    // what a stable sort gives, without its copy of every draw.
    if (std::is_sorted(draws.rbegin(), draws.rend(), earlier)) {
        std::reverse(draws.begin(), draws.end());
        for (auto first = draws.begin(); first != draws.end();) {
            const auto end = std::find_if(
                first, draws.end(), [&](const Draw& draw) { return draw.date != first->date; });
            std::reverse(first, end);
            first = end;
        }
        return;
    }
    std::stable_sort(draws.begin(), draws.end(), earlier);
}

ImportResult importFrom(LineSource& source, const std::string& name, const ImportOptions& options)
{
    ImportResult result;
    const auto fail = [&](const std::string& why) {
        result.error = name + ": " + why;
        result.draws.clear();
        return result;
    };

    // First pass: what no layout can read, and the first lines to recognise the layout by.
    std::vector<SampleLine> sample;
    std::uint64_t bytes = 0;
    std::size_t lines = 0;
    std::string refusal;
    const bool whole = walk(source, [&](std::string_view line, std::size_t number) {
        bytes += line.size() + 1;
        lines = number;
        if (bytes > kMaxSourceBytes + 1) {
            refusal = "the file is larger than 64 MiB, far more than any results file: it is not "
                      "read";
            return false;
        }
        if (number == 1 && (startsWith(line, "\xFF\xFE") || startsWith(line, "\xFE\xFF"))) {
            refusal = "the file is UTF-16 text: save it as UTF-8 (or plain text) and import that";
            return false;
        }
        if (std::any_of(line.begin(), line.end(), isControlByte)) {
            refusal = "the file is no text file (" + lineText(number)
                + " holds control bytes such as NUL): download the results as CSV or text";
            return false;
        }
        if (sample.size() < kSampleLines && !isBlankLine(line))
            sample.push_back({std::string(line), number});
        return true;
    });
    if (!refusal.empty())
        return fail(refusal);
    if (!whole)
        return fail("the file could not be read to its end");
    if (sample.empty())
        return fail("the file holds no draw: it has no line that is not blank");
    if (trimBlanks(sample.front().text).substr(0, 1) == "<") {
        return fail("the file is a web page, not a results file (" + lineText(sample.front().number)
            + " begins with \"<\"): download the results file itself");
    }
    const auto notUtf8 = [&](const SampleLine& line) {
        return "the file is not UTF-8 text (" + lineText(line.number)
            + " holds bytes that are not UTF-8, perhaps Windows-1252): save it as UTF-8";
    };
    if (hasLetter(sample.front().text) && !isUtf8(sample.front().text))
        return fail(notUtf8(sample.front()));

    Recognised recognised = recognise(sample, options);
    if (!recognised.layout)
        return fail(recognised.error);
    Layout& layout = *recognised.layout;
    result.layout = layout.name();
    for (const SampleLine& line : sample) {
        if (line.number <= layout.headerLine && !isUtf8(line.text))
            return fail(notUtf8(line));
    }
    if (!options.draw.empty() && !layout.hasDrawChoice()) {
        return fail("--draw picks among several draws of a row, and this file (" + layout.name()
            + ") has one draw a row");
    }
    const auto isRow = [&](std::string_view line, std::size_t number) {
        return number > layout.headerLine && !isBlankLine(line);
    };
    if (layout.needsSurvey()) {
        const bool surveyed = walk(source, [&](std::string_view line, std::size_t number) {
            if (isRow(line, number))
                layout.survey(line, number);
            return true;
        });
        if (!surveyed)
            return fail("the file could not be read to its end");
        const std::string why = layout.settle();
        if (!why.empty())
            return fail(why);
    }

    // A generic file knows its draw-number column only once it has been surveyed.
    if (options.byDrawNumber && !layout.hasDrawNumbers())
        return fail(
            "--by-draw-number needs draw numbers, and this file (" + layout.name() + ") has none");

    result.draws.reserve(lines);
    Rows rows(result);
    const bool read = walk(source, [&](std::string_view line, std::size_t number) {
        if (isRow(line, number))
            layout.read(line, number, rows);
        return true;
    });
    if (!read)
        return fail("the file could not be read to its end");

    const bool descending = newestFirst(result.draws);
    sortDraws(result.draws, options.byDrawNumber);
    if (descending && !options.byDrawNumber)
        noteNewestFirst(result, layout);

    if (options.today != 0) {
        const Draw* future = nullptr;
        for (const Draw& draw : result.draws) {
            if (draw.date > options.today && (!future || draw.line < future->line))
                future = &draw;
        }
        if (future) {
            return fail(lineText(future->line) + " has the date " + formatDate(future->date)
                + ", which is after today (" + formatDate(options.today)
                + "): a results file holds only draws that took place");
        }
    }
    if (options.from != 0 || options.to != 0) {
        const auto outside = [&](const Draw& draw) {
            return (options.from != 0 && draw.date < options.from)
                || (options.to != 0 && draw.date > options.to);
        };
        const auto kept = std::stable_partition(result.draws.begin(), result.draws.end(),
            [&](const Draw& draw) { return !outside(draw); });
        result.outsidePeriod = static_cast<std::size_t>(result.draws.end() - kept);
        result.draws.erase(kept, result.draws.end());
        if (result.draws.empty() && result.outsidePeriod > 0)
            return fail("no draw of the file lies in the period given with --from and --to");
    }
    if (result.draws.empty())
        return fail("not one row of the file could be read as a draw (" + layout.name() + ")");
    return result;
}

} // namespace

const char* skipReasonText(SkipReason reason)
{
    switch (reason) {
    case SkipReason::NoDate:
        return "without a date";
    case SkipReason::BadDate:
        return "with a date that cannot be read or is no real day";
    case SkipReason::BadNumber:
        return "with a number that cannot be read";
    case SkipReason::NoNumbers:
        return "without numbers";
    case SkipReason::TooFewNumbers:
        return "with fewer numbers than the game draws";
    case SkipReason::TooManyNumbers:
        return "with more than 49 numbers";
    case SkipReason::NotARow:
        return "that are no row of this layout";
    }
    return "";
}

std::size_t ImportResult::skippedCount() const
{
    std::size_t total = 0;
    for (const SkippedRows& rows : skipped)
        total += rows.count;
    return total;
}

ImportResult importResults(const std::string& path, const ImportOptions& options)
{
    namespace fs = std::filesystem;
    ImportResult result;
    std::error_code error;
    const fs::path where = fs::u8path(path);
    if (!fs::is_regular_file(where, error)) {
        result.error = path
            + (fs::exists(where, error) ? ": this is not a file that can be read"
                                        : ": there is no such file");
        return result;
    }
    const std::uintmax_t size = fs::file_size(where, error);
    if (!error && size == 0) {
        result.error = path + ": the file is empty (0 bytes)";
        return result;
    }
    if (!error && size > kMaxSourceBytes) {
        result.error = path
            + ": the file is larger than 64 MiB, far more than any results file: "
              "it is not read";
        return result;
    }
    const std::unique_ptr<LineSource> source = openLineFile(path);
    if (!source) {
        result.error = path + ": the file cannot be opened";
        return result;
    }
    return importFrom(*source, path, options);
}

ImportResult importText(std::string_view bytes, const ImportOptions& options)
{
    const std::string name = "the source";
    if (bytes.empty()) {
        ImportResult result;
        result.error = name + ": the file is empty (0 bytes)";
        return result;
    }
    const std::vector<std::string_view> lines = splitLines(bytes);
    MemoryLines source(lines, lines.size());
    return importFrom(source, name, options);
}

std::string formatHistory(const std::vector<Draw>& draws)
{
    const auto digits = [](std::int64_t value) {
        std::size_t count = 1;
        for (; value >= 10; value /= 10)
            ++count;
        return count;
    };
    // Measured first and written in place: a long history is one allocation, no more.
    std::size_t size = 0;
    for (const Draw& draw : draws) {
        size += digits(draw.date) + 2;
        for (const std::int32_t number : draw.numbers)
            size += 1 + digits(number);
    }
    std::string out(size, ' ');
    char* at = out.data();
    char* const last = out.data() + out.size();
    for (const Draw& draw : draws) {
        at = std::to_chars(at, last, draw.date).ptr;
        for (const std::int32_t number : draw.numbers)
            at = std::to_chars(at + 1, last, number).ptr;
        *at++ = '\r';
        *at++ = '\n';
    }
    return out;
}

std::string skipSummary(const ImportResult& result)
{
    std::string out;
    const std::size_t skipped = result.skippedCount();
    if (skipped > 0) {
        out += "Skipped " + std::to_string(skipped) + " of " + std::to_string(result.rows)
            + (result.rows == 1 ? " row" : " rows") + " that could not be read:\n";
        for (std::size_t i = 0; i < kSkipReasons; ++i) {
            const SkippedRows& rows = result.skipped[i];
            if (rows.count == 0)
                continue;
            out += "  " + std::to_string(rows.count) + ' '
                + skipReasonText(static_cast<SkipReason>(i)) + "; the first is line "
                + std::to_string(rows.firstLine) + ": " + rows.firstText + '\n';
        }
    }
    if (result.outsidePeriod > 0) {
        out += "Left out " + std::to_string(result.outsidePeriod)
            + " draws outside the period of --from and --to.\n";
    }
    for (const std::string& note : result.notes)
        out += "Note: " + note + ".\n";
    return out;
}

} // namespace corvane::core::importer
