#include "core/catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>

namespace {

using namespace corvane::core;

TEST(Catalogue, hasTheRegionsAndEntriesInCatalogueOrder)
{
    const auto& us = catalogue(CatalogueKind::UnitedStates);
    const auto& other = catalogue(CatalogueKind::OtherCountries);
    ASSERT_EQ(us.size(), 52u);
    ASSERT_EQ(other.size(), 15u);
    EXPECT_EQ(us.front().name, "Alabama");
    EXPECT_EQ(us[2].name, "Arizona");
    EXPECT_EQ(us[13].name, "IIIinois");
    EXPECT_EQ(us.back().name, "Wyoming");
    EXPECT_EQ(other.front().name, "Australia");
    EXPECT_EQ(other[7].name, "Spain");
    EXPECT_EQ(other.back().name, "Taiwan");

    std::size_t usEntries = 0, otherEntries = 0, usWithLotteries = 0;
    std::set<std::string_view> usNames;
    for (const Region& r : us) {
        usEntries += r.lotteries.size();
        usWithLotteries += r.lotteries.empty() ? 0 : 1;
        for (const Lottery& l : r.lotteries)
            usNames.insert(l.name);
    }
    for (const Region& r : other)
        otherEntries += r.lotteries.size();
    EXPECT_EQ(usEntries, 208u);
    EXPECT_EQ(usWithLotteries, 40u);
    EXPECT_EQ(usNames.size(), 160u);
    EXPECT_EQ(otherEntries, 40u);

    const std::vector<std::string_view> arizona
        = {"Powerball", "Arizona The Pick", "Arizona Fantasy 5", "Arizona Pick 3"};
    ASSERT_EQ(us[2].lotteries.size(), arizona.size());
    for (std::size_t i = 0; i < arizona.size(); ++i)
        EXPECT_EQ(us[2].lotteries[i].name, arizona[i]);
}

TEST(Catalogue, regionsWithoutLotteries)
{
    std::set<std::string_view> empty;
    for (const auto kind : {CatalogueKind::UnitedStates, CatalogueKind::OtherCountries}) {
        for (const Region& r : catalogue(kind)) {
            if (r.lotteries.empty())
                empty.insert(r.name);
        }
    }
    const std::set<std::string_view> expected
        = {"Alabama", "Alaska", "Arkansas", "Hawaii", "Mississippi", "Nevada", "North Carolina",
            "North Dakota", "Okalahoma", "Tennessee", "Utah", "Wyoming", "Spain"};
    EXPECT_EQ(empty, expected);
}

TEST(Catalogue, everyNameHasOneFileAndOnlySharedGamesShareOne)
{
    for (const auto kind : {CatalogueKind::UnitedStates, CatalogueKind::OtherCountries}) {
        std::map<std::string, std::string_view> fileOfName;
        std::map<std::string_view, std::set<std::string>> namesOfFile;
        for (const Region& r : catalogue(kind)) {
            for (const Lottery& l : r.lotteries) {
                std::string lower(l.name);
                for (char& c : lower)
                    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                const auto [it, added] = fileOfName.emplace(lower, l.file);
                EXPECT_EQ(it->second, l.file) << l.name;
                namesOfFile[l.file].insert(std::string(l.name));
                EXPECT_EQ(l.file.substr(l.file.size() - 4), ".txt");
                EXPECT_EQ(
                    l.file.find_first_of("/\\ ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string_view::npos);
            }
        }
        for (const auto& [file, names] : namesOfFile) {
            if (names.size() > 1) {
                const std::set<std::string_view> shared = {"pb545.txt", "ls649.txt"};
                EXPECT_TRUE(shared.count(file))
                    << file << " is shared by " << names.size() << " names";
            }
        }
    }
}

TEST(Catalogue, theTaiwanLottoHasAFileOfItsOwn)
{
    const auto file = dataFileOf(CatalogueKind::OtherCountries, "Taiwan Lotto");
    ASSERT_TRUE(file);
    EXPECT_EQ(*file, "twl.txt");
    int uses = 0;
    for (const auto kind : {CatalogueKind::UnitedStates, CatalogueKind::OtherCountries})
        for (const Region& r : catalogue(kind))
            for (const Lottery& l : r.lotteries)
                uses += l.file == "twl.txt";
    EXPECT_EQ(uses, 1);
    EXPECT_EQ(getlottoname("twl.txt"), "Taiwan Lotto");
}

TEST(Catalogue, forwardLookup)
{
    const struct
    {
        CatalogueKind kind;
        const char* name;
        const char* file;
    } cases[] = {
        {CatalogueKind::UnitedStates, "Powerball", "pb545.txt"},
        {CatalogueKind::UnitedStates, "POWERBALL", "pb545.txt"},
        {CatalogueKind::UnitedStates, "Powerball(pb545", "pb545.txt"},
        {CatalogueKind::UnitedStates, "Lotto South ", "ls649.txt"},
        {CatalogueKind::UnitedStates, "Lotto South", "ls649.txt"},
        {CatalogueKind::UnitedStates, "Oregon Pick 4-10pm", "or4-10.txt"},
        {CatalogueKind::UnitedStates, "Virginia Midday Cash 5", "va534m.txt"},
        {CatalogueKind::OtherCountries, "Powerball", "au545.txt"},
        {CatalogueKind::OtherCountries, "Tattslotto", "au645.txt"},
        {CatalogueKind::OtherCountries, "canadian 6/49", "ca649.txt"},
        {CatalogueKind::OtherCountries, "Turkish Sans Topu", "tkst.txt"},
    };
    for (const auto& c : cases) {
        const auto file = dataFileOf(c.kind, c.name);
        ASSERT_TRUE(file) << c.name;
        EXPECT_EQ(*file, c.file) << c.name;
    }
    EXPECT_FALSE(dataFileOf(CatalogueKind::UnitedStates, "Tattslotto"));
    EXPECT_FALSE(dataFileOf(CatalogueKind::UnitedStates, " Powerball"));
    EXPECT_FALSE(dataFileOf(CatalogueKind::OtherCountries, ""));
}

TEST(Catalogue, reverseLookup)
{
    const struct
    {
        const char* file;
        const char* name;
    } cases[] = {
        {"pb545.txt", "Powerball"},
        {"PB545.TXT", "Powerball"},
        {"ls649.txt", "Lotto South"},
        {"hl539.txt", "Hot Lotto"},
        {"mm552.txt", "Mega Millions"},
        {"ts642.txt", "Tri-State Megabucks"},
        {"ts433.txt", "Tri-State Cash Lotto"},
        {"ts3.txt", "Tri-State Pick 3"},
        {"ts4.txt", "Tri-State Pick 4"},
        {"au545.txt", "Powerball"},
        {"au645.txt", "Tattslotto"},
        {"ca649.txt", "Canadian 6/49"},
        {"tkst.txt", "Turkish Sans Topu"},
        {"fl432.txt", "Florida Mega Money"},
        {"mo644.txt", "Missiouri Lotto"},
        {"brnl.txt", "British National Lottery"},
        {"ny3.txt", "New York Pick 3"},
        {"pb545", "pb545"},
        {"", ""},
        {"mydraws.txt", "mydraws.txt"},
        {"/data/pb545.txt", "/data/pb545.txt"},
        {" pb545.txt", " pb545.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(getlottoname(c.file), c.name) << '"' << c.file << '"';
}

TEST(Catalogue, everyFileReversesToANameThatLeadsBackToIt)
{
    for (const auto kind : {CatalogueKind::UnitedStates, CatalogueKind::OtherCountries}) {
        for (const Region& r : catalogue(kind)) {
            for (const Lottery& l : r.lotteries) {
                const std::string name = getlottoname(l.file);
                const auto back = dataFileOf(kind, name);
                ASSERT_TRUE(back) << l.file << " -> " << name;
                EXPECT_EQ(*back, l.file);
            }
        }
    }
}

TEST(Catalogue, findRegionIgnoresCase)
{
    ASSERT_TRUE(findRegion(CatalogueKind::UnitedStates, "new york"));
    EXPECT_EQ(findRegion(CatalogueKind::UnitedStates, "NEW YORK")->lotteries.size(), 8u);
    EXPECT_FALSE(findRegion(CatalogueKind::UnitedStates, "Spain"));
    EXPECT_TRUE(findRegion(CatalogueKind::OtherCountries, "spain"));
}

} // namespace
