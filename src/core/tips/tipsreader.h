#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace corvane::core {

class Ui;

/// The message for a tips file that cannot be opened.
extern const char* const kNoTipsFileMessage;
/// The message for a position in the tips file that cannot be reached.
extern const char* const kTroubleReadingTipsMessage;

/// Reads the tip of the day from a plain text file of tips, one tip a line, and remembers where
/// it stopped. The file is read with the C library as text (CR LF reads as LF), a line at a
/// time in pieces of at most 999 characters. A line whose first character is a space, a tab, a line
/// end or ';' is no tip, nor is an empty piece (a NUL byte first); every other line is one tip, as
/// read, line end included. A UTF-8 byte order mark at the start of the file is no part of its
/// first line. At the end of the file the reading wraps to its start.
class TipsReader
{
public:
    /// What the profile remembers between runs.
    struct Stored
    {
        std::int64_t filePos = 0;
        std::string timeStamp;
    };

    /// Opens path and reads the first tip from the stored position, or from the start when the
    /// file's time stamp differs from the stored one. A position that cannot be reached shows
    /// kTroubleReadingTipsMessage through ui and leaves the tip empty.
    TipsReader(const std::string& path, const Stored& stored, Ui& ui);
    ~TipsReader();
    TipsReader(const TipsReader&) = delete;
    TipsReader& operator=(const TipsReader&) = delete;

    /// False when the tips file could not be opened.
    bool hasFile() const { return m_file != nullptr; }

    /// The tip read last; kNoTipsFileMessage when there is no file, empty when the file holds no
    /// tip at all.
    const std::string& tip() const { return m_tip; }

    /// True while the file has a tip to show next: false without a file, and once a whole pass
    /// over the file found no tip.
    bool canGoOn() const { return m_file != nullptr && !m_noTips; }

    /// Reads the next tip into tip(); a failed rewind shows kTroubleReadingTipsMessage. A file
    /// without any tip line ends the search after one pass and leaves the tip empty.
    void nexttip(Ui& ui);

    /// The file's time of last modification as ctime writes it, trailing white space removed;
    /// empty without a file.
    const std::string& timeStamp() const { return m_timeStamp; }

    /// True when the time stamp differs from the stored one: the caller stores timeStamp().
    bool timeStampChanged() const { return m_timeStampChanged; }

    /// The byte position just after the last tip read, to store when the dialog goes; nothing
    /// when there is no file.
    std::optional<std::int64_t> filePos() const;

private:
    std::FILE* m_file = nullptr;
    std::string m_tip;
    std::string m_timeStamp;
    bool m_timeStampChanged = false;
    bool m_noTips = false;
};

} // namespace corvane::core
