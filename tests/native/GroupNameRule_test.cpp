// The tab sheet name prompt's blank-name rule.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "launcher/GroupNameRule.h"

using namespace quorlet;

namespace {

// The name with every character outside printable ASCII as \xNN.
std::string Shown(const std::string& name) {
    std::string shown;
    for (unsigned char c : name) {
        char code[8];
        std::snprintf(code, sizeof code, "\\x%02x", c);
        shown += c >= 0x20 && c < 0x7f ? std::string(1, static_cast<char>(c)) : std::string(code);
    }
    return shown;
}

}  // namespace

TEST(GroupNameRule, OnlyBlanksAndControlCharactersMakeABlankName) {
    const struct {
        std::string Name;
        bool Blank;
    } cases[] = {
        {"", true},
        {"   ", true},
        {"\t\r\n", true},
        {std::string("\0\x01\x1f ", 4), true},  // NUL and the other controls count too
        {" a ", false},
        {"a", false},
        {"\x7f", false},                 // DEL is above the space
        {"\t\xe9\n", false},             // a letter from the upper half of the code page
        {std::string("\0x", 2), false},  // a NUL does not end the name
    };
    for (const auto& c : cases) EXPECT_EQ(IsBlankGroupName(c.Name), c.Blank) << "\"" << Shown(c.Name) << "\"";
}
