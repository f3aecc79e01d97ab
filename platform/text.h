#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Text is CP949 bytes throughout the program.
namespace platform {

// True for a byte that starts a CP949 double-byte character.
bool IsCp949LeadByte(unsigned char byte);

// Whether a byte starts a double-byte character of the code page that a text comes in: on Windows the
// system's ANSI code page (a Western one has none), in tests a stand-in.
using LeadByteTest = bool (*)(unsigned char byte);

// Drops every leading and trailing byte of value 0x20 or less.
std::string TrimControls(std::string_view text);

// Upper-cases single-byte 'a'-'z'; a double-byte character is stepped over whole, since its
// second byte may lie in 'a'-'z'.
std::string UpperAscii(std::string_view text, LeadByteTest isLeadByte);

// The value of a digit of `base` (up to 16; letters in either case), or -1 for any other character.
int DigitValue(char c, unsigned base);

// Signed 32-bit integer from text: leading blanks, a sign, decimal digits or hexadecimal after "$",
// "x" or "0x". Anything after the digits, an empty number or a value out of range gives nothing.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// The folder part of a Windows path: up to and including its last "\"; empty when it has none.
std::string FolderOf(const std::string& path);

} // namespace platform
