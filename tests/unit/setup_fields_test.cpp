// The setup dialog's fields: the voice themes found and the silence bounds as typed (setup_fields).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "ui/date_time_text.h"
#include "ui/setup_fields.h"

TEST(SetupFieldsTest, ListsThemeFoldersAndReadsSilenceBoundsAsUnsigned16BitParts)
{
    FakePlatform platform;
    DateTimeText texts{platform};
    platform.folders["C:\\Q\\speak\\*.*"] = {{".", true}, {"..", true}, {"Ru", true}, {"a.txt", false}, {"X", true}};
    EXPECT_EQ(setup_fields::themeNames(platform, "C:\\Q"), (std::vector<std::string>{"Ru", "X"}));
    EXPECT_EQ(setup_fields::silenceText(texts, 90000), "1:00:00") << "the hours of the day";
    const std::pair<const char*, int> bounds[] = {
        {"22:00:00", 79200}, {"25:00:00", 90000}, {"-1:00:00", 65535 * 3600}, {"0:-1:0", 65535 * 60}, {"abc", 0}};
    for (const auto& [text, seconds] : bounds)
        EXPECT_EQ(setup_fields::silenceSeconds(text), seconds) << text;
}
