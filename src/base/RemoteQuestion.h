#pragma once
// Questions another process may ask the running program, and the program's
// answers, as the bytes that travel in one copied-data message each way (the
// system copies them between the processes, so nothing the asker sends can
// point into the program). The asker names a window of its own that gets the
// answer. A question only reads: none changes anything.
//
// Both carry their kind twice, as the message's kind and as their first four
// bytes, and have an exact size; anything else is not a question and gets no
// answer.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quorlet {

// An entry of the context menu open now. Argument: the entry's position.
const uint32_t kQuestionOpenMenuEntry = 0x514C0001;
const uint32_t kAnswerOpenMenuEntry = 0x514C8001;

struct TQuestion {
    uint32_t Kind = 0;
    // Chosen by the asker and given back in the answer.
    uint32_t Serial = 0;
    // The asker's window that is sent the answer (a window handle's value).
    uint64_t ReplyWindow = 0;
    int32_t Argument = 0;
};
const size_t kQuestionSize = 20;

std::vector<uint8_t> EncodeQuestion(const TQuestion& question);
// False for anything but a question of a known kind with a reply window and
// an argument that kind accepts.
bool DecodeQuestion(uint64_t kind, const void* data, size_t size, TQuestion& question);

// The entry's MFS_ state bits with MF_SEPARATOR for a separator, -1 when no
// menu is open or it has no such entry; and its caption.
struct TMenuEntryAnswer {
    uint32_t Serial = 0;
    int32_t State = -1;
    std::string Caption;
};
// Captions longer than this are cut.
const size_t kMaxAnswerCaption = 1024;

std::vector<uint8_t> EncodeMenuEntryAnswer(const TMenuEntryAnswer& answer);
bool DecodeMenuEntryAnswer(uint64_t kind, const void* data, size_t size, TMenuEntryAnswer& answer);

}  // namespace quorlet
