#include "update/module_table.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ModuleTable, IdsAreDistinctAndShapedZmAndSixDigits) {
    std::set<std::string_view> seen;
    for (std::string_view id : ModuleIds) {
        ASSERT_EQ(id.size(), 9u) << id;
        EXPECT_EQ(id.substr(0, 3), "ZM_") << id;
        EXPECT_EQ(id.find_first_not_of("0123456789", 3), std::string_view::npos) << id;
        EXPECT_TRUE(seen.insert(id).second) << id;
    }
    EXPECT_EQ(ModuleNames[0], "Mivora");
    EXPECT_EQ(ModuleIds[0], "ZM_000001");
    EXPECT_EQ(ModuleNames[9], "LiveUpdate");
}

TEST(SharedRecords, StartZeroedSoTheCurrentModuleIsTheMainOne) {
    EXPECT_EQ(PindoSubAppInfo.CurrentModuleIndex, 0);
    EXPECT_EQ(PindoSubAppInfo.Items[9].Texts[3], "");
    EXPECT_EQ(PindoInstall.Items[8].Flag2, 0);
    EXPECT_EQ(PhoneInfo.Data[77], 0);
    EXPECT_EQ(SubAppInfos[19].Data3[3], 0);
    EXPECT_EQ(CurrentModuleName(), "Mivora");
}

} // namespace
