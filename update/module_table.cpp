#include "update/module_table.h"

TPindoInstall PindoInstall;
TPindoUserInfo PindoUserInfo;
TPindoSubAppInfo PindoSubAppInfo;
TPhoneInfo PhoneInfo;
std::array<TSubAppInfo, 20> SubAppInfos;

std::string_view CurrentModuleName() {
    return ModuleNames.at(static_cast<std::size_t>(PindoSubAppInfo.CurrentModuleIndex));
}
