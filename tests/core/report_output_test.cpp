#include "core/analysis/format.h"
#include "core/analysis/html_report.h"
#include "core/analysis/report.h"
#include "core/analysis/text_report.h"
#include "core/io/linesource.h"

#include "cli_run.h"
#include "recording_ui.h"
#include "report_support.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using namespace corvane::core;
using corvane::test::RecordingUi;
using corvane::test::TempDir;

// --- numbers and names in the three forms ---

TEST(ReportFormat, numbersReadTheSameInEveryForm)
{
    EXPECT_EQ(fixedText(0.73469, 4), "0.7347");
    EXPECT_EQ(fixedText(-0.0001, 2), "0.00");
    EXPECT_EQ(signedText(1.234, 2), "+1.23");
    EXPECT_EQ(signedText(-0.4, 2), "-0.40");
    EXPECT_EQ(chanceText(0.18894632), "0.1889");
    EXPECT_EQ(chanceText(3.2e-9), "3.2e-09");
    EXPECT_EQ(chanceText(0), "0");
    for (const double value : {0.1889463274381734, 1e-300, 48.0, -2.5, 123456.789})
        EXPECT_EQ(std::strtod(jsonNumber(value).c_str(), nullptr), value) << value;
    EXPECT_EQ(jsonNumber(NAN), "null");
    EXPECT_EQ(jsonNumber(INFINITY), "null");
}

TEST(ReportFormat, textsAreEscapedAndBrokenUtf8Replaced)
{
    const struct
    {
        const char* text;
        const char* json;
        const char* html;
    } cases[] = {
        {"plain", "\"plain\"", "plain"},
        {"a \"b\" \\ c", "\"a \\\"b\\\" \\\\ c\"", "a &quot;b&quot; \\ c"},
        {"<script>&'", "\"<script>&'\"", "&lt;script&gt;&amp;&#39;"},
        {"line\nend\x01", "\"line\\nend\\u0001\"", "line\nend\xEF\xBF\xBD"},
        {"caf\xC3\xA9", "\"caf\xC3\xA9\"", "caf\xC3\xA9"},
        {"bad \xE9 byte", "\"bad \xEF\xBF\xBD byte\"", "bad \xEF\xBF\xBD byte"},
        {"cut \xE2\x82", "\"cut \xEF\xBF\xBD\xEF\xBF\xBD\"", "cut \xEF\xBF\xBD\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(jsonString(c.text), c.json) << c.text;
        EXPECT_EQ(htmlText(c.text), c.html) << c.text;
    }
}

// --- the report of a made-up history in its three forms ---

const Report& madeUpReport()
{
    static const Report report = [] {
        std::mt19937 random(42);
        static const std::string text
            = corvane::test::historyText(corvane::test::fairDraws(random, 400, 6, 49));
        RecordingUi ui;
        std::optional<Report> r = reportLines(splitLines(text), "made-up.txt", {}, ui);
        EXPECT_TRUE(ui.messages.empty());
        return *r;
    }();
    return report;
}

TEST(ReportForms, textStartsWithTheNoticeAndHoldsEveryHeadline)
{
    const Report& r = madeUpReport();
    const std::string text = reportText(r);
    EXPECT_EQ(text.rfind("Report: made-up.txt (made-up.txt)\nPast draws do not make future draws "
                         "more likely",
                  0),
        0u)
        << text.substr(0, 200);
    // Headlines are wrapped; their first words stand at the start of a line.
    for (const SectionWords* w : {&r.frequencyWords, &r.gapWords, &r.pairWords, &r.shapeWords,
             &r.methodWords[0], &r.methodWords[1]}) {
        EXPECT_FALSE(w->headline.empty());
        EXPECT_NE(text.find("\n" + w->headline.substr(0, 40)), std::string::npos) << w->headline;
    }
    EXPECT_EQ(r.methods.size(), 2u);
    EXPECT_TRUE(r.methods[0].ran);
    EXPECT_EQ(r.methods[0].summary.draws, 200);
    EXPECT_EQ(r.methods[1].last.size(), 20u);
    EXPECT_EQ(r.tests.size(), 9u);
}

TEST(ReportForms, jsonHoldsTheKeysTheFiguresAreCheckedBy)
{
    const std::string json = reportJson(madeUpReport());
    for (const char* key : {"\"draws\": 400", "\"numbers\": 6", "\"pool\": 49",
             "\"from\": \"1990-01-01\"", "\"frequency\": {", "\"counts\": {\"1\": ", "\"chi2\": ",
             "\"chi2_corrected\": ", "\"df\": 48", "\"p\": ", "\"gaps\": {", "\"pairs\": {",
             "\"shape\": {", "\"methods\": {", "\"regress\": {", "\"fuzzy\": {"})
        EXPECT_NE(json.find(key), std::string::npos) << key;
    // Balanced braces and brackets outside strings.
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            continue;
        }
        inString = c == '"';
        depth += c == '{' || c == '[' ? 1 : c == '}' || c == ']' ? -1 : 0;
        ASSERT_GE(depth, 0) << i;
    }
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(json.find("nan"), std::string::npos);
    EXPECT_EQ(json.find("inf"), std::string::npos);
}

TEST(ReportForms, pageReferencesNothingOutsideItself)
{
    const std::string html = reportHtml(madeUpReport());
    EXPECT_EQ(html.rfind("<!DOCTYPE html>\n<html lang=\"en\">", 0), 0u);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_EQ(html.substr(html.size() - 8), "</html>\n");
    for (const char* outside : {"http:", "https:", "//", "src=", "href=", "url(", "@import",
             "<script", "<link", "<img", "<iframe", "<object", "<embed"})
        EXPECT_EQ(html.find(outside), std::string::npos) << outside;
    EXPECT_EQ(std::count(html.begin(), html.end() - 1, '\n') > 100, true);
    // Three kinds of chart: frequency, gaps and one a method.
    std::size_t charts = 0;
    for (std::size_t at = html.find("<svg "); at != std::string::npos;
         at = html.find("<svg ", at + 1))
        ++charts;
    EXPECT_EQ(charts, 4u);
}

TEST(ReportForms, aFileNameCannotInjectMarkup)
{
    std::mt19937 random(1);
    const std::string text
        = corvane::test::historyText(corvane::test::fairDraws(random, 40, 6, 49));
    RecordingUi ui;
    const std::optional<Report> r
        = reportLines(splitLines(text), "dir/<script>alert(\"x\")<b & 'y'.txt", {}, ui);
    ASSERT_TRUE(r);
    const std::string html = reportHtml(*r);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_NE(html.find("&lt;script&gt;alert(&quot;x&quot;)&lt;b &amp; &#39;y&#39;.txt"),
        std::string::npos);
    EXPECT_NE(reportJson(*r).find("\"file\": \"<script>alert(\\\"x\\\")<b & 'y'.txt\""),
        std::string::npos);
}

// --- writing the page ---

TEST(ReportPage, neverReplacesADataFileOrAnythingButAPage)
{
    TempDir dir;
    const std::string data = dir.write("ca649.txt", "20020102 1 2 3 4 5 6\r\n");
    const std::string notes = dir.write("notes.txt", "my notes");
    const std::string old = dir.write("old.html", "<!doctype HTML>\nold page");
    const struct
    {
        const char* name;
        std::string path;
        bool written;
        const char* says;
    } cases[] = {
        {"the data file", data, false, "is the data file itself"},
        {"a text file", notes, false, "is not an HTML page"},
        {"a folder", dir.path(), false, "is not an HTML page"},
        {"an old page", old, true, ""},
        {"a new page", dir.file("new.html"), true, ""},
        {"a missing folder", dir.file("none/new.html"), false, "Cannot write"},
    };
    for (const auto& c : cases) {
        RecordingUi ui;
        const std::string before = corvane::test::readFile(c.path);
        EXPECT_EQ(writeReportPage(c.path, data, "<!DOCTYPE html>\nnew", ui), c.written) << c.name;
        if (c.written) {
            EXPECT_TRUE(ui.messages.empty()) << c.name;
            EXPECT_EQ(corvane::test::readFile(c.path), "<!DOCTYPE html>\nnew") << c.name;
        } else {
            ASSERT_EQ(ui.messages.size(), 1u) << c.name;
            EXPECT_NE(ui.messages[0].find(c.says), std::string::npos) << ui.messages[0];
            EXPECT_EQ(corvane::test::readFile(c.path), before) << c.name;
        }
    }
}

// --- the command line ---

TEST(ReportCli, aWrongCommandLineSaysWhyAndExitsWith2)
{
    const struct
    {
        std::vector<std::string> args;
        const char* why;
    } cases[] = {
        {{"report"}, "give one data file"},
        {{"report", "a.txt", "b.txt"}, "give one data file"},
        {{"report", "a.txt", "--numbers"}, "--numbers needs a value"},
        {{"report", "a.txt", "--numbers", "0"}, "from 1 to 49, not '0'"},
        {{"report", "a.txt", "--numbers", "50"}, "from 1 to 49"},
        {{"report", "a.txt", "--pool", "1"}, "from 2 to 1000"},
        {{"report", "a.txt", "--pool", "1001"}, "from 2 to 1000"},
        {{"report", "a.txt", "--from", "2015-02-29"}, "yyyy-mm-dd or yyyymmdd, not '2015-02-29'"},
        {{"report", "a.txt", "--to", "15-1-1"}, "--to needs a date"},
        {{"report", "a.txt", "--from", "20200101", "--to", "2019-12-31"}, "must not come after"},
        {{"report", "a.txt", "--json", "--json"}, "--json is given twice"},
        {{"report", "a.txt", "--pool", "49", "--pool", "49"}, "--pool is given twice"},
        {{"report", "a.txt", "--html", ""}, "--html needs a file name"},
        {{"report", "a.txt", "--csv"}, "unknown option --csv"},
    };
    for (const auto& c : cases) {
        const corvane::test::CliOutput o = corvane::test::runCli(c.args);
        EXPECT_EQ(o.status, 2) << c.why;
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err.rfind("corvane-cli report: ", 0), 0u) << o.err;
        EXPECT_NE(o.err.find(c.why), std::string::npos) << o.err;
        EXPECT_NE(o.err.find("report FILE [--numbers K]"), std::string::npos);
    }
}

TEST(ReportCli, answersInEachFormOrRefusesWith1)
{
    TempDir dir;
    std::mt19937 random(2);
    const std::string file = dir.write(
        "x.txt", corvane::test::historyText(corvane::test::fairDraws(random, 60, 5, 40)));
    const std::string page = dir.file("x.html");
    const struct
    {
        std::vector<std::string> args;
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {{"report", file}, 0, "Report: x.txt (x.txt)\nPast draws", ""},
        {{"report", file, "--json"}, 0, "{\n  \"file\": \"x.txt\"", ""},
        {{"report", file, "--html", page}, 0, "", ""},
        {{"report", file, "--html", page, "--json"}, 0, "{\n", ""},
        {{"report", file, "--html", file}, 1, "", "is the data file itself"},
        {{"report", dir.file("missing.txt")}, 1, "", "Data File Must Has Data!"},
        {{"report", file, "--pool", "30"}, 1, "", "outside the pool 1 to 30 of --pool"},
        {{"report", file, "--from", "2030-01-01"}, 1, "", "holds 0 draws"},
    };
    for (const auto& c : cases) {
        const corvane::test::CliOutput o = corvane::test::runCli(c.args);
        EXPECT_EQ(o.status, c.status) << c.args.back();
        EXPECT_EQ(o.out.rfind(c.out, 0), 0u) << o.out.substr(0, 100);
        EXPECT_NE(o.err.find(c.err), std::string::npos) << o.err;
    }
    EXPECT_EQ(corvane::test::runCli({"report", file, "--html", page}).out, page + "\n");
    EXPECT_EQ(corvane::test::readFile(page).rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_EQ(corvane::test::readFile(file).rfind("19900101 ", 0), 0u);
}

} // namespace
