#pragma once

// The service's addresses, all in one place: its web pages, and the hosts the program connects to
// when "Network.cfg" names none. Each page address stays within 34 bytes, the most that a link
// field of the server's records holds.
inline constexpr const char *kProductUrl = "https://lantile.example.org/";
inline constexpr const char *kServiceStatusUrl = "https://lantile.example.org/status";
inline constexpr const char *kRegisterPageUrl = "https://lantile.example.org/signup";
inline constexpr const char *kPayPageUrl = "https://lantile.example.org/pay";
inline constexpr const char *kAvatarPageUrl = "https://lantile.example.org/show";
inline constexpr const char *kMemberPageUrl = "https://lantile.example.org/member";
// The top-up dialog's links: the portal and how to buy a card.
inline constexpr const char *kPortalUrl = "https://lantile.example.org/portal";
inline constexpr const char *kBuyCardUrl = "https://lantile.example.org/card";
// The top-up dialog's advert, a page of the data folder.
inline constexpr const char *kBuyAdvertPage = "ad\\buy.htm";

// The game server of "Network.cfg" [loginserver] ip, on its designed port.
inline constexpr const char *kGameServerHost = "game.lantile.example.org";
inline constexpr int kGameServerPort = 1982;
// The registration server of [loginserver] regip; the same port serves a direct link and one
// through a proxy.
inline constexpr const char *kRegServerHost = "reg.lantile.example.org";
inline constexpr int kRegServerPort = 3891;
