// SMSC.ini as the SIM page reads it: private-profile rules, file order, and the reverse
// lookup of a stored number.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "config/smsc_ini.h"

namespace kvx {
namespace {

using Names = std::vector<std::string>;

TEST(SMSCIni, ListsSectionsAndKeysInFileOrderWithCRLFOrLF)
{
    for (const char* eol : {"\r\n", "\n"}) {
        const std::string text = std::string("[Zambia]") + eol + "Airtel=260970000000" + eol + eol + "[Albania]" + eol +
                                 "Vodafone=355692000200" + eol + "ONE=355682000100" + eol;
        const TSMSCIni ini = TSMSCIni::Parse(text);
        EXPECT_EQ(ini.CountryNames(), (Names{"Zambia", "Albania"}));
        EXPECT_EQ(ini.NetworkNames("Albania"), (Names{"Vodafone", "ONE"}));
        // No carriage return left on a value, or a number picked here would never be found again.
        EXPECT_EQ(ini.Number("Albania", "ONE"), "355682000100");
    }
}

TEST(SMSCIni, FollowsThePrivateProfileRules)
{
    const TSMSCIni ini = TSMSCIni::Parse(
        "\xEF\xBB\xBF[ United Kingdom ]\n"
        "; a comment line, not a network\n"
        "  Vodafone  =  447785016005  \n"
        "Quoted=\"447700900001\"\n"
        "no equals sign here\n"
        "=447700900002\n"
        "vodafone=447700900003\n"
        "[Empty]\n");
    EXPECT_EQ(ini.CountryNames(), (Names{"United Kingdom", "Empty"}));
    EXPECT_EQ(ini.NetworkNames("united kingdom"), (Names{"Vodafone", "Quoted", "vodafone"}));
    EXPECT_EQ(ini.Number("UNITED KINGDOM", "VODAFONE"), "447785016005");  // names match without case, first wins
    EXPECT_EQ(ini.Number("United Kingdom", "Quoted"), "447700900001");
    EXPECT_EQ(ini.Number("United Kingdom", "Nobody"), "");
    EXPECT_EQ(ini.Number("Nowhere", "Vodafone"), "");
    EXPECT_TRUE(ini.NetworkNames("Empty").empty());
}

TEST(SMSCIni, ReverseLookupFindsTheFirstNetworkWithTheNumber)
{
    const TSMSCIni ini = TSMSCIni::Parse(
        "orphan=111\n"  // before any section: belongs to no country
        "[Australia]\nTelstra=61418706700\n"
        "[United Kingdom]\nVodafone=447785016005\nShared=111\n"
        "[Ireland]\nAlsoShared=111\nBlank=\n");
    const auto match = ini.FindNumber("111");
    ASSERT_TRUE(match);
    EXPECT_EQ(match->CountryPosition, 2u);  // "Custom" is position 0 in the country list
    EXPECT_EQ(match->Network, "Shared");
    EXPECT_EQ(ini.FindNumber("61418706700")->CountryPosition, 1u);
    EXPECT_FALSE(ini.FindNumber("6141870670"));  // whole numbers only
    EXPECT_FALSE(ini.FindNumber(""));           // an empty slot is no network's number
}

TEST(SMSCIni, MissingFileListsNothing)
{
    const TSMSCIni ini = TSMSCIni::Load(std::filesystem::path(testing::TempDir()) / "no-such-SMSC.ini");
    EXPECT_TRUE(ini.Countries().empty());
    EXPECT_FALSE(ini.FindNumber("447785016005"));
}

TEST(SMSCIni, ShippedFileHasCountriesAndEveryNumberIsFoundAgain)
{
    const TSMSCIni ini = TSMSCIni::Load(KVX_SMSC_FILE);
    ASSERT_FALSE(ini.Countries().empty());
    for (const TSMSCCountry& country : ini.Countries())
        for (const TSMSCNetwork& network : country.Networks) {
            EXPECT_FALSE(network.Number.empty()) << country.Name << "/" << network.Name;
            EXPECT_EQ(network.Number.find_first_not_of("0123456789"), std::string::npos) << network.Number;
            EXPECT_LE(network.Number.size(), 15u) << network.Number;
            EXPECT_TRUE(ini.FindNumber(network.Number)) << network.Number;
        }
}

} // namespace
} // namespace kvx
