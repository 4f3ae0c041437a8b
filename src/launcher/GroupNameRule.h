#pragma once
// The tab sheet name prompt's one rule: a name made only of blanks and control
// characters is no name. The test trims; the name itself is kept as typed.

#include <string>

namespace quorlet {

// True when name holds nothing but characters up to the space (0x00..0x20).
bool IsBlankGroupName(const std::string& name);

}  // namespace quorlet
