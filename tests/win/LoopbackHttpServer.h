#pragma once
// A small HTTP server for the update check's tests, on 127.0.0.1 at a port
// the system picks. It serves a fixed number of connections one after the
// other, each with the same behaviour, and stops by itself after the last or
// when its life is over, whichever comes first.

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <winsock2.h>

#include <windows.h>

namespace quorlet {

enum class TServerBehaviour {
    Reply,        // sends the reply and closes
    NeverAnswer,  // reads the request and keeps the connection open, silent
    Drip,         // a status line, then a header byte every 100 ms, forever
    Flood,        // a 200 header, then up to 100 MB of body
    ReplyWhenReleased,  // reads the request, waits for Release, then replies as Reply does
};

class TLoopbackHttpServer {
public:
    TLoopbackHttpServer(TServerBehaviour behaviour, const std::string& reply = std::string(), int connections = 1,
                        DWORD lifeMs = 60000);
    // Stops at once: open connections are closed.
    ~TLoopbackHttpServer();
    TLoopbackHttpServer(const TLoopbackHttpServer&) = delete;
    TLoopbackHttpServer& operator=(const TLoopbackHttpServer&) = delete;

    int Port() const { return FPort; }
    // The request of each connection so far, up to and with its blank line.
    std::vector<std::string> Requests() const;
    // Connections whose client closed or reset while the server still held them.
    int ClosedByClient() const { return FClosedByClient; }
    // Bytes of body sent by Flood.
    long long BodyBytesSent() const { return FBodyBytesSent; }
    bool Stopped() const { return FStopped; }
    // ReplyWhenReleased: the reply may go now.
    void Release() { FReleased = true; }

private:
    void Run();
    bool Alive() const;
    void Serve(SOCKET client);

    TServerBehaviour FBehaviour;
    std::string FReply;
    int FConnections;
    ULONGLONG FEnd;
    SOCKET FListener = INVALID_SOCKET;
    int FPort = 0;
    mutable std::mutex FLock;
    std::vector<std::string> FRequests;
    std::atomic<int> FClosedByClient{0};
    std::atomic<long long> FBodyBytesSent{0};
    std::atomic<bool> FStop{false};
    std::atomic<bool> FStopped{false};
    std::atomic<bool> FReleased{false};
    std::thread FThread;
};

// A loopback port that nothing listens on (connections to it are refused).
int UnusedLoopbackPort();

}  // namespace quorlet
