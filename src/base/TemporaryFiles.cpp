#include "base/TemporaryFiles.h"

#include "base/TextCompare.h"

namespace quorlet {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the decimal number at text[at], up to the end or a non-digit; false
// for none or one that does not fit.
bool ReadNumber(const std::string& text, size_t& at, unsigned long& value) {
    const size_t start = at;
    unsigned long long number = 0;
    while (at < text.size() && IsDigit(text[at])) {
        number = number * 10 + static_cast<unsigned>(text[at] - '0');
        if (number > 0xFFFFFFFFull) return false;
        ++at;
    }
    value = static_cast<unsigned long>(number);
    return at > start;
}

}  // namespace

std::string TemporaryFileName(const std::string& target, unsigned long processId, unsigned long tick) {
    return target + "." + std::to_string(processId) + "-" + std::to_string(tick) + ".tmp";
}

bool IsTemporaryFileOf(const std::string& targetName, const std::string& candidateName, unsigned long& processId) {
    const std::string suffix = ".tmp";
    if (targetName.empty() || candidateName.size() < targetName.size() + 1 + suffix.size() ||
        !SameText(candidateName.substr(0, targetName.size()), targetName) ||
        !SameText(candidateName.substr(candidateName.size() - suffix.size()), suffix))
        return false;
    size_t at = targetName.size();
    if (candidateName[at++] != '.') return false;
    unsigned long process = 0, tick = 0;
    if (!ReadNumber(candidateName, at, process) || at >= candidateName.size() || candidateName[at++] != '-' ||
        !ReadNumber(candidateName, at, tick) || at != candidateName.size() - suffix.size())
        return false;
    processId = process;
    return true;
}

}  // namespace quorlet
