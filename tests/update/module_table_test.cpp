#include "update/module_table.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>

namespace {

// The suite's numbering of its modules, as its design lists them.
TEST(ModuleTable, HoldsTheSuitesModulesInTheirOrder) {
    constexpr std::array<std::string_view, 10> names{"Mivora",         "Camera",    "PIMS",  "Phonebook",
                                                     "UpgradeManager", "SMS",       "Music", "GAME",
                                                     "ZelvanoLand",    "LiveUpdate"};
    constexpr std::array<std::string_view, 10> ids{"ZM_000001", "ZM_000021", "ZM_000014", "ZM_000011",
                                                   "ZM_000012", "ZM_000015", "ZM_000031", "ZM_000013",
                                                   "ZM_000017", "ZM_000016"};
    EXPECT_EQ(ModuleNames, names);
    EXPECT_EQ(ModuleIds, ids);
    EXPECT_EQ(ModuleNames[MivoraModule], "Mivora");
    EXPECT_EQ(ModuleNames[LiveUpdateModule], "LiveUpdate");
    EXPECT_EQ(CurrentModuleName(), "Mivora");
}

} // namespace
