#include "core/tips/tipsreader.h"

#include "recording_ui.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <string>

namespace {

using corvane::core::kNoTipsFileMessage;
using corvane::core::kTroubleReadingTipsMessage;
using corvane::core::TipsReader;
using corvane::test::RecordingUi;
using corvane::test::TempDir;

const char* const kFiveLines = ";comment\n\nFirst tip\n begins with a space\nSecond tip\n";

// Moves the file's modification time by seconds, as a new save of it would.
void touch(const std::string& path, int seconds)
{
    namespace fs = std::filesystem;
    fs::last_write_time(
        fs::u8path(path), fs::last_write_time(fs::u8path(path)) + std::chrono::seconds(seconds));
}

TEST(Tips, showsTheTipLinesInTurnAndWraps)
{
    TempDir dir;
    const std::string path = dir.write("tips.txt", kFiveLines);
    RecordingUi ui;
    TipsReader tips(path, {}, ui);
    ASSERT_TRUE(tips.hasFile());
    EXPECT_EQ(tips.tip(), "First tip\n");
    tips.nexttip(ui);
    EXPECT_EQ(tips.tip(), "Second tip\n");
    tips.nexttip(ui);
    EXPECT_EQ(tips.tip(), "First tip\n");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(tips.canGoOn());
}

TEST(Tips, theNextOpeningContinuesWhereTheLastStopped)
{
    TempDir dir;
    const std::string path = dir.write("tips.txt", kFiveLines);
    RecordingUi ui;
    TipsReader::Stored stored;
    {
        TipsReader first(path, stored, ui);
        EXPECT_TRUE(first.timeStampChanged());
        stored.timeStamp = first.timeStamp();
        stored.filePos = *first.filePos();
    }
    EXPECT_EQ(stored.filePos, 20) << "just after the first tip";
    TipsReader second(path, stored, ui);
    EXPECT_FALSE(second.timeStampChanged());
    EXPECT_EQ(second.tip(), "Second tip\n");

    touch(path, 60);
    TipsReader afterSave(path, stored, ui);
    EXPECT_TRUE(afterSave.timeStampChanged());
    EXPECT_EQ(afterSave.tip(), "First tip\n") << "a file saved anew starts from its first tip";
    EXPECT_TRUE(ui.messages.empty());
}

TEST(Tips, crLfLineEndsReadAsLf)
{
    TempDir dir;
    RecordingUi ui;
    TipsReader tips(dir.write("tips.txt", "; windows\r\n\r\nOne\r\nTwo\r\n"), {}, ui);
    EXPECT_EQ(tips.tip(), "One\n");
    EXPECT_EQ(*tips.filePos(), 18);
    tips.nexttip(ui);
    EXPECT_EQ(tips.tip(), "Two\n");
}

TEST(Tips, aByteOrderMarkIsNoPartOfTheFirstLine)
{
    struct Case
    {
        std::string text;
        std::string first;
        std::string second;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF; comment\nFirst\nSecond\n", "First\n", "Second\n"},
        {"\xEF\xBB\xBF"
         "First\r\nSecond\r\n",
            "First\n", "Second\n"},
        // Only at the start of the file: elsewhere the bytes are text like any other.
        {"First\n\xEF\xBB\xBF;x\n", "First\n", "\xEF\xBB\xBF;x\n"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        RecordingUi ui;
        TipsReader tips(dir.write("tips.txt", c.text), {}, ui);
        EXPECT_EQ(tips.tip(), c.first) << c.text;
        tips.nexttip(ui);
        EXPECT_EQ(tips.tip(), c.second) << c.text;
        tips.nexttip(ui);
        EXPECT_EQ(tips.tip(), c.first) << "the mark is passed over again after the wrap";
    }
}

TEST(Tips, aLongLineIsReadIn999CharacterPieces)
{
    TempDir dir;
    const std::string line(1200, 'x');
    const std::string path = dir.write("tips.txt", line + "\nlast\n");
    RecordingUi ui;
    TipsReader tips(path, {}, ui);
    EXPECT_EQ(tips.tip(), std::string(999, 'x'));
    tips.nexttip(ui);
    EXPECT_EQ(tips.tip(), std::string(201, 'x') + "\n");
    tips.nexttip(ui);
    EXPECT_EQ(tips.tip(), "last\n");
}

TEST(Tips, aMissingFileGivesItsMessageAsTheTip)
{
    TempDir dir;
    RecordingUi ui;
    TipsReader tips(dir.file("tips.txt"), {5, "stamp"}, ui);
    EXPECT_FALSE(tips.hasFile());
    EXPECT_FALSE(tips.canGoOn());
    EXPECT_EQ(tips.tip(), kNoTipsFileMessage);
    EXPECT_FALSE(tips.filePos()) << "nothing to store";
    EXPECT_FALSE(tips.timeStampChanged());
    tips.nexttip(ui);
    EXPECT_EQ(tips.tip(), kNoTipsFileMessage);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(Tips, aFileWithoutTipsEndsTheSearchAfterOnePass)
{
    const std::string files[] = {"", ";only\n;comments\n\n \tindented\n", "\r\n\r\n; x\r\n",
        "\xEF\xBB\xBF", "\xEF\xBB\xBF\n; marked\n", std::string("\0\n\0x\n", 5)};
    for (const std::string& text : files) {
        TempDir dir;
        const std::string path = dir.write("tips.txt", text);
        RecordingUi ui;
        TipsReader tips(path, {}, ui);
        EXPECT_TRUE(tips.hasFile());
        EXPECT_EQ(tips.tip(), "");
        EXPECT_FALSE(tips.canGoOn());
        tips.nexttip(ui);
        EXPECT_EQ(tips.tip(), "");
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST(Tips, aPositionThatCannotBeReachedIsTroubleReading)
{
    TempDir dir;
    const std::string path = dir.write("tips.txt", kFiveLines);
    std::string stamp;
    {
        RecordingUi ui;
        stamp = TipsReader(path, {}, ui).timeStamp();
    }
    for (const std::int64_t pos :
        {std::int64_t {-1}, std::int64_t {1000}, std::int64_t {1} << 40}) {
        RecordingUi ui;
        TipsReader tips(path, {pos, stamp}, ui);
        ASSERT_EQ(ui.messages.size(), 1u) << pos;
        EXPECT_EQ(ui.messages[0], kTroubleReadingTipsMessage);
        EXPECT_EQ(tips.tip(), "");
        tips.nexttip(ui);
        EXPECT_EQ(tips.tip(), "First tip\n") << "the reading goes on from the start";
    }
}

TEST(Tips, theTimeStampIsCtimeWithoutTrailingWhiteSpace)
{
    TempDir dir;
    RecordingUi ui;
    TipsReader tips(dir.write("tips.txt", "tip\n"), {}, ui);
    EXPECT_TRUE(std::regex_match(tips.timeStamp(),
        std::regex("[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-3][0-9] "
                   "[0-2][0-9]:[0-5][0-9]:[0-6][0-9] [0-9]{4}")))
        << tips.timeStamp();
}

} // namespace
