#pragma once

// Lead bytes of the system's ANSI code page as IsDBCSLeadByte gives them on a Windows whose code page it
// is, for tests that cannot change the code page of the prefix they run in.
namespace code_pages {

// Code page 932 (Japanese): 0x81-0x9F and 0xE0-0xFC. Its second bytes include 0x5C, the "\": "表" is
// 0x95 0x5C.
inline bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// A single-byte code page (1252, say): no lead bytes.
inline bool IsSingleByteLeadByte(unsigned char) {
    return false;
}

} // namespace code_pages
