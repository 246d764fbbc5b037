#include "core/text/textcodec.h"

#include <array>

namespace corvane::core {

namespace {

void appendBreak(std::string& out, LineBreak kind)
{
    switch (kind) {
    case LineBreak::CrLf:
        out += "\r\n";
        break;
    case LineBreak::Lf:
        out += '\n';
        break;
    case LineBreak::Cr:
        out += '\r';
        break;
    }
}

} // namespace

void TextCodec::add(LineBreak kind)
{
    if (!m_runs.empty() && m_runs.back().kind == kind)
        ++m_runs.back().count;
    else
        m_runs.push_back({kind, 1});
}

void TextCodec::remember(std::string_view bytes)
{
    m_runs.clear();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                add(LineBreak::CrLf);
                ++i;
            } else {
                add(LineBreak::Cr);
            }
        } else if (bytes[i] == '\n') {
            add(LineBreak::Lf);
        }
    }
    std::array<std::size_t, 3> counts {};
    for (const Run& run : m_runs)
        counts[static_cast<std::size_t>(run.kind)] += run.count;
    m_dominant = LineBreak::CrLf;
    for (const LineBreak kind : {LineBreak::Lf, LineBreak::Cr}) {
        if (counts[static_cast<std::size_t>(kind)] > counts[static_cast<std::size_t>(m_dominant)])
            m_dominant = kind;
    }
}

std::u16string TextCodec::decode(std::string_view bytes)
{
    remember(bytes);
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            text += u'\n';
        } else if (byte == 0) {
            text += kNulSymbol;
        } else {
            text += static_cast<char16_t>(byte);
        }
    }
    return text;
}

std::string TextCodec::encode(std::u16string_view editorText, bool edited) const
{
    std::string bytes;
    bytes.reserve(editorText.size() + editorText.size() / 16);
    std::size_t run = 0;
    std::size_t usedOfRun = 0;
    for (const char16_t c : editorText) {
        if (isEditorBreak(c)) {
            // Lines beyond those of the file (which only edited text has) take the dominant
            // break as well.
            LineBreak kind = m_dominant;
            if (!edited && run < m_runs.size()) {
                kind = m_runs[run].kind;
                if (++usedOfRun == m_runs[run].count) {
                    ++run;
                    usedOfRun = 0;
                }
            }
            appendBreak(bytes, kind);
        } else if (c == kNulSymbol) {
            bytes += '\0';
        } else if (c <= 0xFF) {
            bytes += static_cast<char>(static_cast<unsigned char>(c));
        } else {
            bytes += static_cast<char>(kReplacement);
        }
    }
    return bytes;
}

std::size_t TextCodec::editedSize(std::size_t characters, std::size_t lineBreaks) const
{
    return characters + (m_dominant == LineBreak::CrLf ? lineBreaks : 0);
}

std::u16string TextCodec::insertable(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out += u'\n';
        } else if (isEditorBreak(c)) {
            out += u'\n';
        } else if (c == 0) {
            out += kNulSymbol;
        } else if (c <= 0xFF || c == kNulSymbol) {
            out += c;
        } else {
            // A character beyond U+FFFF is a pair of units, and still one character.
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00
                && text[i + 1] <= 0xDFFF)
                ++i;
            out += kReplacement;
        }
    }
    return out;
}

} // namespace corvane::core
