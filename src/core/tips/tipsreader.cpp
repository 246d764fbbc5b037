#include "core/tips/tipsreader.h"

#include "core/io/files.h"
#include "core/ui/ui.h"

#include <cctype>
#include <climits>
#include <cstring>
#include <ctime>
#include <sys/stat.h>

namespace corvane::core {

const char* const kNoTipsFileMessage = "Tips file does not exist in the prescribed directory";
const char* const kTroubleReadingTipsMessage = "Trouble reading the tips file";

namespace {

std::optional<std::time_t> modificationTime(std::FILE* file)
{
#ifdef _WIN32
    struct _stat64 status;
    if (_fstat64(_fileno(file), &status) != 0)
        return std::nullopt;
#else
    struct stat status;
    if (fstat(fileno(file), &status) != 0)
        return std::nullopt;
#endif
    return static_cast<std::time_t>(status.st_mtime);
}

std::string ctimeText(std::time_t time)
{
    const char* text = std::ctime(&time);
    std::string out = text ? text : "";
    while (!out.empty() && std::isspace(static_cast<unsigned char>(out.back())))
        out.pop_back();
    return out;
}

const char* const kByteOrderMark = "\xEF\xBB\xBF";

bool isNoTip(char first)
{
    return first == ' ' || first == '\t' || first == '\n' || first == '\r' || first == ';';
}

std::int64_t fileSize(std::FILE* file)
{
    const long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    const long size = std::ftell(file);
    std::fseek(file, here, SEEK_SET);
    return size;
}

} // namespace

TipsReader::TipsReader(const std::string& path, const Stored& stored, Ui& ui)
{
    // Binary mode with CR LF read as LF, as text mode reads it on Windows: ftell then gives the
    // true byte position on every platform, which text mode does not for LF-only files there.
    m_file = isRegularFile(path) ? openFile(path, "rb") : nullptr;
    if (!m_file) {
        m_tip = kNoTipsFileMessage;
        return;
    }
    std::int64_t pos = stored.filePos;
    if (const auto time = modificationTime(m_file))
        m_timeStamp = ctimeText(*time);
    if (m_timeStamp != stored.timeStamp) {
        pos = 0;
        m_timeStampChanged = true;
    }
    // A position past the end of the file (it changed under the same time stamp) cannot be
    // reached any more than a negative one.
    const std::int64_t size = fileSize(m_file);
    if (pos < 0 || pos > size || pos > LONG_MAX
        || std::fseek(m_file, static_cast<long>(pos), SEEK_SET) != 0) {
        std::fseek(m_file, 0, SEEK_SET);
        ui.messageBox(kTroubleReadingTipsMessage);
        return;
    }
    nexttip(ui);
}

TipsReader::~TipsReader()
{
    if (m_file)
        std::fclose(m_file);
}

void TipsReader::nexttip(Ui& ui)
{
    if (!m_file || m_noTips)
        return;
    bool fromStart = std::ftell(m_file) == 0;
    char buffer[1000];
    for (;;) {
        const long here = std::ftell(m_file);
        if (!std::fgets(buffer, sizeof buffer, m_file)) {
            if (fromStart) {
                // A whole pass found no tip: there is none to show.
                m_noTips = true;
                m_tip.clear();
                return;
            }
            std::clearerr(m_file);
            if (std::fseek(m_file, 0, SEEK_SET) != 0) {
                ui.messageBox(kTroubleReadingTipsMessage);
                return;
            }
            fromStart = true;
            continue;
        }
        // Editors that save UTF-8 may put a byte order mark before the first line; it is no
        // part of the line, or a first comment line would show as a tip.
        const char* line = buffer;
        if (here == 0 && std::strncmp(buffer, kByteOrderMark, 3) == 0)
            line += 3;
        if (*line != '\0' && !isNoTip(*line)) {
            m_tip = line;
            if (m_tip.size() >= 2 && m_tip.compare(m_tip.size() - 2, 2, "\r\n") == 0)
                m_tip.replace(m_tip.size() - 2, 2, "\n");
            return;
        }
    }
}

std::optional<std::int64_t> TipsReader::filePos() const
{
    if (!m_file)
        return std::nullopt;
    return static_cast<std::int64_t>(std::ftell(m_file));
}

} // namespace corvane::core
