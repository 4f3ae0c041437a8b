#pragma once
// Byte classes of the XML document layer (internal header): one table lookup
// per byte for the parser, the writer and the name check.

#include <array>
#include <cstdint>

namespace quorlet {

enum : uint8_t {
    xcNameStart = 1,  // letters and "_"
    xcNameChar = 2,   // letters, digits, "-", ".", ":", "_"
    xcSpace = 4,      // bytes up to 32: white space for the parser
    xcTextStop = 8,   // ends a run of character data: "<" "&"
    xcAttrStop = 16,  // ends a run inside an attribute value: "<" "&" and both quotes
    xcEscape = 32     // escaped on output: "&" "\"" "<" ">"
};

namespace xml_detail {

// Bytes from 128 up are taken in windows-1251, the code page the files are
// written in. Its letters (as the system's character classification has them)
// are 0xC0-0xFF (the Russian alphabet) and these: Ђ Ѓ ѓ Љ Њ Ќ Ћ Џ ђ љ њ ќ ћ џ
// Ў ў Ј Ґ Ё Є Ї І і ґ µ ё є ј Ѕ ѕ ї. Punctuation, quotes, dashes, symbols, the
// no-break space and the unassigned 0x98 are not letters.
constexpr bool IsHighLetter(unsigned c) {
    if (c >= 0xC0) return true;
    switch (c) {
        case 0x80: case 0x81: case 0x83: case 0x8A: case 0x8C: case 0x8D: case 0x8E: case 0x8F:
        case 0x90: case 0x9A: case 0x9C: case 0x9D: case 0x9E: case 0x9F:
        case 0xA1: case 0xA2: case 0xA3: case 0xA5: case 0xA8: case 0xAA: case 0xAF:
        case 0xB2: case 0xB3: case 0xB4: case 0xB5: case 0xB8: case 0xBA: case 0xBC: case 0xBD:
        case 0xBE: case 0xBF:
            return true;
        default:
            return false;
    }
}

constexpr std::array<uint8_t, 256> MakeXmlCharTable() {
    std::array<uint8_t, 256> t{};
    for (unsigned c = 0; c < 256; ++c) {
        uint8_t f = 0;
        bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || IsHighLetter(c);
        if (letter || c == '_') f |= xcNameStart | xcNameChar;
        if ((c >= '0' && c <= '9') || c == '-' || c == '.' || c == ':') f |= xcNameChar;
        if (c <= 32) f |= xcSpace;
        if (c == '<' || c == '&') f |= xcTextStop | xcAttrStop;
        if (c == '"' || c == '\'') f |= xcAttrStop;
        if (c == '&' || c == '"' || c == '<' || c == '>') f |= xcEscape;
        t[c] = f;
    }
    return t;
}

}  // namespace xml_detail

inline constexpr std::array<uint8_t, 256> kXmlCharTable = xml_detail::MakeXmlCharTable();

inline bool XmlCharIs(char c, uint8_t cls) {
    return (kXmlCharTable[static_cast<unsigned char>(c)] & cls) != 0;
}

}  // namespace quorlet
