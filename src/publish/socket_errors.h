#pragma once

namespace quillon {

// Socket failures carry the classic Windows Sockets numbers, which the FTP client's messages are written in.
namespace wsa {
inline constexpr int kWouldBlock = 10035;
inline constexpr int kInvalidArgument = 10022;
inline constexpr int kNotSocket = 10038;
inline constexpr int kAddressNotAvailable = 10049;
inline constexpr int kNetworkUnreachable = 10051;
inline constexpr int kConnectionAborted = 10053;
inline constexpr int kConnectionReset = 10054;
inline constexpr int kTimedOut = 10060;
inline constexpr int kConnectionRefused = 10061;
inline constexpr int kHostUnreachable = 10065;
inline constexpr int kHostNotFound = 11001;
inline constexpr int kTryAgain = 11002;
inline constexpr int kNoRecovery = 11003;
inline constexpr int kNoData = 11004;
}  // namespace wsa

// errno of a socket call as its Windows Sockets number.
int wsaFromErrno(int err);
// getaddrinfo's EAI_* result as its Windows Sockets number.
int wsaFromLookup(int eai);

}  // namespace quillon
