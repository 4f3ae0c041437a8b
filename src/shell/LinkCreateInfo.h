#pragma once
// The description of a shortcut to be written: fixed-width, zero-terminated
// 8-bit texts, as the shell link object takes them.

#include <cstdint>
#include <cstring>
#include <string>

namespace quorlet {

struct TLinkCreateInfo {
    char Path[261];
    char WorkingDir[261];
    char IconLocation[261];
    int32_t IconIndex;
    char Arguments[261];
    char Description[256];
    char RelativePath[256];
    int32_t ShowCmd;
    uint16_t HotKey;
};

// Copies at most N - 1 characters and terminates; false when text was cut.
template <size_t N>
bool AssignLinkField(char (&field)[N], const std::string& text) {
    size_t length = text.size() < N - 1 ? text.size() : N - 1;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
    return length == text.size();
}

}  // namespace quorlet
