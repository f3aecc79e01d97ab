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

// A lead byte of the system's ANSI code page, the one command lines and file names come in: CP949's on a
// Korean Windows, none on a Western one. The native tests' fakes choose it.
bool IsSystemLeadByte(unsigned char byte);

// Length of the character at `pos`: two bytes for a lead byte followed by a second byte (not NUL), else
// one. Every walk over the characters of a text steps with this.
std::size_t CharacterLength(std::string_view text, std::size_t pos, LeadByteTest isLeadByte);

// The number of characters, as Windows counts a name's length: each character of a double-byte code page
// is one UTF-16 unit.
std::size_t CharacterCount(std::string_view text, LeadByteTest isLeadByte);

// Where the last "\" character lies; never the second byte of a double-byte character, which may be
// 0x5C in code pages 932, 936 and 950. npos when there is none.
std::size_t LastSeparator(std::string_view path, LeadByteTest isLeadByte);

// Whether the path's last character is a "\".
bool EndsWithSeparator(std::string_view path, LeadByteTest isLeadByte);

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
std::string FolderOf(const std::string& path, LeadByteTest isLeadByte);

} // namespace platform
