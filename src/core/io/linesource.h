#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::core {

/// The lines of a text, read as bytes. A line ends at LF; a CR right before that LF is not
/// part of the line, so CR LF and LF texts read the same. A last line without LF is a line. A
/// UTF-8 byte order mark at the start of the text is no part of the first line.
class LineSource
{
public:
    virtual ~LineSource() = default;

    /// Back to the first line; false when the text cannot be read again.
    virtual bool rewind() = 0;

    /// The next line, valid until the next call; false at the end or after a read error.
    virtual bool next(std::string_view& line) = 0;

    /// True once a read has failed.
    virtual bool failed() const = 0;
};

/// Opens a regular file for reading in binary mode. Returns null for an empty path, a missing
/// file, a directory or anything else that is not a regular file, and a file that cannot be
/// opened. The path is UTF-8 (on Windows it is opened through the wide-character API).
std::unique_ptr<LineSource> openLineFile(const std::string& path);

/// bytes without the UTF-8 byte order mark they may start with.
std::string_view withoutByteOrderMark(std::string_view bytes);

/// The lines of bytes split as a LineSource would split them, byte order mark left out.
std::vector<std::string_view> splitLines(std::string_view bytes);

/// The first count lines of a list kept in memory; the list must outlive the source.
class MemoryLines : public LineSource
{
public:
    MemoryLines(const std::vector<std::string_view>& lines, std::size_t count);

    bool rewind() override;
    bool next(std::string_view& line) override;
    bool failed() const override { return false; }

private:
    const std::vector<std::string_view>& m_lines;
    std::size_t m_count;
    std::size_t m_next = 0;
};

} // namespace corvane::core
