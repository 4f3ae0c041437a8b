#pragma once
// Key names from the system's key-name table.

#include <cstdint>
#include <string>

namespace quorlet {

// The system's name of a virtual key, as the user's keyboard labels it;
// empty when it has none.
std::string SystemKeyName(uint32_t virtualKey);

}  // namespace quorlet
