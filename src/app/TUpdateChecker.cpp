#include "app/TUpdateChecker.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "settings/UAppSettingXml.h"
#include "win32/ErrorBoundary.h"
#include "win32/ModalWindows.h"

namespace quorlet {

// Shared by the checker and the two threads of one check, so either thread
// may outlive the checker.
struct TUpdateChecker::TState {
    std::mutex Lock;
    std::condition_variable Changed;
    // The worker's connection while it is open; only the worker closes it,
    // others shut it down to wake the worker early.
    SOCKET Socket = INVALID_SOCKET;
    bool Abandoned = false;  // the checker is gone or the time is up
    bool FetchDone = false;
    TUpdateReply Reply;

    void ShutDownSocket() {
        if (Socket != INVALID_SOCKET) shutdown(Socket, SD_BOTH);
    }
};

namespace {

using TState = TUpdateChecker::TState;

class TDeadline {
public:
    explicit TDeadline(DWORD ms) : FEnd(GetTickCount64() + ms) {}
    // Milliseconds left, 0 when the time is up.
    DWORD Left() const {
        const ULONGLONG now = GetTickCount64();
        return now >= FEnd ? 0 : static_cast<DWORD>(FEnd - now);
    }

private:
    ULONGLONG FEnd;
};

// Waits until the socket can be written (or its connect has ended) or read;
// false when the time is up or the wait fails.
bool WaitFor(SOCKET socket, bool write, const TDeadline& deadline) {
    const DWORD left = deadline.Left();
    if (left == 0) return false;
    fd_set ready, failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(socket, &ready);
    FD_SET(socket, &failed);
    timeval wait = {static_cast<long>(left / 1000), static_cast<long>(left % 1000) * 1000};
    const int count = write ? select(0, nullptr, &ready, &failed, &wait) : select(0, &ready, nullptr, &failed, &wait);
    return count > 0 && FD_ISSET(socket, &ready);
}

bool Resolve(const TUpdateEndpoint& endpoint, sockaddr_in& address) {
    address = sockaddr_in();
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(endpoint.Port));
    if (inet_pton(AF_INET, endpoint.Host.c_str(), &address.sin_addr) == 1) return true;
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(endpoint.Host.c_str(), nullptr, &hints, &found) != 0 || !found) return false;
    address.sin_addr = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
    freeaddrinfo(found);
    return true;
}

// Connects, sends the request and reads until the server closes; the bytes
// received, or false. Reading stops one byte past the reply limit.
bool Exchange(TState& state, SOCKET socket, const TUpdateEndpoint& endpoint, const sockaddr_in& address,
              const TDeadline& deadline, std::string& received) {
    u_long nonBlocking = 1;
    if (ioctlsocket(socket, FIONBIO, &nonBlocking) != 0) return false;
    if (connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (WSAGetLastError() != WSAEWOULDBLOCK || !WaitFor(socket, true, deadline)) return false;
        int error = 0;
        int size = sizeof error;
        if (getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0 || error != 0)
            return false;
    }
    const std::string request = UpdateRequestBytes(endpoint);
    for (size_t sent = 0; sent < request.size();) {
        if (!WaitFor(socket, true, deadline)) return false;
        const int n = send(socket, request.data() + sent, static_cast<int>(request.size() - sent), 0);
        if (n > 0)
            sent += static_cast<size_t>(n);
        else if (WSAGetLastError() != WSAEWOULDBLOCK)
            return false;
    }
    char buffer[4096];
    for (;;) {
        if (!WaitFor(socket, false, deadline)) return false;
        {
            std::lock_guard<std::mutex> guard(state.Lock);
            if (state.Abandoned) return false;
        }
        const int n = recv(socket, buffer, sizeof buffer, 0);
        if (n == 0) return true;  // the server closed: the reply is whole
        if (n < 0) {
            if (WSAGetLastError() == WSAEWOULDBLOCK) continue;
            return false;
        }
        received.append(buffer, static_cast<size_t>(n));
        if (received.size() > kUpdateReplyLimit) return false;
    }
}

TUpdateReply Fetch(TState& state, const TUpdateEndpoint& endpoint, DWORD timeLimitMs) {
    const TDeadline deadline(timeLimitMs);
    TUpdateReply reply;
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return reply;
    sockaddr_in address;
    SOCKET socket = INVALID_SOCKET;
    if (Resolve(endpoint, address)) socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (socket != INVALID_SOCKET) {
        bool abandoned;
        {
            std::lock_guard<std::mutex> guard(state.Lock);
            abandoned = state.Abandoned;
            if (!abandoned) state.Socket = socket;
        }
        std::string received;
        if (!abandoned && Exchange(state, socket, endpoint, address, deadline, received))
            reply = ParseUpdateReply(received);
        {
            std::lock_guard<std::mutex> guard(state.Lock);
            state.Socket = INVALID_SOCKET;
        }
        closesocket(socket);
    }
    WSACleanup();
    return reply;
}

// The check's own thread: runs the request on a worker and posts its end,
// or a failure once the time is up (a name lookup cannot be interrupted, so
// the worker may still be busy then and is left to end by itself).
void RunCheck(std::shared_ptr<TState> state, HWND window, uint64_t ticket, TUpdateEndpoint endpoint,
              DWORD timeLimitMs) {
    std::thread([state, endpoint, timeLimitMs] {
        TUpdateReply reply = Fetch(*state, endpoint, timeLimitMs);
        std::lock_guard<std::mutex> guard(state->Lock);
        state->Reply = std::move(reply);
        state->FetchDone = true;
        state->Changed.notify_all();
    }).detach();

    std::unique_lock<std::mutex> lock(state->Lock);
    state->Changed.wait_for(lock, std::chrono::milliseconds(timeLimitMs),
                            [&] { return state->FetchDone || state->Abandoned; });
    if (state->Abandoned) return;  // the checker is gone
    if (!state->FetchDone) {
        state->Abandoned = true;
        state->ShutDownSocket();
        state->Reply = TUpdateReply();
    }
    lock.unlock();
    PostMessageA(window, WM_UPDATE_CHECKED, static_cast<WPARAM>(ticket), 0);
}

// The boxes of a check, owned by the window that asked for it, or by the
// dialog open over it when the answer comes.
class TBoxPrompts : public IUpdatePrompts {
public:
    TBoxPrompts(HWND owner, const std::function<void()>& changed) : FOwner(owner), FChanged(changed) {}
    void Inform(const std::string& text) override {
        MessageBoxA(BoxOwner(FOwner), text.c_str(), kUpdateCaption, MB_OK | MB_ICONINFORMATION);
    }
    bool AskToUpdate() override {
        return MessageBoxA(BoxOwner(FOwner), kUpdateQuestion, kUpdateCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    void SettingsChanged() override {
        if (FChanged) FChanged();
    }

private:
    HWND FOwner;
    const std::function<void()>& FChanged;
};

}  // namespace

TUpdateChecker::~TUpdateChecker() {
    if (!FState) return;
    std::lock_guard<std::mutex> guard(FState->Lock);
    FState->Abandoned = true;
    FState->ShutDownSocket();
    FState->Changed.notify_all();
}

bool TUpdateChecker::Start(HWND window, const TUpdateEndpoint& endpoint, TUpdateCheckKind kind, HWND owner,
                           std::function<void()> settingsChanged) {
    if (FBusy) return false;
    FBusy = true;
    ++FTicket;
    FWindow = window;
    FOwner = owner;
    FKind = kind;
    FEndpoint = endpoint;
    FSettingsChanged = std::move(settingsChanged);
    FState = std::make_shared<TState>();
    try {
        std::thread(&RunCheck, FState, window, FTicket, endpoint, FTimeLimitMs).detach();
    } catch (...) {
        FBusy = false;
        FState.reset();
        throw;
    }
    return true;
}

void TUpdateChecker::Finished(WPARAM ticket) {
    if (!FBusy || !FState || static_cast<uint64_t>(ticket) != FTicket) return;
    TUpdateReply reply;
    {
        std::lock_guard<std::mutex> guard(FState->Lock);
        reply = FState->Reply;
    }
    FState.reset();
    // A dialog that asked and has closed since: the boxes go to the window
    // that took the message, and no labels are left to follow.
    const bool ownerAlive = FOwner && IsWindow(FOwner);
    const HWND owner = ownerAlive ? FOwner : FWindow;
    const std::function<void()> changed = ownerAlive ? std::move(FSettingsChanged) : std::function<void()>();
    FSettingsChanged = nullptr;
    TBoxPrompts prompts(owner, changed);
    // Busy until the boxes are answered: no second check's boxes over them.
    RunGuarded(owner, 0, [&] {
        FinishUpdateCheck(FKind, reply, FEndpoint, AppSettingXml(), FPlatform, prompts, owner);
        return 0;
    });
    FBusy = false;
}

}  // namespace quorlet
