// The importer's reading of fields and dates, and what it refuses.
#include "core/importer/cells.h"
#include "core/importer/dates.h"
#include "core/importer/import.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using namespace corvane::core::importer;
using corvane::test::TempDir;

ImportOptions todayIs(DateKey today)
{
    ImportOptions o;
    o.today = today;
    return o;
}

TEST(ImportInput, dateFieldsAreReadInTheListedFormsOnly)
{
    const struct
    {
        const char* text;
        bool read;
        DateOrder order;
        int year, first, second;
    } cases[] = {
        {"2025-08-29", true, DateOrder::YearMonthDay, 2025, 8, 29},
        {"2025.08.29.", true, DateOrder::YearMonthDay, 2025, 8, 29},
        {"20250829", true, DateOrder::YearMonthDay, 2025, 8, 29},
        {"9/24/2020", true, DateOrder::Slashed, 2020, 9, 24},
        {"24.09.2020", true, DateOrder::DayMonthYear, 2020, 24, 9},
        {"24-SEP-2020", true, DateOrder::DayMonthYear, 2020, 24, 9},
        {" 2020-9-4 ", true, DateOrder::YearMonthDay, 2020, 9, 4},
        {"09/24/2020 12:00:00 AM", true, DateOrder::Slashed, 2020, 9, 24},
        // A number of eight digits is a date only when it is a real one.
        {"20250230", false, {}, 0, 0, 0},
        {"12345678", false, {}, 0, 0, 0},
        {"2020-01/02", false, {}, 0, 0, 0},
        {"24-09-2020", false, {}, 0, 0, 0},
        {"2020-01-02x", false, {}, 0, 0, 0},
        {"2020-01-02 and more", false, {}, 0, 0, 0},
        {"24/09/20", false, {}, 0, 0, 0},
        {"Tue. Jun 16, 2020", false, {}, 0, 0, 0},
        {"", false, {}, 0, 0, 0},
        {"17", false, {}, 0, 0, 0},
        {"24-Sepx-2020", false, {}, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const auto field = parseDateField(c.text);
        ASSERT_EQ(field.has_value(), c.read) << c.text;
        if (!field)
            continue;
        EXPECT_EQ(field->order, c.order) << c.text;
        EXPECT_EQ(field->year, c.year) << c.text;
        EXPECT_EQ(field->first, c.first) << c.text;
        EXPECT_EQ(field->second, c.second) << c.text;
    }
}

TEST(ImportInput, onlyRealDaysResolve)
{
    EXPECT_EQ(resolveDate({DateOrder::YearMonthDay, 2024, 2, 29}, false), 20240229);
    EXPECT_EQ(resolveDate({DateOrder::YearMonthDay, 2023, 2, 29}, false), std::nullopt);
    EXPECT_EQ(resolveDate({DateOrder::YearMonthDay, 1900, 2, 29}, false), std::nullopt);
    EXPECT_EQ(resolveDate({DateOrder::YearMonthDay, 2000, 2, 29}, false), 20000229);
    EXPECT_EQ(resolveDate({DateOrder::YearMonthDay, 2020, 4, 31}, false), std::nullopt);
    EXPECT_EQ(resolveDate({DateOrder::YearMonthDay, 1899, 12, 31}, false), std::nullopt);
    EXPECT_EQ(resolveDate({DateOrder::Slashed, 2020, 3, 4}, false), 20200304);
    EXPECT_EQ(resolveDate({DateOrder::Slashed, 2020, 3, 4}, true), 20200403);
    EXPECT_EQ(resolveDate({DateOrder::DayMonthYear, 2020, 3, 4}, false), 20200403);
    EXPECT_EQ(parseDateArgument("2015-10-07"), 20151007);
    EXPECT_EQ(parseDateArgument("20151007"), 20151007);
    EXPECT_EQ(parseDateArgument("10/07/2015"), std::nullopt);
    EXPECT_EQ(parseDateArgument("2015-02-30"), std::nullopt);
}

TEST(ImportInput, fieldsAreSplitWithQuotesAndBlanks)
{
    const struct
    {
        const char* line;
        char separator;
        std::vector<std::string> fields;
    } cases[] = {
        {"a,b,,c", ',', {"a", "b", "", "c"}},
        {" a , b ", ',', {"a", "b"}},
        {"\"1,2\",3", ',', {"1,2", "3"}},
        {"\"say \"\"x\"\"\",3", ',', {"say \"\"x\"\"", "3"}},
        {"\"open,3", ',', {"open,3"}},
        {"\"a\"junk,b", ',', {"a", "b"}},
        {"a\t b\t", '\t', {"a", "b", ""}},
        {"1;2,5;3", ';', {"1", "2,5", "3"}},
        {"", ',', {""}},
    };
    std::vector<std::string_view> fields;
    for (const auto& c : cases) {
        splitFields(c.line, c.separator, fields);
        EXPECT_EQ(std::vector<std::string>(fields.begin(), fields.end()), c.fields) << c.line;
    }
}

TEST(ImportInput, numbersArePlainWholeNumbers)
{
    EXPECT_EQ(parseWhole("07"), 7);
    EXPECT_EQ(parseWhole("999999999"), 999999999);
    for (const char* bad : {"", "-1", "+1", "1.0", "1e3", "1234567890", "12 ", "x"})
        EXPECT_EQ(parseWhole(bad), std::nullopt) << bad;
    std::vector<std::int32_t> out {9};
    EXPECT_TRUE(appendNumbers("  14 19  20 ", out));
    EXPECT_EQ(out, (std::vector<std::int32_t> {9, 14, 19, 20}));
    EXPECT_FALSE(appendNumbers("14 x 20", out));
    EXPECT_FALSE(appendNumbers("   ", out));
    EXPECT_EQ(out.size(), 4u);
}

TEST(ImportInput, columnNamesThatHoldNoBall)
{
    for (const char* name : {"Draw", "Draw #", "Draw Number", "drawNumber", "DrawNo", "CONCURSO",
             "SORTEO", "#", "No", "Jackpot", "BOLSA", "Multiplier", "Megaplier", "Power Play",
             "Extra #", "div1Payout", "div1Winners", "Sum It Up", "FIREBALL", "fb", "Week", "Day",
             "Game Name", "NPRODUCTO", "Ball Set", "Machine", "From Last", "Odd", "1-10",
             "nextDrawDate", "Multiplicador", "\xE6\x9C\x9F\xE5\x88\xA5"})
        EXPECT_TRUE(isNoBallName(name)) << name;
    for (const char* name : {"Ball 1", "ball1", "N1", "R7", "Nr12", "Bonus #", "BonusBall",
             "Mega Ball", "Powerball", "Thunderball", "NUMBER DRAWN 1", "BONUS NUMBER",
             "Winning Number 1", "2", "Additional Number ", "Supplementary 1", "special", "",
             "Winning Draw Numbers", "Draw Ball 1"})
        EXPECT_FALSE(isNoBallName(name)) << name;
}

TEST(ImportInput, utf8IsCheckedStrictly)
{
    EXPECT_TRUE(isUtf8("Year;Week;D\xC3\xA1tum"));
    EXPECT_TRUE(isUtf8("\xF0\x9F\x8E\xB2"));
    for (const char* bad :
        {"\xC9v;H\xE9t", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82", "\x80"})
        EXPECT_FALSE(isUtf8(bad)) << bad;
}

TEST(ImportInput, badInputIsRefusedWithAMessage)
{
    const struct
    {
        std::string bytes;
        const char* error;
    } cases[] = {
        {"", "the file is empty (0 bytes)"},
        {"\n\n  \r\n", "no line that is not blank"},
        {"<!DOCTYPE html>\n<html><body>Service unavailable</body></html>\n", "a web page"},
        {"\xEF\xBB\xBF  <html>\n", "a web page"},
        {std::string("PK\x03\x04\x14\x00\x06\x00", 8), "no text file (line 1 holds control"},
        {std::string("2020-01-01,1\n2020-01-02,\0", 25), "line 2 holds control bytes"},
        {std::string("\xFF\xFE"
                     "D\0a\0",
             6),
            "UTF-16"},
        {"\xC9v;H\xE9t;D\xE1tum;Nr1\n2020.01.01.;1\n", "line 1 holds bytes that are not UTF-8"},
        {"Year;Week;Date;Nr1\n2020;1;2020.01.01.;1\n2020;2;2027.01.01.;1\n",
            "line 3 has the date 2027-01-01, which is after today (2026-12-09)"},
        {"just some words\nand more words\n", "not separated by commas, semicolons or tabs"},
        {"a,b\nc,d\n", "holds a date in a known form"},
        {"2020-01-01,x\n2020-01-02,y\n", "not one row of the file could be read as a draw"},
        {"Draw Date,Winning Numbers\n01/01/2020,\n", "not one row of the file could be read"},
    };
    for (const auto& c : cases) {
        const ImportResult result = importText(c.bytes, todayIs(20261209));
        EXPECT_NE(result.error.find(c.error), std::string::npos) << result.error;
        EXPECT_TRUE(result.draws.empty());
    }
    // Today itself is no future.
    EXPECT_TRUE(importText("2026-12-09,1\n", todayIs(20261209)).ok());
}

TEST(ImportInput, filesAreRefusedBeforeTheyAreRead)
{
    TempDir dir;
    const std::string big = dir.file("big.csv");
    dir.write("big.csv", "2020-01-01,1,2\n");
    std::filesystem::resize_file(std::filesystem::u8path(big), 200u * 1024u * 1024u);
    const struct
    {
        std::string path;
        const char* error;
    } cases[] = {
        {big, "larger than 64 MiB"},
        {dir.write("empty.csv", ""), "the file is empty (0 bytes)"},
        {dir.file("missing.csv"), "there is no such file"},
        {dir.path(), "not a file that can be read"},
    };
    for (const auto& c : cases) {
        const ImportResult result = importResults(c.path, todayIs(20261209));
        EXPECT_EQ(result.error.rfind(c.path + ": ", 0), 0u) << result.error;
        EXPECT_NE(result.error.find(c.error), std::string::npos) << result.error;
    }
}

TEST(ImportInput, rowsThatCannotBeReadAreSkippedAndCounted)
{
    std::string fifty = "2020-01-06";
    for (int i = 1; i <= 50; ++i)
        fifty += "," + std::to_string(i);
    const ImportResult result = importText("Date,N1,N2\n"
                                           "2020-01-01,1,2\n"
                                           ",3,4\n"
                                           "2020-02-30,5,6\n"
                                           "2020-01-02,7,x\n"
                                           "2020-01-03,,\n"
                                           "2020-01-04,8,9\n"
            + fifty + "\n",
        todayIs(20261209));
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(formatHistory(result.draws), "20200101 1 2\r\n20200104 8 9\r\n");
    EXPECT_EQ(result.rows, 7u);
    EXPECT_EQ(skipSummary(result),
        "Skipped 5 of 7 rows that could not be read:\n"
        "  1 without a date; the first is line 3: ,3,4\n"
        "  1 with a date that cannot be read or is no real day; the first is line 4: "
        "2020-02-30,5,6\n"
        "  1 with a number that cannot be read; the first is line 5: 2020-01-02,7,x\n"
        "  1 without numbers; the first is line 6: 2020-01-03,,\n"
        "  1 with more than 49 numbers; the first is line 8: "
        "2020-01-06,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,2...\n");
}

TEST(ImportInput, aPeriodLeavesOutTheDrawsOutsideIt)
{
    const std::string text = "2020-01-01,1\n2020-01-02,2\n2020-01-03,3\n2020-01-04,4\n";
    ImportOptions o = todayIs(20261209);
    o.from = 20200102;
    o.to = 20200103;
    const ImportResult result = importText(text, o);
    EXPECT_EQ(formatHistory(result.draws), "20200102 2\r\n20200103 3\r\n");
    EXPECT_EQ(result.outsidePeriod, 2u);
    EXPECT_EQ(skipSummary(result), "Left out 2 draws outside the period of --from and --to.\n");
    o.from = 20210101;
    o.to = 0;
    EXPECT_NE(importText(text, o).error.find("no draw of the file lies in the period"),
        std::string::npos);
}

} // namespace
