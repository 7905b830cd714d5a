#include "publish/star_socket.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "loopback.h"
#include "publish/poll_event_loop.h"
#include "publish/socket_errors.h"

namespace quillon {
namespace {

using Listener = testing::LoopbackListener;

uint16_t closedPort() {
  Listener l;
  return l.port;  // closed again when l goes
}

TEST(StarSocket, ConnectSendReceiveAndClose) {
  PollEventLoop loop;
  Listener server;
  TStarSocket s(loop);
  std::vector<std::string> events;
  std::string received;
  s.OnConnected = [&](TStarSocket& x) { events.push_back("connected " + std::to_string(x.LastError)); };
  s.OnReadyToWrite = [&](TStarSocket&) { events.push_back("write"); };
  s.OnDataAvailable = [&](TStarSocket& x) {
    char buf[64];
    const size_t n = x.ReceiveData(buf, sizeof buf);
    received.append(buf, n);
  };
  s.OnDisconnected = [&](TStarSocket&) { events.push_back("closed"); };
  ASSERT_TRUE(s.StartWinsock());
  s.OpenSocket();
  s.SetAddress("127.0.0.1");
  s.SetPort(server.port);
  s.Connect();
  EXPECT_EQ(s.LastError, 0);
  ASSERT_TRUE(loop.runUntil([&] { return events.size() >= 2; }, 2000));
  EXPECT_EQ(events[0], "connected 0");
  EXPECT_EQ(events[1], "write");
  EXPECT_TRUE(s.Connected);
  EXPECT_EQ(s.LocalAddressText(), "127.0.0.1");
  EXPECT_NE(s.LocalPort(), 0);

  const int peer = server.accept();
  EXPECT_EQ(s.SendData("USER x\r\n", 8), 8u);
  char buf[16] = {};
  EXPECT_EQ(::recv(peer, buf, sizeof buf, 0), 8);
  ::send(peer, "220 hello\r\n", 11, 0);
  ASSERT_TRUE(loop.runUntil([&] { return received.size() == 11; }, 2000));
  EXPECT_EQ(received, "220 hello\r\n");
  ::close(peer);
  ASSERT_TRUE(loop.runUntil([&] { return events.back() == "closed"; }, 2000));
  EXPECT_FALSE(s.Connected);
  EXPECT_EQ(s.handle(), -1);
}

TEST(StarSocket, ARefusedConnectStillReportsConnected) {
  PollEventLoop loop;
  TStarSocket s(loop);
  int error = -1;
  s.OnConnected = [&](TStarSocket& x) { error = x.LastError; };
  s.OpenSocket();
  s.SetAddress("127.0.0.1");
  s.SetPort(closedPort());
  s.Connect();
  ASSERT_TRUE(loop.runUntil([&] { return error != -1; }, 2000));
  EXPECT_EQ(error, wsa::kConnectionRefused);
}

TEST(StarSocket, TimeOutClosesFirstThenReports) {
  PollEventLoop loop;
  loop.useFakeTime();
  TStarSocket s(loop);
  s.OpenSocket();
  s.StartTimeOut(0);
  EXPECT_FALSE(s.timerRunning());  // zero starts nothing
  int handleWhenReported = 0;
  bool timedOut = false;
  s.OnTimeOut = [&](TStarSocket& x) {
    timedOut = true;
    handleWhenReported = x.handle();
  };
  s.StartTimeOut(1);
  EXPECT_TRUE(s.timerRunning());
  ASSERT_TRUE(loop.runUntil([&] { return timedOut; }, 3000));
  EXPECT_EQ(handleWhenReported, -1);
}

TEST(StarSocket, ServerTextClassifiedByItsFirstCharacter) {
  PollEventLoop loop;
  TStarSocket s(loop);
  s.setFtpServer("ftp.example.org");
  EXPECT_EQ(s.HostName, "ftp.example.org");
  EXPECT_EQ(s.Address, "");
  s.setFtpServer("127.0.0.1");
  EXPECT_EQ(s.Address, "127.0.0.1");
  EXPECT_EQ(s.HostName, "");
  s.setFtpServer("4host.example.org");  // a name starting with a digit is still a name to look up
  EXPECT_EQ(s.HostName, "4host.example.org");
  EXPECT_EQ(s.Address, "");
  s.setFtpServer("");
  EXPECT_EQ(s.FtpServer(), "4host.example.org");
}

TEST(StarSocket, LookupsResolveFailOrAreCancelled) {
  PollEventLoop loop;
  TStarSocket s(loop);
  int resolved = 0;
  int error = -1;
  s.OnHostResolved = [&](TStarSocket& x) {
    ++resolved;
    error = x.LastError;
  };
  s.LookupHost(std::string(68, 'a'));
  EXPECT_EQ(s.LastError, wsa::kInvalidArgument);
  EXPECT_FALSE(s.lookupPending());

  s.LookupHost("localhost");
  EXPECT_TRUE(s.lookupPending());
  s.LookupHost("ignored.example");  // one at a time
  ASSERT_TRUE(loop.runUntil([&] { return resolved == 1; }, 5000));
  EXPECT_EQ(error, 0);
  s.TakeResolvedAddress();
  EXPECT_EQ(s.AddressText(), "127.0.0.1");

  s.LookupHost("localhost");
  s.CloseSocket();  // cancels it: no notification, and a new lookup may start
  EXPECT_FALSE(s.lookupPending());
  loop.runUntil([] { return false; }, 300);
  EXPECT_EQ(resolved, 1);
  s.LookupHost("no-such-host.invalid");
  ASSERT_TRUE(loop.runUntil([&] { return resolved == 2; }, 10000));
  EXPECT_NE(error, 0);
  EXPECT_GE(error, wsa::kHostNotFound);
}

TEST(StarSocket, ListenAndAccept) {
  PollEventLoop loop;
  TStarSocket listener(loop), held(loop), client(loop);
  bool accepted = false;
  std::string got;
  listener.OnAccept = [&](TStarSocket& l) {
    held.AcceptFrom(l);
    accepted = held.LastError == 0;
  };
  held.OnDataAvailable = [&](TStarSocket& x) {
    char buf[32];
    got.append(buf, x.ReceiveData(buf, sizeof buf));
  };
  listener.OpenSocket();
  listener.SetAddress("127.0.0.1");
  listener.SetPort(0);
  listener.Listen();
  ASSERT_EQ(listener.LastError, 0);
  const uint16_t port = listener.LocalPort();
  ASSERT_NE(port, 0);
  bool ready = false;
  client.OnReadyToWrite = [&](TStarSocket&) { ready = true; };
  client.OpenSocket();
  client.SetAddress("127.0.0.1");
  client.SetPort(port);
  client.Connect();
  ASSERT_TRUE(loop.runUntil([&] { return accepted && ready; }, 2000));
  EXPECT_TRUE(held.Connected);
  EXPECT_EQ(held.AddressText(), "127.0.0.1");
  client.SendData("data", 4);
  ASSERT_TRUE(loop.runUntil([&] { return got == "data"; }, 2000));
}

TEST(SocketErrors, ClassicNumbers) {
  EXPECT_EQ(wsaFromErrno(ECONNREFUSED), 10061);
  EXPECT_EQ(wsaFromErrno(ETIMEDOUT), 10060);
  EXPECT_EQ(wsaFromErrno(ECONNRESET), 10054);
  EXPECT_EQ(wsaFromErrno(ECONNABORTED), 10053);
  EXPECT_EQ(wsaFromErrno(ENETUNREACH), 10051);
  EXPECT_EQ(wsaFromErrno(EHOSTUNREACH), 10065);
  EXPECT_EQ(wsaFromErrno(EADDRNOTAVAIL), 10049);
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

// A socket opened before its address was known connects over IPv6 to an IPv6 address; the server text
// takes IPv6 addresses with or without brackets, and a name stays a name.
TEST(StarSocket, IPv6AddressesAreUsedAsTheyAre) {
  const int listener = ::socket(AF_INET6, SOCK_STREAM, 0);
  sockaddr_in6 own{};
  own.sin6_family = AF_INET6;
  own.sin6_addr = in6addr_loopback;
  if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&own), sizeof own) != 0)
    GTEST_SKIP() << "no IPv6 loopback here";
  ::listen(listener, 1);
  socklen_t length = sizeof own;
  ::getsockname(listener, reinterpret_cast<sockaddr*>(&own), &length);
  PollEventLoop loop;
  TStarSocket s(loop);
  bool connected = false;
  s.OnConnected = [&](TStarSocket& x) { connected = x.LastError == 0; };
  s.OpenSocket();
  s.SetAddress("[::1]");
  s.SetPort(ntohs(own.sin6_port));
  s.Connect();
  ASSERT_TRUE(loop.runUntil([&] { return connected; }, 2000));
  EXPECT_EQ(s.AddressText(), "::1");
  EXPECT_EQ(s.LocalAddressText(), "::1");
  ::close(listener);

  for (const char* text : {"::1", "[::1]", "2001:db8::1"}) {
    TStarSocket t(loop);
    t.setFtpServer(text);
    EXPECT_FALSE(t.Address.empty()) << text;
    EXPECT_TRUE(t.HostName.empty()) << text;
  }
  TStarSocket named(loop);
  named.setFtpServer("ftp.example.org");
  EXPECT_EQ(named.HostName, "ftp.example.org");
  EXPECT_TRUE(named.Address.empty());
}

}  // namespace
}  // namespace quillon
