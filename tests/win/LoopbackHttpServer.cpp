#include "LoopbackHttpServer.h"

#include <ws2tcpip.h>

namespace quorlet {

namespace {

// Waits up to ms for the socket to become readable (or writable); false on timeout.
bool Ready(SOCKET socket, bool write, DWORD ms) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket, &set);
    timeval wait = {static_cast<long>(ms / 1000), static_cast<long>(ms % 1000) * 1000};
    return select(0, write ? nullptr : &set, write ? &set : nullptr, nullptr, &wait) > 0;
}

SOCKET BoundLoopbackSocket(int& port) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return s;
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int size = sizeof address;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    port = ntohs(address.sin_port);
    return s;
}

}  // namespace

TLoopbackHttpServer::TLoopbackHttpServer(TServerBehaviour behaviour, const std::string& reply, int connections,
                                         DWORD lifeMs)
    : FBehaviour(behaviour), FReply(reply), FConnections(connections), FEnd(GetTickCount64() + lifeMs) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    FListener = BoundLoopbackSocket(FPort);
    if (FListener == INVALID_SOCKET || listen(FListener, 4) != 0) {
        FStopped = true;
        return;
    }
    FThread = std::thread(&TLoopbackHttpServer::Run, this);
}

TLoopbackHttpServer::~TLoopbackHttpServer() {
    FStop = true;
    if (FThread.joinable()) FThread.join();
    if (FListener != INVALID_SOCKET) closesocket(FListener);
    WSACleanup();
}

std::vector<std::string> TLoopbackHttpServer::Requests() const {
    std::lock_guard<std::mutex> guard(FLock);
    return FRequests;
}

bool TLoopbackHttpServer::Alive() const { return !FStop && GetTickCount64() < FEnd; }

void TLoopbackHttpServer::Run() {
    for (int served = 0; served < FConnections && Alive();) {
        if (!Ready(FListener, false, 50)) continue;
        SOCKET client = accept(FListener, nullptr, nullptr);
        if (client == INVALID_SOCKET) continue;
        Serve(client);
        closesocket(client);
        ++served;
    }
    FStopped = true;
}

void TLoopbackHttpServer::Serve(SOCKET client) {
    // The request: up to its blank line (the check sends no body).
    std::string request;
    char buffer[4096];
    while (Alive() && request.find("\r\n\r\n") == std::string::npos) {
        if (!Ready(client, false, 50)) continue;
        const int n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        request.append(buffer, static_cast<size_t>(n));
    }
    {
        std::lock_guard<std::mutex> guard(FLock);
        FRequests.push_back(request);
    }
    // Whether the client has gone: readable with nothing left to read.
    auto clientGone = [&] {
        if (!Ready(client, false, 0)) return false;
        if (recv(client, buffer, sizeof buffer, 0) > 0) return false;
        ++FClosedByClient;
        return true;
    };
    auto sendAll = [&](const char* data, size_t size) {
        for (size_t sent = 0; sent < size;) {
            const int n = send(client, data + sent, static_cast<int>(size - sent), 0);
            if (n <= 0) return false;
            sent += static_cast<size_t>(n);
        }
        return true;
    };
    switch (FBehaviour) {
        case TServerBehaviour::ReplyWhenReleased:
            while (Alive() && !FReleased) Sleep(20);
            sendAll(FReply.data(), FReply.size());
            shutdown(client, SD_SEND);
            break;
        case TServerBehaviour::Reply:
            sendAll(FReply.data(), FReply.size());
            shutdown(client, SD_SEND);
            break;
        case TServerBehaviour::NeverAnswer:
            while (Alive() && !clientGone()) Sleep(20);
            break;
        case TServerBehaviour::Drip: {
            const char status[] = "HTTP/1.0 200 OK\r\nX-Drip: ";
            if (!sendAll(status, sizeof status - 1)) break;
            while (Alive() && !clientGone()) {
                if (!sendAll("d", 1)) {
                    ++FClosedByClient;
                    break;
                }
                Sleep(100);
            }
            break;
        }
        case TServerBehaviour::Flood: {
            const char header[] = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n";
            if (!sendAll(header, sizeof header - 1)) break;
            const std::string chunk(64 * 1024, 'x');
            const long long total = 100LL * 1024 * 1024;
            while (Alive() && FBodyBytesSent < total) {
                if (!Ready(client, true, 100)) continue;
                const int n = send(client, chunk.data(), static_cast<int>(chunk.size()), 0);
                if (n <= 0) {
                    ++FClosedByClient;
                    break;
                }
                FBodyBytesSent += n;
            }
            break;
        }
    }
}

int UnusedLoopbackPort() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    int port = 0;
    SOCKET s = BoundLoopbackSocket(port);
    if (s != INVALID_SOCKET) closesocket(s);
    WSACleanup();
    return port;
}

}  // namespace quorlet
