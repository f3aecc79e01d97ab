#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The suite's modules: entry i of ModuleNames (also the module's registry key name) belongs to entry i
// of ModuleIds.

inline constexpr std::array<std::string_view, 10> ModuleNames{
    "Mivora", "Camera", "PIMS", "Phonebook",   "UpgradeManager",
    "SMS",    "Music",  "GAME", "ZelvanoLand", "LiveUpdate",
};

inline constexpr std::array<std::string_view, 10> ModuleIds{
    "ZM_000001", "ZM_000021", "ZM_000014", "ZM_000011", "ZM_000012",
    "ZM_000015", "ZM_000031", "ZM_000013", "ZM_000017", "ZM_000016",
};

// The entries the gate uses: its own module, whose key holds the suite's path, and the updater's, whose
// key holds the test switches.
inline constexpr std::size_t MivoraModule = 0;
inline constexpr std::size_t LiveUpdateModule = 9;

// The suite's shared records. The gate keeps one zeroed instance of each and reads only the current
// module index; the other fields are carried as the suite declares them and never interpreted here.

struct TPindoSubAppInfoItem {
    std::array<std::uint8_t, 4> Data{};
    std::array<std::string, 4> Texts;
};

struct TPindoSubAppInfo {
    std::array<std::uint8_t, 4> Data{};
    std::int32_t CurrentModuleIndex = 0;
    std::array<TPindoSubAppInfoItem, 10> Items;
};

struct TPindoInstallItem {
    std::string Text1;
    std::array<std::uint8_t, 8> Data1{};
    std::string Text2;
    std::string Text3;
    std::uint8_t Flag1 = 0;
    std::string Text4;
    std::string Text5;
    std::string Text6;
    std::string Text7;
    std::uint8_t Flag2 = 0;
    std::string Text8;
};

struct TPindoInstall {
    std::array<std::uint8_t, 8> Data{};
    std::array<TPindoInstallItem, 9> Items;
};

struct TPindoUserInfoItem {
    std::string Text1;
    std::string Text2;
    std::string Text3;
    std::uint8_t Flag = 0;
};

struct TPindoUserInfo {
    std::array<std::uint8_t, 8> Data{};
    std::array<TPindoUserInfoItem, 100> Items;
};

struct TSubAppInfo {
    std::string Text1;
    std::array<std::uint8_t, 4> Data1{};
    std::string Text2;
    std::string Text3;
    std::array<std::uint8_t, 8> Data2{};
    std::array<std::string, 6> Texts;
    std::array<std::uint8_t, 4> Data3{};
};

struct TPhoneInfo {
    std::array<std::uint8_t, 78> Data{};
    std::string Text;
};

// Process-wide, zeroed at start and never filled by the gate.
extern TPindoInstall PindoInstall;
extern TPindoUserInfo PindoUserInfo;
extern TPindoSubAppInfo PindoSubAppInfo;
extern TPhoneInfo PhoneInfo;
extern std::array<TSubAppInfo, 20> SubAppInfos;

// ModuleNames at the current module index; since the index is never written, always "Mivora".
std::string_view CurrentModuleName();
