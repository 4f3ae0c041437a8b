#include "app/RemoteAnswers.h"

#include <cstdint>
#include <vector>

#include "app/TCommandMenu.h"
#include "base/RemoteQuestion.h"

namespace quorlet {

namespace {

bool SendAnswer(HWND receiver, HWND reply, uint32_t kind, const std::vector<uint8_t>& answer) {
    COPYDATASTRUCT copy = {};
    copy.dwData = kind;
    copy.cbData = static_cast<DWORD>(answer.size());
    copy.lpData = const_cast<uint8_t*>(answer.data());
    DWORD_PTR ignored = 0;
    // SMTO_BLOCK: no other message of the program runs while the asker takes it.
    return SendMessageTimeoutA(reply, WM_COPYDATA, reinterpret_cast<WPARAM>(receiver), reinterpret_cast<LPARAM>(&copy),
                               SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerTimeoutMs, &ignored) != 0;
}

}  // namespace

LRESULT AnswerRemoteQuestion(HWND receiver, const COPYDATASTRUCT* data) {
    TQuestion question;
    if (!data || !DecodeQuestion(data->dwData, data->lpData, data->cbData, question)) return FALSE;
    const HWND reply = reinterpret_cast<HWND>(static_cast<uintptr_t>(question.ReplyWindow));
    if (reply == receiver || !IsWindow(reply)) return FALSE;
    switch (question.Kind) {
    case kQuestionOpenMenuEntry: {
        TMenuEntryAnswer answer;
        answer.Serial = question.Serial;
        answer.State = OpenMenuItem(question.Argument, answer.Caption);
        return SendAnswer(receiver, reply, kAnswerOpenMenuEntry, EncodeMenuEntryAnswer(answer)) ? TRUE : FALSE;
    }
    default:
        return FALSE;
    }
}

}  // namespace quorlet
