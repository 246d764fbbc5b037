// The importer on operators' own files (excerpts in tests/data/importer, with their expected
// data files) and on hand-made variants of each layout.
#include "core/importer/import.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace corvane::core::importer;
using corvane::test::readFile;
using corvane::test::testData;

constexpr DateKey kToday = 20261209;

ImportOptions options(std::string draw = {}, bool byDrawNumber = false)
{
    ImportOptions o;
    o.today = kToday;
    o.draw = std::move(draw);
    o.byDrawNumber = byDrawNumber;
    return o;
}

ImportResult importString(const std::string& text, const ImportOptions& o = options())
{
    return importText(text, o);
}

std::string history(const std::string& text, const ImportOptions& o = options())
{
    const ImportResult result = importString(text, o);
    EXPECT_TRUE(result.ok()) << result.error;
    return formatHistory(result.draws);
}

// --- Operators' files ---

TEST(ImportLayouts, operatorsFilesGiveTheirExpectedDataFiles)
{
    const struct
    {
        const char* source;
        const char* expected;
        const char* draw;
        bool byDrawNumber;
        const char* layout;
        std::size_t skipped;
    } cases[] = {
        {"ny-open-data-lotto.csv", "ny-open-data-lotto.txt", "", false, "New York", 0},
        {"ny-open-data-mega-millions.csv", "ny-open-data-mega-millions.txt", "", false, "New York",
            0},
        {"ny-open-data-powerball.csv", "ny-open-data-powerball.txt", "", false, "New York", 0},
        {"ny-take5.csv", "ny-take5.txt", "", false, "New York", 0},
        {"ny-numbers-win4.csv", "ny-numbers-daily.txt", "Daily", false, "New York", 0},
        {"ny-numbers-win4.csv", "ny-numbers-evening-win4.txt", "evening win 4", false, "New York",
            0},
        {"texas-lotto.csv", "texas-lotto.txt", "", false, "Texas", 0},
        {"tx-two-step.csv", "tx-two-step.txt", "", false, "Texas", 0},
        {"tx-pick3.csv", "tx-pick3.txt", "", false, "Texas", 2},
        {"hungary-otoslotto.csv", "hungary-otoslotto.txt", "", false, "Hungary", 0},
        {"hungary-keno.csv", "hungary-keno.txt", "", false, "Hungary", 5},
        {"mx-melate.csv", "mx-melate.txt", "", false, "Mexico", 0},
        {"mx-chispazo.csv", "mx-chispazo.txt", "", false, "Mexico", 0},
        {"mx-tris.csv", "mx-tris.txt", "", false, "Mexico", 0},
        {"ca-fantasy5.txt", "ca-fantasy5.txt", "", false, "California", 1},
        {"ca-daily3.txt", "ca-daily3.txt", "", false, "California", 0},
        {"ca-daily3.txt", "ca-daily3-by-draw-number.txt", "", true, "California", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        const ImportResult result = importResults(
            testData(std::string("importer/") + c.source), options(c.draw, c.byDrawNumber));
        ASSERT_TRUE(result.ok()) << result.error;
        EXPECT_NE(result.layout.find(c.layout), std::string::npos) << result.layout;
        EXPECT_EQ(formatHistory(result.draws),
            readFile(testData(std::string("importer/expected/") + c.expected)));
        EXPECT_EQ(result.skippedCount(), c.skipped) << skipSummary(result);
    }
}

TEST(ImportLayouts, skippedRowsAreCountedByReasonWithTheFirstLine)
{
    const ImportResult keno = importResults(testData("importer/hungary-keno.csv"), options());
    ASSERT_TRUE(keno.ok());
    EXPECT_EQ(keno.rows, 23u);
    EXPECT_EQ(skipSummary(keno),
        "Skipped 5 of 23 rows that could not be read:\n"
        "  5 without a date; the first is line 21: "
        "1996;12;;;4;7;10;13;15;16;17;19;22;28;36;38;39;44;50;51;52;5...\n");

    const ImportResult ca = importResults(testData("importer/ca-fantasy5.txt"), options());
    EXPECT_EQ(ca.skipped[static_cast<std::size_t>(SkipReason::NotARow)].firstLine, 61u);
    EXPECT_EQ(ca.skipped[static_cast<std::size_t>(SkipReason::NotARow)].firstText, "'");
}

TEST(ImportLayouts, newestFirstFilesWithSeveralDrawsADateAreNoted)
{
    const ImportResult plain = importResults(testData("importer/mx-tris.csv"), options());
    ASSERT_EQ(plain.notes.size(), 1u);
    EXPECT_NE(plain.notes[0].find("--by-draw-number"), std::string::npos);
    // Two draws of one row (Take 5's midday and evening) are in the layout's own order.
    EXPECT_TRUE(importResults(testData("importer/ny-take5.csv"), options()).notes.empty());
    EXPECT_TRUE(importResults(testData("importer/mx-tris.csv"), options({}, true)).notes.empty());
}

// --- Hand-made variants ---

const std::string kNyLotto = "Draw Date,Winning Numbers,Bonus #,Extra #\r\n"
                             "09/30/2020,08 13 25 38 41 48,42,\r\n"
                             "09/26/2020,14 19 20 23 55 57,22,07\r\n";
const std::string kNyLottoOut = "20200926 14 19 20 23 55 57 22\r\n20200930 8 13 25 38 41 48 42\r\n";

TEST(ImportLayouts, lineEndsByteOrderMarkQuotesAndTrailingLinesChangeNothing)
{
    const std::string variants[] = {
        kNyLotto,
        "\xEF\xBB\xBF" + kNyLotto,
        "Draw Date,Winning Numbers,Bonus #,Extra #\n09/30/2020,08 13 25 38 41 48,42,\n"
        "09/26/2020,14 19 20 23 55 57,22,07",
        "Draw Date,Winning Numbers,Bonus #,Extra #\r09/30/2020,08 13 25 38 41 48,42,\r"
        "09/26/2020,14 19 20 23 55 57,22,07\r",
        "\"Draw Date\",\"Winning Numbers\",\"Bonus #\",\"Extra #\"\r\n"
        "\"09/30/2020\",\"08 13 25 38 41 48\",\"42\",\"\"\r\n"
        "\"09/26/2020\",\" 14 19 20 23 55 57 \",\"22\",\"07\"\r\n",
        kNyLotto + "\r\n\r\n   \r\n",
        kNyLotto + ",,,\r\n",
    };
    for (const std::string& text : variants) {
        const ImportResult result = importString(text);
        ASSERT_TRUE(result.ok()) << result.error;
        EXPECT_EQ(formatHistory(result.draws), kNyLottoOut) << text;
        EXPECT_EQ(result.skippedCount(), 0u) << text;
    }
}

TEST(ImportLayouts, drawsOfOneDateKeepTheOrderOfTheirRows)
{
    const struct
    {
        std::string source;
        std::string out;
    } cases[] = {
        // Oldest first, newest first and unsorted: only the date moves a row.
        {"2020-01-01,1,2\n2020-01-02,3,4\n2020-01-02,5,6\n2020-01-03,7,8\n",
            "20200101 1 2\r\n20200102 3 4\r\n20200102 5 6\r\n20200103 7 8\r\n"},
        {"2020-01-03,7,8\n2020-01-02,3,4\n2020-01-02,5,6\n2020-01-01,1,2\n",
            "20200101 1 2\r\n20200102 3 4\r\n20200102 5 6\r\n20200103 7 8\r\n"},
        {"2020-01-02,5,6\n2020-01-03,7,8\n2020-01-01,1,2\n2020-01-02,3,4\n",
            "20200101 1 2\r\n20200102 5 6\r\n20200102 3 4\r\n20200103 7 8\r\n"},
        {"Draw Date,Winning Numbers\n01/02/2020,9 9\n01/01/2020,1 1\n01/02/2020,2 2\n",
            "20200101 1 1\r\n20200102 9 9\r\n20200102 2 2\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(history(c.source), c.out) << c.source;
}

TEST(ImportLayouts, newYorkColumnsOfTheDayArePickedWithDraw)
{
    const std::string take5 = "Draw Date,Evening Winning Numbers,Evening Bonus #,"
                              "Midday Winning Numbers,Midday Bonus #\n"
                              "1/2/2022,01 02 03 04 05,,06 07 08 09 10,\n"
                              "1/1/2022,11 12 13 14 15,16,,\n";
    EXPECT_EQ(history(take5),
        "20220101 11 12 13 14 15 16\r\n20220102 6 7 8 9 10\r\n20220102 1 2 3 4 5\r\n");
    EXPECT_EQ(
        history(take5, options("Evening")), "20220101 11 12 13 14 15 16\r\n20220102 1 2 3 4 5\r\n");
    const ImportResult midday = importString(take5, options("midday"));
    EXPECT_EQ(formatHistory(midday.draws), "20220102 6 7 8 9 10\r\n");
    EXPECT_EQ(midday.skipped[static_cast<std::size_t>(SkipReason::NoNumbers)].count, 1u);

    const std::string numbers = "Draw Date,Midday Daily #,Midday Daily Sum,Evening Daily #,"
                                "Evening Win 4 #,Evening Win 4 Sum\n"
                                "01/01/2020,7,7,084,20,2\n";
    EXPECT_EQ(history(numbers, options("Daily")), "20200101 0 0 7\r\n20200101 0 8 4\r\n");
    EXPECT_EQ(history(numbers, options("Win 4")), "20200101 0 0 2 0\r\n");

    const struct
    {
        std::string text;
        const char* draw;
        const char* error;
    } refused[] = {
        {numbers, "", "several games (Midday Daily, Evening Daily, Evening Win 4)"},
        {numbers, "Evening", "several games (Evening Daily, Evening Win 4)"},
        {numbers, "Night", "--draw \"Night\" names none of the file's draws"},
        {kNyLotto, "Evening", "--draw picks among several draws of a row"},
    };
    for (const auto& r : refused) {
        const ImportResult result = importString(r.text, options(r.draw));
        EXPECT_NE(result.error.find(r.error), std::string::npos) << result.error;
        EXPECT_TRUE(result.draws.empty());
    }
}

TEST(ImportLayouts, texasRowsGiveTheBallsOfTheirGame)
{
    const struct
    {
        std::string row;
        std::string out;
    } cases[] = {
        {"Lotto Texas,7,19,2000,9,28,35,51,53,54", "20000719 9 28 35 51 53 54\r\n"},
        {"Cash Five,10,13,1995,26,1,22,23,35", "19951013 26 1 22 23 35\r\n"},
        {"Powerball,1,14,2012,1,2,3,4,59,39,5", "20120114 1 2 3 4 59 39\r\n"},
        {"Powerball,1,18,2012,1,2,3,4,59,35", "20120118 1 2 3 4 59 35\r\n"},
        {"Mega Millions,4,4,2025,1,2,3,4,70,25,5", "20250404 1 2 3 4 70 25\r\n"},
        {"Daily 4 Day,9,9,2013,3,4,0,8,15,", "20130909 3 4 0 8\r\n"},
        {"Pick 3 Morning,9,9,2013,0,0,1,,9", "20130909 0 0 1\r\n"},
        {"Texas Triple Chance,1,2,2020,1,2,3,,", "20200102 1 2 3\r\n"},
        {"Texas Two Step,5,18,2001,9,10,13,22,1", "20010518 9 10 13 22 1\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(history(c.row + "\r\n"), c.out) << c.row;

    EXPECT_EQ(history("Game Name,Month,Day,Year,Num1,Num2,Num3,Num4,Num5,PB,Power Play\n"
                      "Powerball,10,7,2015,1,2,3,4,69,26,10\n"),
        "20151007 1 2 3 4 69 26\r\n");
    EXPECT_EQ(history("Lotto Texas,Month,Day,Year,A,B,C,D,E,F\n"
                      "Lotto Texas,11,14,1992,13,16,22,29,32,36\n"),
        "19921114 13 16 22 29 32 36\r\n");
    const ImportResult gap = importString("Texas Triple Chance,1,2,2020,1,,3\n"
                                          "Texas Triple Chance,1,3,2020,4,5,6\n");
    EXPECT_EQ(formatHistory(gap.draws), "20200103 4 5 6\r\n");
    EXPECT_EQ(gap.skipped[static_cast<std::size_t>(SkipReason::BadNumber)].count, 1u);
}

TEST(ImportLayouts, texasFirstRowWithABrokenDate_isSkippedNotTheFile)
{
    const std::string good = "Lotto Texas,11,18,1992,1,2,3,4,5,6\n"
                             "Lotto Texas,11,21,1992,7,8,9,10,11,12\n";
    for (const std::string first : {"Lotto Texas,2,30,1992,1,2,3,4,5,6",
             "Lotto Texas,11,14,92,1,2,3,4,5,6", "Lotto Texas,,,,1,2,3,4,5,6"}) {
        const ImportResult result = importString(first + "\n" + good);
        EXPECT_EQ(
            formatHistory(result.draws), "19921118 1 2 3 4 5 6\r\n19921121 7 8 9 10 11 12\r\n")
            << first;
        EXPECT_EQ(result.skipped[static_cast<std::size_t>(SkipReason::BadDate)].firstLine, 1u)
            << first;
    }
}

TEST(ImportLayouts, genericFilesReadEveryDateFormOfTheList)
{
    const struct
    {
        std::string date;
        const char* key;
    } cases[] = {
        {"2020-03-04", "20200304"},
        {"20200304", "20200304"},
        {"2020/03/04", "20200304"},
        {"2020.03.04.", "20200304"},
        {"2020.3.4", "20200304"},
        {"04.03.2020", "20200304"},
        {"4.3.2020.", "20200304"},
        {"2020-03-04 00:00:00", "20200304"},
        {"2020-03-04T00:00:00.000", "20200304"},
        {"04-Mar-2020", "20200304"},
    };
    for (const auto& c : cases) {
        for (const char separator : {',', ';', '\t'}) {
            std::string text = "Date" + std::string(1, separator) + "N1" + separator + "N2\n";
            text += c.date + separator + "05" + separator + "17\n";
            EXPECT_EQ(history(text), std::string(c.key) + " 5 17\r\n") << text;
        }
    }
}

TEST(ImportLayouts, genericSlashedDatesAreSettledOnceForTheWholeFile)
{
    EXPECT_EQ(history("03/04/2020,1\n13/04/2020,2\n"), "20200403 1\r\n20200413 2\r\n");
    EXPECT_EQ(history("03/04/2020,1\n04/13/2020,2\n"), "20200304 1\r\n20200413 2\r\n");
    // The same day and month either way needs no settling.
    EXPECT_EQ(history("01/01/2020,1\n02/02/2020,2\n"), "20200101 1\r\n20200202 2\r\n");

    const struct
    {
        std::string text;
        const char* error;
    } refused[] = {
        {"03/04/2020,1\n05/06/2020,2\n", "can be read as dd/mm/yyyy or as mm/dd/yyyy (line 1"},
        {"13/04/2020,1\n04/13/2020,2\n", "both day first (line 1) and month first (line 2)"},
    };
    for (const auto& r : refused) {
        const ImportResult result = importString(r.text);
        EXPECT_NE(result.error.find(r.error), std::string::npos) << result.error;
    }
}

TEST(ImportLayouts, genericHeadersLeaveOutColumnsThatHoldNoBall)
{
    const struct
    {
        std::string text;
        std::string out;
    } cases[] = {
        {"Draw,Date,Ball 1,Ball 2,Bonus,Jackpot,Multiplier\n12,2020-01-01,3,4,5,1000000,2\n",
            "20200101 3 4 5\r\n"},
        {"drawNumber,drawDate,nextDrawDate,ball1,ball2,bonusBall,div1Winners,div1Payout\n"
         "2488,2024/11/06,2024/11/09,43,32,16,0,0\n",
            "20241106 43 32 16\r\n"},
        {"PRODUCT,DRAW NUMBER,SEQUENCE NUMBER,DRAW DATE,NUMBER DRAWN 1,NUMBER DRAWN 2,BONUS "
         "NUMBER\n649,1,0,1982-06-12,3,11,7\n",
            "19820612 3 11 7\r\n"},
        {"Draw,Date,Winning Number 1,2,Additional Number ,From Last,Odd,1-10\n"
         "3766,19/5/2022,5,8,31,\"21,46\",3,2\n",
            "20220519 5 8 31\r\n"},
        {"draw_date,ball1,ball2,ball3,fb\n1988-05-04,6,0,7,\n", "19880504 6 0 7\r\n"},
        // No header: every column but the date holds numbers; a text column holds none.
        {"609,20051018,39,9\n", "20051018 609 39 9\r\n"},
        {"Lotto,2020-01-01,1,2\n", "20200101 1 2\r\n"},
        // Prizes in "$1,234.00" are no numbers.
        {"Format: Draw Number, Draw Date (yyyymmdd), Winning Number 1, 2, Division 1, 2\n"
         "\"609\",\"20051018\",\"39\",\"9\",\"$0.00\",\"$15,781.85\"\n",
            "20051018 39 9\r\n"},
        // Numbers as one field separated by spaces, a title line above the header.
        {"Results of the lottery\nDate;Numbers\n2020-01-01;1 2 3\n", "20200101 1 2 3\r\n"},
        // ... or by '|'.
        {"date,white_balls,red_ball,multiplier\n10/17/2015,18|30|40|48|52,9,3X\n",
            "20151017 18 30 40 48 52 9\r\n"},
        // Counts of winners with the division run into the name; a draw number as "period".
        {"draw_date,ball1,ball2,bonus,gpwinners,millionairs\n2024-11-09,29,49,31,0,1\n",
            "20241109 29 49 31\r\n"},
        {"period,drawDate,n1,n2\n113000040,2024-04-02,24,27\n", "20240402 24 27\r\n"},
        // A jackpot that reads as yyyymmdd is not the date; a date under "Draw" is.
        {"Jackpot,draw_date,n1\n20010315,2020-01-01,5\n", "20200101 5\r\n"},
        {"Draw,N1,N2\n2020-01-01,5,6\n", "20200101 5 6\r\n"},
        // The date written again in parts is no ball, with or without a header; a ball that
        // is the day in some rows only is a ball.
        {"10,13,1995,1995-10-13,26,1,22\n10,17,1995,1995-10-17,9,18,30\n",
            "19951013 26 1 22\r\n19951017 9 18 30\r\n"},
        {"Month,Day,Year,Date,N1,N2\n3,14,2020,03/14/2020,14,3\n3,18,2020,03/18/2020,3,18\n",
            "20200314 14 3\r\n20200318 3 18\r\n"},
        {"2020;06.01.2020;6;1;9\n2020;07.01.2020;7;2;9\n", "20200106 1 9\r\n20200107 2 9\r\n"},
        {"2020-01-05,5,1\n2020-01-06,6,1\n", "20200105 5 1\r\n20200106 6 1\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(history(c.text), c.out) << c.text;

    // Jackpots where the date is in no known form: one of them reads as yyyymmdd.
    for (const char* text : {"Jackpot,N1\n20010315,5\n",
             "DrawNo,DD,MMM,YYYY,N1,Jackpot\n1974,21,Aug,2026,10,42251861\n"
             "1973,18,Aug,2026,3,31920526\n1972,14,Aug,2026,8,14543500\n"}) {
        const ImportResult refused = importString(text);
        EXPECT_NE(refused.error.find("holds a date in a known form"), std::string::npos)
            << refused.error;
    }
}

TEST(ImportLayouts, byDrawNumberOrdersTheDrawsOfADateByTheirNumbers)
{
    const std::string text = "Draw Number,Date,N1\n8,2020-01-02,3\n7,2020-01-02,2\n"
                             "6,2020-01-01,1\n";
    EXPECT_EQ(history(text), "20200101 1\r\n20200102 3\r\n20200102 2\r\n");
    EXPECT_EQ(history(text, options({}, true)), "20200101 1\r\n20200102 2\r\n20200102 3\r\n");
    const ImportResult none = importString("Date,N1\n2020-01-01,1\n", options({}, true));
    EXPECT_NE(none.error.find("--by-draw-number needs draw numbers"), std::string::npos);
}

} // namespace
