// Feeds arbitrary command lines to the making of the start argument: the first argument after the
// program, trimmed and upper-cased. Besides running clean under the sanitizers, the result must keep
// the trimming and upper-casing rules and match a plain model of the whole road.
#include "platform/command_line.h"
#include "platform/text.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_replay.h"
#include "update/updater_verdict.h"

#include <string>
#include <vector>

namespace {

bool IsGapByte(unsigned char byte) {
    return byte <= 0x20;
}

bool IsLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

bool IsLower(unsigned char byte) {
    return byte >= 'a' && byte <= 'z';
}

// The text as characters: a CP949 lead byte and the byte after it are one character. The text ends
// at its first NUL, as a C string would.
std::vector<std::string> Characters(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> characters;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = IsLeadByte(byte) && i + 1 < text.size() ? 2 : 1;
        characters.emplace_back(text.substr(i, length));
        i += length;
    }
    return characters;
}

// A lead byte with nothing after it to pair with.
bool IsLoneLeadByte(const std::string& character) {
    return character.size() == 1 && IsLeadByte(static_cast<unsigned char>(character[0]));
}

bool IsGap(const std::string& character) {
    return character.size() == 1 && IsGapByte(static_cast<unsigned char>(character[0]));
}

// The model, written from the rules rather than from the code: arguments are separated by runs of
// gap characters; a double quote toggles quoting, where gaps belong to the argument, and is dropped;
// a pair of quotes at the start of an argument is skipped. Argument 0 is the program.
std::string ModelFirstArgument(std::string_view line) {
    const std::vector<std::string> chars = Characters(line);
    std::size_t i = 0;
    std::string argument;
    for (int index = 0; index <= 1; ++index) {
        for (;;) {
            while (i < chars.size() && IsGap(chars[i]))
                ++i;
            if (i + 1 < chars.size() && chars[i] == "\"" && chars[i + 1] == "\"")
                i += 2;
            else
                break;
        }
        argument.clear();
        bool quoted = false;
        for (; i < chars.size() && (quoted || !IsGap(chars[i])); ++i) {
            if (chars[i] == "\"")
                quoted = !quoted;
            else
                argument += chars[i];
        }
    }
    return argument;
}

std::string ModelStartArgument(std::string_view line) {
    std::string text = ModelFirstArgument(line);
    std::size_t first = 0;
    std::size_t end = text.size();
    while (first < end && IsGapByte(static_cast<unsigned char>(text[first])))
        ++first;
    while (end > first && IsGapByte(static_cast<unsigned char>(text[end - 1])))
        --end;
    std::string upper;
    for (std::string character : Characters(text.substr(first, end - first))) {
        if (character.size() == 1 && IsLower(static_cast<unsigned char>(character[0])))
            character[0] = static_cast<char>(character[0] - 'a' + 'A');
        upper += character;
    }
    return upper;
}

// True when a single-byte 'a'-'z' is left; the second byte of a double-byte character may be one.
bool HasLowerLetter(std::string_view text) {
    for (const std::string& character : Characters(text))
        if (character.size() == 1 && IsLower(static_cast<unsigned char>(character[0])))
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line = fuzz::AsText(data, size);

    // Splitting straight from the fuzzer's buffer, which ends exactly at the line's end.
    for (int index = 0; index < 4; ++index)
        platform::CommandLineArgument(line, index, platform::IsCp949LeadByte);
    FUZZ_CHECK(platform::CommandLineArgument(line, 1, platform::IsCp949LeadByte) == ModelFirstArgument(line),
               line);

    const std::string result = StartArgumentFrom(std::string(line), platform::IsCp949LeadByte);
    FUZZ_CHECK(result.empty() || (!IsGapByte(result.front()) && !IsGapByte(result.back())), line);
    FUZZ_CHECK(!HasLowerLetter(result), line);

    // Upper-casing touches letters only.
    const std::string trimmed =
        platform::TrimControls(platform::CommandLineArgument(line, 1, platform::IsCp949LeadByte));
    FUZZ_CHECK(result.size() == trimmed.size(), line);
    for (std::size_t i = 0; i < result.size(); ++i)
        FUZZ_CHECK(result[i] == trimmed[i] || (IsLower(trimmed[i]) && result[i] == trimmed[i] - 'a' + 'A'),
                   line);

    FUZZ_CHECK(result == ModelStartArgument(line), line);

    // Quoted as the argument of another line, the result comes back unchanged; unless it holds a
    // quote or ends in a lead byte, which would take the closing quote as its second byte.
    const std::vector<std::string> chars = Characters(result);
    bool quotable = true;
    for (const std::string& character : chars)
        quotable = quotable && character != "\"";
    if (quotable && (chars.empty() || !IsLoneLeadByte(chars.back())))
        FUZZ_CHECK(StartArgumentFrom("p \"" + result + "\"", platform::IsCp949LeadByte) == result, line);
    return 0;
}
