#include "publish/star_ftp.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>

#include "base/file_io.h"
#include "publish/poll_event_loop.h"
#include "star_ftp_fixture.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

TEST(StarFtp, MultiLineGreetingThenLoginOnce) {
  testing::ScriptedFtpServer server(withLogin({}));
  Client c(server.port());
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  EXPECT_TRUE(c.ftp.Success);
  EXPECT_EQ(c.ftp.ServerType, ftpstUNIX);
  EXPECT_TRUE(c.ftp.FtpConnected());
  EXPECT_FALSE(c.ftp.Busy());
  EXPECT_EQ(server.commands, (std::vector<std::string>{"USER user", "PASS secret", "SYST"}));
}

TEST(StarFtp, RefusedUserEndsWithQuit) {
  testing::ScriptedFtpServer server({{"", "220 hi\r\n", nullptr},
                                     {"USER", "530 no\r\n", nullptr},
                                     {"QUIT", "221 bye\r\n", [](testing::ScriptedFtpServer& s) { s.closeControl(); }}});
  Client c(server.port());
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.quit == 1; }));
  EXPECT_EQ(c.errors, (std::vector<int>{27}));
  EXPECT_EQ(c.loggedIn, 0);
}

TEST(StarFtp, AccountAskedWhenTheServerWantsOne) {
  testing::ScriptedFtpServer server({{"", "220 hi\r\n", nullptr},
                                     {"USER", "331 pw\r\n", nullptr},
                                     {"PASS", "332 account\r\n", nullptr},
                                     {"ACCT", "230 ok\r\n", nullptr},
                                     {"SYST", "500 what\r\n", nullptr}});
  Client c(server.port());
  c.ftp.OnFtpNeedInfo = [](TStarFtp&, TFtpInfoNeeded need, std::string& value) {
    if (need == niAccount) value = "acct1";
  };
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  EXPECT_EQ(c.ftp.ServerType, ftpstDefault);
  EXPECT_EQ(server.commands[2], "ACCT acct1");
}

TEST(StarFtp, ListingFillsNamesAndEndsOnceBothSidesAreDone) {
  testing::ScriptedFtpServer server(withLogin({
      {"PWD", "257 \"/site\" is current\r\n", nullptr},
      {"TYPE A", "200 ok\r\n", nullptr},
      {"PORT", "200 ok\r\n", nullptr},
      {"LIST", "150 here it comes\r\n",
       [](testing::ScriptedFtpServer& s) {
         s.openData();
         s.sendData(
             "total 3\r\ndrwxr-xr-x 2 u g 4096 Jan 1 12:00 images\r\n-rw-r--r-- 1 u g 10 Jan 1 12:00 index.html\r\n");
         s.sendData("lrwxrwxrwx 1 u g 4 Jan 1 12:00 www -> site\r\nno line end at the last");
         s.closeData();
       }},
      {"", "226 done\r\n", nullptr},
  }));
  Client c(server.port());
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  c.ftp.ListDirectory();
  ASSERT_TRUE(c.until([&] { return c.listed == 1; }));
  EXPECT_TRUE(c.ftp.Success);
  EXPECT_EQ(c.ftp.InitialDirectory, "/site");
  EXPECT_EQ(c.ftp.Listing().size(), 4u);
  EXPECT_EQ(c.ftp.FileNames(), (std::vector<std::string>{"index.html"}));  // a link is among the folders
  EXPECT_EQ(c.ftp.DirectoryNames(), (std::vector<std::string>{"images", "www"}));
}

void uploadOf(size_t size) {
  testing::TempDir dir;
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
  ASSERT_TRUE(writeFileAtomic(dir.path() + "up.bin", bytes).ok);
  testing::ScriptedFtpServer server(withLogin({
      {"TYPE I", "200 ok\r\n", nullptr},
      {"PORT", "200 ok\r\n", nullptr},
      {"STOR", "150 send it\r\n", [](testing::ScriptedFtpServer& s) { s.openData(); }},
      {"", "226 stored\r\n", [](testing::ScriptedFtpServer& s) { s.receiveAllData(); }},
  }));
  Client c(server.port());
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  c.ftp.LocalFile = dir.path() + "up.bin";
  c.ftp.RemoteFile = "up.bin";
  c.ftp.StoreFile();
  ASSERT_TRUE(c.until([&] { return c.stored == 1; }));
  EXPECT_TRUE(c.ftp.Success) << size;
  EXPECT_EQ(c.ftp.bytesTransferred(), size);
  ASSERT_TRUE(c.until([&] { return server.finished.load(); }));
  EXPECT_EQ(server.uploaded, bytes) << size;
  EXPECT_EQ(server.commands.back(), "STOR up.bin");
}

TEST(StarFtp, UploadsArriveByteForByte) {
  for (size_t size : {0, 1, 2048, 4096, 4097, 300000}) uploadOf(size);
}

TEST(StarFtp, LocalProblemsAreReportedWithoutClosing) {
  testing::ScriptedFtpServer server(withLogin({}));
  Client c(server.port());
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  c.ftp.LocalFile = "/nonexistent/file";
  c.ftp.RemoteFile = "";
  c.ftp.StoreFile();
  ASSERT_TRUE(c.until([&] { return c.stored == 1; }));
  EXPECT_EQ(c.errors, (std::vector<int>{24}));
  EXPECT_FALSE(c.ftp.Success);
  c.ftp.RemoteFile = "x";
  c.ftp.StoreFile();
  ASSERT_TRUE(c.until([&] { return c.stored == 2; }));
  EXPECT_EQ(c.errors.back(), 21);
  EXPECT_TRUE(c.ftp.FtpConnected());
  EXPECT_FALSE(c.ftp.Busy());
}

TEST(StarFtp, BusyAndDisconnectedOperationsAreRefused) {
  testing::ScriptedFtpServer server(withLogin({{"MKD", "257 made\r\n", nullptr}}));
  Client c(server.port());
  c.ftp.MakeDirectory("x");
  EXPECT_EQ(c.infos.back(), 1);  // not connected
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  int made = 0;
  c.ftp.OnDirectoryCreated = [&](TStarFtp&) { ++made; };
  c.ftp.MakeDirectory("x");
  c.ftp.DeleteFile("y");  // still busy with MKD
  EXPECT_EQ(c.infos.back(), 6);
  ASSERT_TRUE(c.until([&] { return made == 1; }));
  EXPECT_TRUE(c.ftp.Success);
}

TEST(StarFtp, GarbageEndlessLinesAndAClosedConnection) {
  testing::ScriptedFtpServer server({{"", std::string(200000, 'x'), [](testing::ScriptedFtpServer&) {}},
                                     {"", "", [](testing::ScriptedFtpServer& s) { s.closeControl(); }}});
  Client c(server.port());
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.quit == 1; }));
  EXPECT_FALSE(c.ftp.FtpConnected());
  EXPECT_EQ(c.loggedIn, 0);
}

TEST(StarFtp, RefusedConnectionIsAFatalError) {
  uint16_t port;
  {
    testing::ScriptedFtpServer probe({});
    port = probe.port();
  }
  Client c(port);
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.quit == 1; }));
  EXPECT_EQ(c.errors, (std::vector<int>{12}));
  EXPECT_TRUE(c.ftp.closedDown());
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

// Logs in, starts uploading `file` as big.bin and aborts it a tenth of a second later: the upload fails
// and the session stays, idle and connected, with less than the file sent.
void uploadAndAbort(Client& c, const std::string& file) {
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  c.ftp.LocalFile = file;
  c.ftp.RemoteFile = "big.bin";
  int aborts = 0;
  const int timer = c.loop.startTimer(100, [&] {
    if (aborts++ == 0) c.ftp.AbortTransfer();
  });
  c.ftp.StoreFile();
  ASSERT_TRUE(c.until([&] { return c.stored == 1; }));
  c.loop.stopTimer(timer);
  EXPECT_FALSE(c.ftp.Success);
  EXPECT_TRUE(c.ftp.FtpConnected());  // the control connection stays
  EXPECT_FALSE(c.ftp.Busy());
  EXPECT_LT(c.ftp.bytesTransferred(), 20u << 20);
}

TEST(StarFtp, AbortTakesBothRepliesDeletesThePartialFileAndKeepsTheSessionUsable) {
  testing::TempDir dir;
  ASSERT_TRUE(writeFileAtomic(dir.path() + "big.bin", std::string(20 << 20, 'x')).ok);
  // The server answers the abort as one that ends the transfer first (226, then 225 for ABOR); the client
  // must take both replies, so that the PWD after them gets its own reply and is sent clean.
  testing::ScriptedFtpServer server(withLogin({
      {"TYPE I", "200 ok\r\n", nullptr},
      {"PORT", "200 ok\r\n", nullptr},
      {"STOR", "150 go\r\n", [](testing::ScriptedFtpServer& s) { s.openData(); }},  // and never read
      {"ABOR", "226 transfer complete\r\n225 no transfer to abort\r\n",
       [](testing::ScriptedFtpServer& s) { s.closeData(); }},
      {"DELE", "250 deleted\r\n", nullptr},
      {"PWD", "257 \"/\"\r\n", nullptr},
  }));
  Client c(server.port());
  ASSERT_NO_FATAL_FAILURE(uploadAndAbort(c, dir.path() + "big.bin"));
  ASSERT_GE(server.commands.size(), 2u);
  EXPECT_EQ(server.commands[server.commands.size() - 2], "ABOR");
  EXPECT_EQ(server.commands.back(), "DELE big.bin") << "the partial file is removed";
  // The listing's later commands may already be in when the wait looks, so the first one after the
  // abort's is the one checked.
  const size_t before = server.commandsSoFar().size();
  c.ftp.ListDirectory();
  ASSERT_TRUE(c.until([&] { return server.commandsSoFar().size() > before || c.quit > 0; }));
  const std::vector<std::string> seen = server.commandsSoFar();
  ASSERT_GT(seen.size(), before);
  EXPECT_EQ(seen[before], "PWD") << "nothing of the abort is glued to the next command";
  EXPECT_TRUE(c.ftp.FtpConnected());
}

TEST(StarFtp, AbortGets426Then226AndEndsTheUpload) {
  testing::TempDir dir;
  ASSERT_TRUE(writeFileAtomic(dir.path() + "big.bin", std::string(20 << 20, 'x')).ok);
  testing::ScriptedFtpServer server(withLogin({
      {"TYPE I", "200 ok\r\n", nullptr},
      {"PORT", "200 ok\r\n", nullptr},
      {"STOR", "150 go\r\n", [](testing::ScriptedFtpServer& s) { s.openData(); }},  // and never read
      {"ABOR", "426 transfer aborted\r\n226 abort done\r\n", [](testing::ScriptedFtpServer& s) { s.closeData(); }},
      {"DELE", "550 no such file\r\n", nullptr},
  }));
  Client c(server.port());
  ASSERT_NO_FATAL_FAILURE(uploadAndAbort(c, dir.path() + "big.bin"));
  EXPECT_EQ(server.commands.back(), "DELE big.bin");
}

TEST(StarFtp, AnAbortAnsweredBy225AloneEndsTheUploadWithoutWaitingForAStorReply) {
  testing::TempDir dir;
  ASSERT_TRUE(writeFileAtomic(dir.path() + "a.bin", std::string(1 << 20, 'a')).ok);
  // As a server answers that had connected the data channel but not yet begun to read it: one 225 for the
  // ABOR, and never a reply for the STOR.
  testing::ScriptedFtpServer server(withLogin({
      {"TYPE I", "200 ok\r\n", nullptr},
      {"PORT", "200 ok\r\n", nullptr},
      {"STOR", "150 go\r\n", [](testing::ScriptedFtpServer& s) { s.openData(); }},
      {"ABOR", "225 ABOR command successful; data channel closed.\r\n",
       [](testing::ScriptedFtpServer& s) { s.closeData(); }},
      {"DELE", "550 no such file\r\n", nullptr},
      {"PWD", "257 \"/\"\r\n", nullptr},
  }));
  Client c(server.port());
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  c.ftp.LocalFile = dir.path() + "a.bin";
  c.ftp.RemoteFile = "a.bin";
  c.ftp.OnFtpInfo = [&](TStarFtp& f, int code, const std::string&) {
    if (code == ftp_info::UploadStarts) f.AbortTransfer();
  };
  c.ftp.StoreFile();
  ASSERT_TRUE(c.until([&] { return c.stored == 1; }));
  c.ftp.OnFtpInfo = nullptr;
  EXPECT_FALSE(c.ftp.Success);
  EXPECT_TRUE(c.ftp.FtpConnected());
  const size_t before = server.commandsSoFar().size();
  c.ftp.ListDirectory();
  ASSERT_TRUE(c.until([&] { return server.receivedSince(before, "PWD") || c.quit > 0; }));
  EXPECT_EQ(server.commandsSoFar()[before], "PWD");
}

TEST(StarFtp, AnAbortBeforeStorWentOutSendsNoStorAndDeletesNothing) {
  testing::TempDir dir;
  ASSERT_TRUE(writeFileAtomic(dir.path() + "a.bin", "abc").ok);
  testing::ScriptedFtpServer server(withLogin({
      {"TYPE I", "", nullptr},  // the reply waits for the abort
      {"ABOR", "200 type set\r\n225 nothing to abort\r\n", nullptr},
      {"PWD", "257 \"/\"\r\n", nullptr},
  }));
  Client c(server.port());
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  c.ftp.LocalFile = dir.path() + "a.bin";
  c.ftp.RemoteFile = "a.bin";
  c.ftp.StoreFile();
  c.ftp.AbortTransfer();
  ASSERT_TRUE(c.until([&] { return c.stored == 1; }));
  EXPECT_FALSE(c.ftp.Success);
  const size_t before = server.commandsSoFar().size();
  c.ftp.ListDirectory();
  ASSERT_TRUE(c.until([&] { return server.receivedSince(before, "PWD") || c.quit > 0; }));
  for (const std::string& command : server.commandsSoFar()) {
    EXPECT_NE(command.rfind("STOR", 0), 0u) << command;
    EXPECT_NE(command.rfind("DELE", 0), 0u) << command;
  }
}

TEST(StarFtp, AnUploadTheServerResetsPartWayFailsWhateverTheReplySays) {
  testing::TempDir dir;
  ASSERT_TRUE(writeFileAtomic(dir.path() + "mb.bin", std::string(1 << 20, 'r')).ok);
  // Eight runs: the reset must be seen every time, however the reply and the reset race.
  for (int run = 0; run < 8; ++run) {
    testing::ScriptedFtpServer server(withLogin({
        {"TYPE I", "200 ok\r\n", nullptr},
        {"PORT", "200 ok\r\n", nullptr},
        {"STOR", "150 go\r\n", [](testing::ScriptedFtpServer& s) { s.openData(); }},
        {"", "226 stored\r\n", [](testing::ScriptedFtpServer& s) { s.receiveThenReset(100 * 1024); }},
    }));
    Client c(server.port());
    c.ftp.Connect();
    ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
    c.ftp.LocalFile = dir.path() + "mb.bin";
    c.ftp.RemoteFile = "mb.bin";
    c.ftp.StoreFile();
    ASSERT_TRUE(c.until([&] { return c.stored == 1; })) << "run " << run;
    EXPECT_FALSE(c.ftp.Success) << "run " << run;
    EXPECT_EQ(server.uploaded.size(), 100u * 1024);
  }
}

// The data connection reset while the file goes out: the upload fails with the reason, and the session
// stays, so that what arrived can be removed.
TEST(StarFtp, AResetDataConnectionFailsTheUploadAndKeepsTheSession) {
  testing::TempDir dir;
  ASSERT_TRUE(writeFileAtomic(dir.path() + "big.bin", std::string(8 << 20, 'z')).ok);
  testing::ScriptedFtpServer server(withLogin({
      {"TYPE I", "200 ok\r\n", nullptr},
      {"PORT", "200 ok\r\n", nullptr},
      {"STOR", "150 go\r\n", [](testing::ScriptedFtpServer& s) { s.openData(); }},
      {"", "426 Connection closed; transfer aborted\r\n",
       [](testing::ScriptedFtpServer& s) { s.receiveThenReset(100 * 1024); }},
      {"DELE", "250 gone\r\n", nullptr},
  }));
  Client c(server.port());
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  c.ftp.LocalFile = dir.path() + "big.bin";
  c.ftp.RemoteFile = "big.bin";
  c.ftp.StoreFile();
  ASSERT_TRUE(c.until([&] { return c.stored == 1; }));
  EXPECT_FALSE(c.ftp.Success);
  EXPECT_EQ(c.errors, (std::vector<int>{ftp_error::DataConnection}));
  ASSERT_TRUE(c.ftp.FtpConnected());
  int deleted = 0;
  c.ftp.OnFileDeleted = [&](TStarFtp&) { ++deleted; };
  c.ftp.DeleteFile("big.bin");
  ASSERT_TRUE(c.until([&] { return deleted == 1; }));
  EXPECT_TRUE(c.ftp.Success);
  EXPECT_EQ(c.quit, 0);
}

TEST(StarFtp, Byte255InANameIsDoubledOnTheControlConnection) {
  testing::ScriptedFtpServer server(withLogin({
      {"DELE", "250 deleted\r\n", nullptr},
  }));
  Client c(server.port());
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  c.ftp.DeleteFile("ff\xff\xf4x");
  ASSERT_TRUE(c.until([&] { return c.ready >= 2; }));
  EXPECT_EQ(server.commands.back(), "DELE ff\xff\xff\xf4x");
}

TEST(StarFtp, DataConnectionClosedMidTransferEndsTheOperation) {
  testing::TempDir dir;
  ASSERT_TRUE(writeFileAtomic(dir.path() + "big.bin", std::string(20 << 20, 'y')).ok);
  testing::ScriptedFtpServer server(withLogin({
      {"TYPE I", "200 ok\r\n", nullptr},
      {"PORT", "200 ok\r\n", nullptr},
      {"STOR", "150 go\r\n", [](testing::ScriptedFtpServer& s) { s.openData(); }},
      {"", "451 local error\r\n", [](testing::ScriptedFtpServer& s) { s.closeData(); }},
  }));
  Client c(server.port());
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  c.ftp.LocalFile = dir.path() + "big.bin";
  c.ftp.RemoteFile = "big.bin";
  c.ftp.StoreFile();
  ASSERT_TRUE(c.until([&] { return c.stored == 1 || c.quit == 1; }));
  EXPECT_FALSE(c.ftp.Success);
  EXPECT_FALSE(c.ftp.Busy());
}

TEST(StarFtp, SilenceAtConnectTimesOut) {
  // A listener whose queue is full drops new connections, so the connect never completes.
  testing::LoopbackListener full(0);
  sockaddr_in a = full.address;
  std::vector<int> queued;
  for (int i = 0; i < 4; ++i) {
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    queued.push_back(s);
  }
  Client c(ntohs(a.sin_port));
  c.ftp.TimeOutConnect = 1;
  c.loop.useFakeTime();
  c.ftp.Connect();
  ASSERT_TRUE(c.loop.runUntil([&] { return c.quit == 1; }, 5000));
  EXPECT_EQ(c.errors, (std::vector<int>{8}));
  for (int s : queued) ::close(s);
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

using Server = testing::ScriptedFtpServer;

// Login, then the PWD, TYPE and PORT a listing starts with, then `rest` from LIST on.
std::vector<Step> listing(std::vector<Step> rest) {
  std::vector<Step> steps = {
      {"PWD", "257 \"/\"\r\n", nullptr}, {"TYPE", "200 ok\r\n", nullptr}, {"PORT", "200 ok\r\n", nullptr}};
  steps.insert(steps.end(), rest.begin(), rest.end());
  return withLogin(steps);
}

TEST(StarFtp, NamesAndCredentialsWithLineBreaksAreNeverSent) {
  testing::ScriptedFtpServer server(withLogin({{"MKD", "257 made\r\n", nullptr}}));
  Client c(server.port());
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  int deleted = 0, renamed = 0, made = 0;
  c.ftp.OnFileDeleted = [&](TStarFtp&) { ++deleted; };
  c.ftp.OnFileRenamed = [&](TStarFtp&) { ++renamed; };
  c.ftp.OnDirectoryCreated = [&](TStarFtp&) { ++made; };
  c.ftp.DeleteFile("a.txt\r\nDELE victim.txt");
  ASSERT_TRUE(c.until([&] { return deleted == 1; }));
  EXPECT_FALSE(c.ftp.Success);
  c.ftp.RenameFile("a.txt", std::string("b\0.txt", 6));
  ASSERT_TRUE(c.until([&] { return renamed == 1; }));
  c.ftp.RemoteFile = "x\ny";
  c.ftp.LocalFile = "/etc/hostname";
  c.ftp.StoreFile();
  ASSERT_TRUE(c.until([&] { return c.stored == 1; }));
  EXPECT_EQ(c.errors, (std::vector<int>{TStarFtp::kUnsafeText, TStarFtp::kUnsafeText, TStarFtp::kUnsafeText}));
  // Refused, not fatal: the connection goes on.
  c.ftp.MakeDirectory("ok");
  ASSERT_TRUE(c.until([&] { return made == 1; }));
  EXPECT_TRUE(c.ftp.Success);
  EXPECT_EQ(server.commands, (std::vector<std::string>{"USER user", "PASS secret", "SYST", "MKD ok"}));

  // A login value with a line break stops Connect before anything is sent.
  testing::ScriptedFtpServer second({{"", "220 hi\r\n", nullptr}});
  Client d(second.port());
  d.ftp.UserPassword = "pw\r\nDELE victim.txt";
  d.ftp.Connect();
  ASSERT_TRUE(d.until([&] { return d.quit == 1; }));
  EXPECT_EQ(d.errors, (std::vector<int>{TStarFtp::kUnsafeText}));
  EXPECT_TRUE(second.commands.empty());
}

TEST(StarFtp, AConnectionLostBeforeTheFinalReplyFailsTheOperationOnce) {
  for (const char* command : {"MKD", "DELE", "PWD", "TYPE"}) {
    testing::ScriptedFtpServer server(withLogin({{command, "", [](Server& s) { s.closeControl(); }}}));
    Client c(server.port());
    c.ftp.Connect();
    ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
    const std::string cmd = command;
    if (cmd == "MKD")
      c.ftp.MakeDirectory("x");
    else if (cmd == "DELE")
      c.ftp.DeleteFile("x");
    else if (cmd == "PWD")
      c.ftp.ListDirectory();
    else {
      c.ftp.LocalFile = "/etc/hostname";
      c.ftp.RemoteFile = "h";
      c.ftp.StoreFile();
    }
    ASSERT_TRUE(c.until([&] { return c.quit == 1 && c.ready == 2; })) << command;
    EXPECT_FALSE(c.ftp.Success) << command;
    EXPECT_EQ(c.errors, (std::vector<int>{6})) << command;  // once, and no error 4 after it
    EXPECT_FALSE(c.ftp.Busy());
  }
  // Later in a multi-step operation: the replies before the dropped one are given, then the line closes.
  const auto drop = [](Server& s) { s.closeControl(); };
  const std::vector<std::pair<std::string, std::vector<Step>>> later = {
      {"PORT", {{"TYPE", "200 ok\r\n", nullptr}, {"PORT", "", drop}}},
      {"STOR", {{"TYPE", "200 ok\r\n", nullptr}, {"PORT", "200 ok\r\n", nullptr}, {"STOR", "", drop}}},
      {"LIST",
       {{"PWD", "257 \"/\"\r\n", nullptr},
        {"TYPE", "200 ok\r\n", nullptr},
        {"PORT", "200 ok\r\n", nullptr},
        {"LIST", "", drop}}},
      {"RNTO", {{"RNFR", "350 go on\r\n", nullptr}, {"RNTO", "", drop}}}};
  for (const auto& [command, steps] : later) {
    testing::ScriptedFtpServer server(withLogin(steps));
    Client c(server.port());
    c.ftp.Connect();
    ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
    if (command == "LIST") {
      c.ftp.ListDirectory();
    } else if (command == "RNTO") {
      c.ftp.RenameFile("a.txt", "b.txt");
    } else {
      c.ftp.LocalFile = "/etc/hostname";
      c.ftp.RemoteFile = "h";
      c.ftp.StoreFile();
    }
    ASSERT_TRUE(c.until([&] { return c.quit == 1 && c.ready == 2; })) << command;
    EXPECT_FALSE(c.ftp.Success) << command;
    EXPECT_EQ(c.errors, (std::vector<int>{6})) << command;
    EXPECT_FALSE(c.ftp.Busy()) << command;
  }
}

TEST(StarFtp, AFatalReplyRaisesOneErrorOnly) {
  testing::ScriptedFtpServer server({{"", "421 too many users\r\n", nullptr}});
  Client c(server.port());
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.quit == 1; }));
  c.loop.runUntil([] { return false; }, 200);  // anything that would follow has its chance
  EXPECT_EQ(c.errors, (std::vector<int>{26}));
}

// Each silent or stuck server ends in the time-out error within the time-out, not never.
TEST(StarFtp, EveryWaitTimesOut) {
  const std::vector<std::pair<const char*, std::vector<Step>>> cases = {
      {"no greeting", {{"", "", nullptr}}},
      {"silence after USER", {{"", "220 hi\r\n", nullptr}, {"USER", "", nullptr}}},
      {"a line that never ends", {{"", "220 hello, and then noth", nullptr}}},
      {"no data connection", listing({{"LIST", "150 here it comes\r\n", nullptr}})},
      {"a data connection that never closes", listing({{"LIST", "150 here\r\n",
                                                        [](Server& s) {
                                                          s.openData();
                                                          s.sendData("-rw-r--r-- 1 u g 1 Jan 1 12:00 a\r\n");
                                                        }}})},
      {"a reply that never ends",
       {{"", "220-hello\r\n220-still\r\n220-and more\r\n", nullptr}}},  // continuation lines are no progress
  };
  for (const auto& [what, steps] : cases) {
    testing::ScriptedFtpServer server(steps);
    Client c(server.port());
    c.ftp.TimeOut = 1;
    c.loop.useFakeTime();
    const std::string name = what;
    c.ftp.OnLoggedIn = [&](TStarFtp& f) {
      ++c.loggedIn;
      f.ListDirectory();
    };
    const auto start = std::chrono::steady_clock::now();
    c.ftp.Connect();
    ASSERT_TRUE(c.until([&] { return c.quit == 1; })) << what;
    EXPECT_EQ(c.errors, (std::vector<int>{8})) << what;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << what;
    EXPECT_FALSE(c.ftp.Busy()) << what;
  }
}

TEST(StarFtp, AListingLineThatNeverEndsIsRefusedNotHeld) {
  testing::ScriptedFtpServer server(listing({{"LIST", "150 here\r\n", [](Server& s) {
                                                s.openData();
                                                s.sendData(std::string(100000, 'x'));  // and no line end
                                              }}}));
  Client c(server.port());
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  c.ftp.ListDirectory();
  ASSERT_TRUE(c.until([&] { return c.quit == 1; }));
  EXPECT_EQ(c.errors, (std::vector<int>{28}));
}

TEST(StarFtp, A426WithoutAnAbortFailsTheUploadAtOnce) {
  testing::ScriptedFtpServer server(withLogin({{"TYPE", "200 ok\r\n", nullptr},
                                               {"PORT", "200 ok\r\n", nullptr},
                                               {"STOR", "150 go\r\n", [](Server& s) { s.openData(); }},
                                               {"", "426 lost\r\n", [](Server& s) { s.receiveAllData(); }}}));
  Client c(server.port());
  c.ftp.TimeOut = 0;  // no time-out to end it otherwise
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  c.ftp.LocalFile = "/etc/hostname";
  c.ftp.RemoteFile = "h";
  c.ftp.StoreFile();
  ASSERT_TRUE(c.until([&] { return c.stored == 1; }));
  EXPECT_FALSE(c.ftp.Success);
  EXPECT_TRUE(c.ftp.FtpConnected());
}

TEST(StarFtp, QuitEndsTheConnectionEvenWhenTheServerKeepsItOpen) {
  testing::ScriptedFtpServer server(withLogin({{"QUIT", "221 bye\r\n", nullptr}}));  // and never closes
  Client c(server.port());
  c.ftp.TimeOut = 0;  // no time-out to fall back on
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  c.ftp.Quit();
  ASSERT_TRUE(c.until([&] { return c.quit == 1; }));
  EXPECT_TRUE(c.errors.empty());
  EXPECT_FALSE(c.ftp.FtpConnected());
}

TEST(StarFtp, ListingsWithBlanksLinksAndBareLineFeeds) {
  testing::ScriptedFtpServer server(listing({
      {"LIST", "150 here\r\n",
       [](Server& s) {
         s.openData();
         s.sendData("drwxr-xr-x 2 u g 4096 Jan 1 12:00 My Folder\n-rw-r--r-- 1 u g 10 Jan 1 12:00 with space.txt\n");
         s.sendData("lrwxrwxrwx 1 u g 4 Jan 1 12:00 www -> site\n-rw-r--r-- 1 u g 10 Jan 1 12:00 arrow->name.txt\n");
         s.closeData();
       }},
      {"", "226 done\r\n", nullptr},
  }));
  Client c(server.port());
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  c.ftp.ListDirectory();
  ASSERT_TRUE(c.until([&] { return c.listed == 1; }));
  EXPECT_EQ(c.ftp.DirectoryNames(), (std::vector<std::string>{"My Folder", "www"}));  // a link among the folders
  EXPECT_EQ(c.ftp.FileNames(), (std::vector<std::string>{"with space.txt", "arrow->name.txt"}));
  EXPECT_EQ(c.ftp.Listing().size(), 4u);
}

TEST(StarFtp, ARefusedInitialFolderAndOddLocalFilesFailBeforeAnythingIsStored) {
  testing::ScriptedFtpServer server({{"", "220 hi\r\n", nullptr},
                                     {"USER", "230 in\r\n", nullptr},
                                     {"SYST", "215 UNIX\r\n", nullptr},
                                     {"CWD", "550 no such folder\r\n", nullptr}});
  Client c(server.port());
  c.ftp.InitialDirectory = "missing";
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  EXPECT_FALSE(c.ftp.Success);
  testing::TempDir dir;
  ::mkfifo((dir.path() + "pipe").c_str(), 0600);
  for (const std::string local : {dir.path(), dir.path() + "pipe", dir.path() + "missing"}) {
    c.ftp.LocalFile = local;
    c.ftp.RemoteFile = "x";
    const int before = c.stored;
    c.ftp.StoreFile();
    ASSERT_TRUE(c.until([&] { return c.stored == before + 1; })) << local;
    EXPECT_EQ(c.errors.back(), 21) << local;
  }
  for (const auto& command : server.commands) EXPECT_NE(command.rfind("TYPE", 0), 0u) << command;
}

TEST(StarFtp, AHostNameOverSixtySevenCharactersIsSaidToBeTooLong) {
  PollEventLoop loop;
  TStarFtp ftp(loop);
  std::string text;
  ftp.OnFtpError = [&](TStarFtp&, int, const std::string& t) { text = t; };
  ftp.setFtpServer(std::string(68, 'h') + ".example");
  ftp.Connect();
  EXPECT_EQ(text, "The host name is longer than 67 characters");
  EXPECT_EQ(ftp.error(), 16);
}

}  // namespace
}  // namespace quillon
