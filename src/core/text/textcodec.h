#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::core {

/// How a line of a file ends.
enum class LineBreak : std::uint8_t { CrLf, Lf, Cr };

/// Turns the bytes of a data file into the text an editor shows, and the editor's text back
/// into bytes, so that a file opened and saved unedited keeps every byte.
///
/// The editor's text is UTF-16 with one character per byte of the file: bytes 0x01-0xFF are
/// the Latin-1 characters of the same code, NUL shows as U+2400 (the symbol for null), and
/// every line break of the file (CR LF, LF, or a lone CR) is one '\n'. On the way back '\n',
/// U+2028 and U+2029 (what editors give back between lines) are all line breaks.
///
/// The codec keeps only how each line of the last file read or saved ended, as runs of equal
/// line breaks: never the text.
class TextCodec
{
public:
    /// The most bytes a file may have to be opened, and an edited text once saved.
    static constexpr std::size_t kMaxBytes = 1048575;
    /// How the editor shows a NUL byte.
    static constexpr char16_t kNulSymbol = 0x2400;
    /// What a character that a single-byte file cannot hold becomes.
    static constexpr char16_t kReplacement = u'?';

    /// A new document: no lines yet, and CR LF for the lines it gets.
    TextCodec() = default;

    /// The editor's text for bytes; remembers the file's line breaks for encode.
    std::u16string decode(std::string_view bytes);

    /// Remembers the line breaks of bytes, as after saving them.
    void remember(std::string_view bytes);

    /// The bytes to save for editorText. Unedited (the text decode gave, with its line breaks
    /// in any of the three editor forms) it gives back exactly the bytes decode read. Edited,
    /// every line break is written in dominantBreak(). A character above U+00FF other than
    /// U+2400 cannot be in a single-byte file and is written as '?'.
    std::string encode(std::u16string_view editorText, bool edited) const;

    /// The line break most lines of the file end with; CR LF on a tie with it, for a file of a
    /// single line and for a new document; LF before CR on a tie between those two.
    LineBreak dominantBreak() const { return m_dominant; }

    /// The size in bytes of an edited text once saved, given its characters (each line break
    /// counted as one) and how many of them are line breaks.
    std::size_t editedSize(std::size_t characters, std::size_t lineBreaks) const;

    /// text as it may be inserted into the editor: CR LF, CR, U+2028 and U+2029 become '\n',
    /// NUL becomes U+2400, and every other character above U+00FF (a surrogate pair counting as
    /// one) becomes '?'.
    static std::u16string insertable(std::u16string_view text);

    /// True for the characters an editor may hand back as a line break.
    static bool isEditorBreak(char16_t c) { return c == u'\n' || c == 0x2028 || c == 0x2029; }

private:
    struct Run
    {
        LineBreak kind;
        std::size_t count;
    };

    void add(LineBreak kind);

    std::vector<Run> m_runs;
    LineBreak m_dominant = LineBreak::CrLf;
};

} // namespace corvane::core
