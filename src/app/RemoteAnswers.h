#pragma once
// The main window's answers to other processes' questions
// (base/RemoteQuestion.h), which arrive as WM_COPYDATA: the answer goes back
// the same way, to the window the question names, so nothing is ever written
// where the asker points.

#include <windows.h>

namespace quorlet {

// An asker that takes longer than this to take its answer goes without it.
const UINT kAnswerTimeoutMs = 2000;

// For WM_COPYDATA sent to receiver: a well-formed question is answered and
// TRUE returned; anything else (another kind, a wrong size, a reply window
// that is no window or is receiver itself) is ignored and FALSE returned.
LRESULT AnswerRemoteQuestion(HWND receiver, const COPYDATASTRUCT* data);

}  // namespace quorlet
