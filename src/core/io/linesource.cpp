#include "core/io/linesource.h"

#include "core/io/files.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace corvane::core {

namespace {

std::string_view withoutCr(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

class FileLines : public LineSource
{
public:
    explicit FileLines(std::FILE* file)
        : m_file(file)
    { }
    ~FileLines() override { std::fclose(m_file); }

    bool rewind() override
    {
        m_pos = m_len = 0;
        m_eof = false;
        m_pending.clear();
        m_pendingOut = false;
        m_atStart = true;
        std::clearerr(m_file);
        return std::fseek(m_file, 0, SEEK_SET) == 0;
    }

    bool next(std::string_view& line) override
    {
        if (!nextLine(line))
            return false;
        if (m_atStart)
            line = withoutByteOrderMark(line);
        m_atStart = false;
        return true;
    }

    bool failed() const override { return m_failed; }

private:
    bool nextLine(std::string_view& line)
    {
        if (m_pendingOut) {
            m_pending.clear();
            m_pendingOut = false;
        }
        for (;;) {
            if (m_pos < m_len) {
                const char* start = m_buffer + m_pos;
                const auto* lf = static_cast<const char*>(std::memchr(start, '\n', m_len - m_pos));
                if (lf) {
                    const auto n = static_cast<std::size_t>(lf - start);
                    m_pos += n + 1;
                    if (m_pending.empty()) {
                        line = withoutCr(std::string_view(start, n));
                    } else {
                        m_pending.append(start, n);
                        m_pendingOut = true;
                        line = withoutCr(m_pending);
                    }
                    return true;
                }
                m_pending.append(start, m_len - m_pos);
                m_pos = m_len;
            }
            if (m_eof) {
                if (m_pending.empty())
                    return false;
                m_pendingOut = true;
                line = m_pending; // no LF, so a CR at its end stays
                return true;
            }
            m_len = std::fread(m_buffer, 1, sizeof m_buffer, m_file);
            m_pos = 0;
            if (m_len == 0) {
                m_eof = true;
                if (std::ferror(m_file)) {
                    m_failed = true;
                    m_pending.clear();
                    return false;
                }
            }
        }
    }

    std::FILE* m_file;
    char m_buffer[1 << 16];
    std::size_t m_pos = 0;
    std::size_t m_len = 0;
    bool m_eof = false;
    bool m_failed = false;
    std::string m_pending;
    bool m_pendingOut = false;
    bool m_atStart = true;
};

} // namespace

// Editors on Windows may start a UTF-8 file with a byte order mark; it is no part of the first
// line, which would otherwise not read as a draw.
std::string_view withoutByteOrderMark(std::string_view bytes)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    return bytes;
}

std::unique_ptr<LineSource> openLineFile(const std::string& path)
{
    if (!isRegularFile(path))
        return nullptr;
    std::FILE* file = openFile(path, "rb");
    if (!file)
        return nullptr;
    return std::make_unique<FileLines>(file);
}

std::vector<std::string_view> splitLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t lf = bytes.find('\n', pos);
        if (lf == std::string_view::npos) {
            lines.push_back(bytes.substr(pos));
            break;
        }
        lines.push_back(withoutCr(bytes.substr(pos, lf - pos)));
        pos = lf + 1;
    }
    if (!lines.empty())
        lines.front() = withoutByteOrderMark(lines.front());
    return lines;
}

MemoryLines::MemoryLines(const std::vector<std::string_view>& lines, std::size_t count)
    : m_lines(lines)
    , m_count(std::min(count, lines.size()))
{ }

bool MemoryLines::rewind()
{
    m_next = 0;
    return true;
}

bool MemoryLines::next(std::string_view& line)
{
    if (m_next >= m_count)
        return false;
    line = m_lines[m_next++];
    return true;
}

} // namespace corvane::core
