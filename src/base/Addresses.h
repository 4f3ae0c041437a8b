#pragma once
// The program's addresses on the network, in one place: the home page and the
// support mail address the about box and the tray menu show, and the host the
// update check asks.

namespace quorlet {

inline constexpr char HomePageAddress[] = "http://www.quorlet.example/";
inline constexpr char SupportMailAddress[] = "support@quorlet.example";
inline constexpr char UpdateHost[] = "update.quorlet.example";
inline constexpr int UpdatePort = 80;

}  // namespace quorlet
