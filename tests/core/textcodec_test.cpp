#include "core/text/textcodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using corvane::core::LineBreak;
using corvane::core::TextCodec;

std::string allBytes()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

// What an editor hands back: each '\n' of the decoded text as U+2029, as QTextDocument does.
std::u16string asEditorGivesBack(std::u16string text)
{
    for (char16_t& c : text) {
        if (c == u'\n')
            c = 0x2029;
    }
    return text;
}

struct TrickyFile
{
    const char* name;
    std::string bytes;
    std::u16string shown;
    LineBreak dominant;
    std::string editedBack; // encode(decode(bytes), edited) with the same text
};

class TrickyFiles : public ::testing::TestWithParam<TrickyFile>
{
};

TEST_P(TrickyFiles, uneditedRoundTripKeepsEveryByte)
{
    TextCodec codec;
    const std::u16string shown = codec.decode(GetParam().bytes);
    EXPECT_EQ(shown, GetParam().shown);
    EXPECT_EQ(codec.encode(shown, false), GetParam().bytes);
    EXPECT_EQ(codec.encode(asEditorGivesBack(shown), false), GetParam().bytes);
    EXPECT_EQ(codec.dominantBreak(), GetParam().dominant);
}

TEST_P(TrickyFiles, editedTextUsesDominantBreakEverywhere)
{
    TextCodec codec;
    const std::u16string shown = codec.decode(GetParam().bytes);
    EXPECT_EQ(codec.encode(asEditorGivesBack(shown), true), GetParam().editedBack);
}

INSTANTIATE_TEST_SUITE_P(Files, TrickyFiles,
    ::testing::Values(TrickyFile {"empty", "", u"", LineBreak::CrLf, ""},
        TrickyFile {"noLineEnd", "20020101 1 2", u"20020101 1 2", LineBreak::CrLf, "20020101 1 2"},
        TrickyFile {"crlf", "a\r\nb\r\n", u"a\nb\n", LineBreak::CrLf, "a\r\nb\r\n"},
        TrickyFile {"lf", "a\nb\n", u"a\nb\n", LineBreak::Lf, "a\nb\n"},
        TrickyFile {"loneCr", "a\rb", u"a\nb", LineBreak::Cr, "a\rb"},
        TrickyFile {"mixedMostlyLf", "a\r\nb\nc\nd", u"a\nb\nc\nd", LineBreak::Lf, "a\nb\nc\nd"},
        TrickyFile {"mixedMostlyCrLf", "a\r\nb\nc\r\nd", u"a\nb\nc\nd", LineBreak::CrLf,
            "a\r\nb\r\nc\r\nd"},
        TrickyFile {"tieLfCrLf", "a\nb\r\n", u"a\nb\n", LineBreak::CrLf, "a\r\nb\r\n"},
        TrickyFile {"tieLfCr", "a\nb\r", u"a\nb\n", LineBreak::Lf, "a\nb\n"},
        TrickyFile {"crCrLf", "a\r\r\nb", u"a\n\nb", LineBreak::CrLf, "a\r\n\r\nb"},
        TrickyFile {"lfCr", "a\n\rb", u"a\n\nb", LineBreak::Lf, "a\n\nb"},
        TrickyFile {"onlyBreaks", "\r\n\r\n\n", u"\n\n\n", LineBreak::CrLf, "\r\n\r\n\r\n"},
        TrickyFile {"trailingCr", "a\r\n\r", u"a\n\n", LineBreak::CrLf, "a\r\n\r\n"},
        TrickyFile {"latin1High", "\x80\xa0\xe9\xff", u"\u0080\u00a0\u00e9\u00ff", LineBreak::CrLf,
            "\x80\xa0\xe9\xff"},
        TrickyFile {"tabs", "1\t2 \t3", u"1\t2 \t3", LineBreak::CrLf, "1\t2 \t3"},
        TrickyFile {"nul", std::string("a\0b\0", 4), u"a\u2400b\u2400", LineBreak::CrLf,
            std::string("a\0b\0", 4)},
        TrickyFile {
            "utf8BytesStayBytes", "\xc3\xa9", u"\u00c3\u00a9", LineBreak::CrLf, "\xc3\xa9"}),
    [](const ::testing::TestParamInfo<TrickyFile>& info) { return info.param.name; });

TEST(TextCodec, everyByteValueRoundTrips)
{
    const std::string bytes = allBytes() + allBytes() + "\r\r\n\n\r";
    TextCodec codec;
    const std::u16string shown = codec.decode(bytes);
    EXPECT_EQ(codec.encode(asEditorGivesBack(shown), false), bytes);
}

TEST(TextCodec, uneditedTextWithMoreLinesThanTheFile_givesNewLinesTheDominantBreak)
{
    TextCodec codec;
    codec.decode("a\nb\r\nc\n");
    EXPECT_EQ(codec.encode(u"a\nb\nc\nd\ne", false), "a\nb\r\nc\nd\ne");
}

TEST(TextCodec, newDocument_writesCrLf)
{
    TextCodec codec;
    EXPECT_EQ(codec.dominantBreak(), LineBreak::CrLf);
    EXPECT_EQ(codec.encode(u"1\u20292\n3\u2028", true), "1\r\n2\r\n3\r\n");
}

TEST(TextCodec, rememberAfterSave_replacesTheFilesBreaks)
{
    TextCodec codec;
    codec.decode("a\rb\nc\n");
    const std::string saved = codec.encode(u"a\nb\nc\n", true);
    EXPECT_EQ(saved, "a\nb\nc\n");
    codec.remember(saved);
    EXPECT_EQ(codec.encode(u"a\nb\nc\n", false), "a\nb\nc\n");
}

TEST(TextCodec, charactersAFileCannotHold_areWrittenAsQuestionMarks)
{
    TextCodec codec;
    EXPECT_EQ(codec.encode(u"\u20ac1\u4e2d\u00ff", false), "?1?\xff");
}

TEST(TextCodec, editedSize_countsTheBreaksOfTheDominantStyle)
{
    TextCodec crlf;
    EXPECT_EQ(crlf.editedSize(10, 3), 13u);
    TextCodec lf;
    lf.decode("a\nb\n");
    EXPECT_EQ(lf.editedSize(10, 3), 10u);
}

TEST(TextCodec, insertable_mapsWhatASingleByteFileCannotHold)
{
    struct Case
    {
        std::u16string typed;
        std::u16string inserted;
    };
    const std::vector<Case> cases {
        {u"123 abc", u"123 abc"},
        {u"\u00e9\u00a0\t\u00ff", u"\u00e9\u00a0\t\u00ff"},
        {u"\u20ac", u"?"},
        {u"a\U0001F600b", u"a?b"},
        {u"\xd800", u"?"},
        {u"a\r\nb\rc\u2028d\u2029e\nf", u"a\nb\nc\nd\ne\nf"},
        {std::u16string(u"x\0y", 3), u"x\u2400y"},
        {u"\u2400", u"\u2400"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextCodec::insertable(c.typed), c.inserted);
}

} // namespace
