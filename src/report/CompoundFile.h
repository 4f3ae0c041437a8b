#pragma once
// The structured storage file that holds the stream of an Excel 97-2003 workbook.

#include <string>

namespace quorlet {

// The bytes of a compound file (version 3, 512-byte sectors) holding one stream at the root.
// Streams under 4096 bytes go to the mini stream, as readers look for them there.
// Throws std::invalid_argument for a name that is empty, over 31 characters or holds / \ : !,
// and std::length_error for a stream over 2 GB.
std::string CompoundFileBytes(const std::u16string& streamName, const std::string& stream);

}  // namespace quorlet
