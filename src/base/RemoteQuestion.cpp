#include "base/RemoteQuestion.h"

#include <algorithm>

namespace quorlet {

namespace {

// Little-endian, whatever the machine, so both sides agree on every build.
void Put(std::vector<uint8_t>& bytes, uint64_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint64_t Get(const uint8_t* bytes, int size) {
    uint64_t value = 0;
    for (int i = 0; i < size; ++i) value |= static_cast<uint64_t>(bytes[i]) << (8 * i);
    return value;
}

const size_t kAnswerHeaderSize = 16;

}  // namespace

std::vector<uint8_t> EncodeQuestion(const TQuestion& question) {
    std::vector<uint8_t> bytes;
    bytes.reserve(kQuestionSize);
    Put(bytes, question.Kind, 4);
    Put(bytes, question.Serial, 4);
    Put(bytes, question.ReplyWindow, 8);
    Put(bytes, static_cast<uint32_t>(question.Argument), 4);
    return bytes;
}

bool DecodeQuestion(uint64_t kind, const void* data, size_t size, TQuestion& question) {
    if (kind != kQuestionOpenMenuEntry || !data || size != kQuestionSize) return false;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    TQuestion decoded;
    decoded.Kind = static_cast<uint32_t>(Get(bytes, 4));
    decoded.Serial = static_cast<uint32_t>(Get(bytes + 4, 4));
    decoded.ReplyWindow = Get(bytes + 8, 8);
    decoded.Argument = static_cast<int32_t>(static_cast<uint32_t>(Get(bytes + 16, 4)));
    if (decoded.Kind != kind || decoded.ReplyWindow == 0 || decoded.Argument < 0) return false;
    question = decoded;
    return true;
}

std::vector<uint8_t> EncodeMenuEntryAnswer(const TMenuEntryAnswer& answer) {
    const size_t length = std::min(answer.Caption.size(), kMaxAnswerCaption);
    std::vector<uint8_t> bytes;
    bytes.reserve(kAnswerHeaderSize + length);
    Put(bytes, kAnswerOpenMenuEntry, 4);
    Put(bytes, answer.Serial, 4);
    Put(bytes, static_cast<uint32_t>(answer.State), 4);
    Put(bytes, length, 4);
    bytes.insert(bytes.end(), answer.Caption.begin(), answer.Caption.begin() + static_cast<std::ptrdiff_t>(length));
    return bytes;
}

bool DecodeMenuEntryAnswer(uint64_t kind, const void* data, size_t size, TMenuEntryAnswer& answer) {
    if (kind != kAnswerOpenMenuEntry || !data || size < kAnswerHeaderSize) return false;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    const uint64_t length = Get(bytes + 12, 4);
    if (Get(bytes, 4) != kind || length > kMaxAnswerCaption || size != kAnswerHeaderSize + length) return false;
    answer.Serial = static_cast<uint32_t>(Get(bytes + 4, 4));
    answer.State = static_cast<int32_t>(static_cast<uint32_t>(Get(bytes + 8, 4)));
    answer.Caption.assign(reinterpret_cast<const char*>(bytes + kAnswerHeaderSize), static_cast<size_t>(length));
    return true;
}

}  // namespace quorlet
