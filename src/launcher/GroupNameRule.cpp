#include "launcher/GroupNameRule.h"

namespace quorlet {

bool IsBlankGroupName(const std::string& name) {
    for (char c : name)
        if (static_cast<unsigned char>(c) > ' ') return false;
    return true;
}

}  // namespace quorlet
