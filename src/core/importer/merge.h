#pragma once

#include "core/importer/import.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::core::importer {

/// What merging imported draws into a data file would do.
struct MergePlan
{
    /// Why nothing may be written; empty when the merge may go ahead.
    std::string error;
    /// The file's new bytes: its old bytes unchanged, then the new draws. Empty when nothing is
    /// new.
    std::string text;
    /// Draws dated after the file's last draw, appended.
    std::size_t appended = 0;
    DateKey firstAppended = 0;
    DateKey lastAppended = 0;
    /// Draws the file has already, with the same numbers.
    std::size_t agreeing = 0;
    /// Draws dated before the file's last draw on dates the file has no draw of; not added.
    std::size_t notInFile = 0;
};

/// Plans the merge of draws (sorted by date) into a data file's bytes. The draws dated after the
/// file's last draw are appended, each a CR LF line; every draw on a date the file has must agree
/// with the file's draws of that date, in number and order, or nothing is written and the error
/// names the first date that disagrees. The file's numbers per draw are those of its last draw:
/// a source whose newest draw has another count is refused, and so is an appended draw with
/// another count, and a source with draws up to the file's last draw none of which falls on a
/// date of the file (another lottery, drawn on other days). The file's own lines stay byte for
/// byte. A result that the program could not open (more than TextCodec::kMaxBytes once every
/// line end is CR LF) is refused. fileName names the file in messages.
MergePlan planMerge(
    std::string_view existing, const std::vector<Draw>& draws, const std::string& fileName);

/// The outcome of merging into a file on disk.
struct MergeOutcome
{
    std::string error;
    MergePlan plan;
    /// True when the file was written (some draw was new).
    bool written = false;
};

/// Merges into the data file at path (created when missing): reads it, plans the merge and
/// replaces it through the atomic writer when a draw is new. A read-only file, a folder or a file
/// too large to open is refused; nothing is written on any error.
MergeOutcome mergeIntoFile(const std::string& path, const std::vector<Draw>& draws);

/// The size of text once every LF that is not already after a CR is written CR LF.
std::size_t sizeWithCrLf(std::string_view text);

} // namespace corvane::core::importer
