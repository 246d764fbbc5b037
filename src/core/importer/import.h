#pragma once

#include "core/importer/dates.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane::core::importer {

/// One draw read from an operator's file.
struct Draw
{
    DateKey date = 0;
    /// The numbers in the order the data file gets them.
    std::vector<std::int32_t> numbers;
    /// The operator's draw number where the layout has one.
    std::optional<std::int64_t> drawNumber;
    /// The line of the source it came from, from 1.
    std::size_t line = 0;
};

/// Why a row of the source was skipped.
enum class SkipReason : std::uint8_t {
    NoDate,
    BadDate,
    BadNumber,
    NoNumbers,
    TooFewNumbers,
    TooManyNumbers,
    NotARow,
};
constexpr std::size_t kSkipReasons = 7;

/// The text a summary gives for a reason: "without a date", "with a date that is no real day" …
const char* skipReasonText(SkipReason reason);

/// The rows skipped for one reason.
struct SkippedRows
{
    std::size_t count = 0;
    std::size_t firstLine = 0;
    /// The first such line, cut short when long.
    std::string firstText;
};

/// What to import and how.
struct ImportOptions
{
    /// Today's date: a draw after it is refused. Pass todayKey() outside tests.
    DateKey today = 0;
    /// Picks the draws of some columns of a file that holds several draws a row (New York's
    /// "Midday …" and "Evening …" columns): the words of the columns' common name, such as
    /// "Evening" or "Midday Win 4". Empty: every draw of the row.
    std::string draw;
    /// Only draws from this date on, and up to this date (inclusive); 0 for no bound.
    DateKey from = 0;
    DateKey to = 0;
    /// Draws of one date in the order of the operator's draw numbers, not of the rows.
    bool byDrawNumber = false;
};

/// The largest source the importer reads; a larger one is refused before it is read.
constexpr std::uint64_t kMaxSourceBytes = 64u * 1024u * 1024u;
/// The most numbers a data-file line holds after its date.
constexpr std::size_t kMaxDrawNumbers = 49;

/// The outcome of an import.
struct ImportResult
{
    /// Empty on success; otherwise why nothing was imported.
    std::string error;
    /// The layout recognised ("New York State open data" …); empty when none was.
    std::string layout;
    /// The draws, sorted by date; draws of one date in the order of the source's rows (or of
    /// their draw numbers with ImportOptions::byDrawNumber).
    std::vector<Draw> draws;
    /// Rows of the source that held a draw or should have (not blank lines, titles, headers).
    std::size_t rows = 0;
    std::array<SkippedRows, kSkipReasons> skipped {};
    /// Draws left out because they fall outside ImportOptions::from / to.
    std::size_t outsidePeriod = 0;
    /// Remarks for the user that do not stop the import.
    std::vector<std::string> notes;

    bool ok() const { return error.empty(); }
    std::size_t skippedCount() const;
};

/// Reads an operator's results file at path (UTF-8) and converts it. The layout is recognised
/// from the file itself. Never throws; every refusal comes back as ImportResult::error.
ImportResult importResults(const std::string& path, const ImportOptions& options);

/// The same for a file's bytes in memory (for tests and fuzzing).
ImportResult importText(std::string_view bytes, const ImportOptions& options);

/// The data-file lines of draws: "yyyymmdd n1 n2 …" each, single spaces, CR LF.
std::string formatHistory(const std::vector<Draw>& draws);

/// What standard error gets about skipped rows and left-out draws; empty when nothing was.
/// One line a reason: how many rows, why, and the first such line with its number.
std::string skipSummary(const ImportResult& result);

} // namespace corvane::core::importer
