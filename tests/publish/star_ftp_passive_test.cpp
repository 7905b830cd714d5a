// Passive data connections against a scripted server: EPSV first, PASV after a refusal, PORT last in Auto;
// the data connection always goes to the control connection's address; lying replies end the session.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "base/file_io.h"
#include "star_ftp_fixture.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

using Server = testing::ScriptedFtpServer;

int countOf(const std::vector<std::string>& commands, const std::string& prefix) {
  return static_cast<int>(
      std::count_if(commands.begin(), commands.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
}

TEST(StarFtpPassive, AListingOverEpsvSendsNoPort) {
  Server server(withLogin({
      {"PWD", "257 \"/\"\r\n", nullptr},
      {"TYPE A", "200 ok\r\n", nullptr},
      {"EPSV", "", [](Server& s) { s.offerPassive(true); }},
      {"LIST", "150 here\r\n",
       [](Server& s) {
         s.acceptData();
         s.sendData("-rw-r--r-- 1 u g 10 Jan 1 12:00 index.html\r\ndrwxr-xr-x 2 u g 4096 Jan 1 12:00 img\r\n");
         s.closeData();
       }},
      {"", "226 done\r\n", nullptr},
  }));
  Client c(server.port());
  c.ftp.DataMode = DataConnection::Passive;
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  c.ftp.ListDirectory();
  ASSERT_TRUE(c.until([&] { return c.listed == 1; }));
  EXPECT_TRUE(c.ftp.Success);
  EXPECT_EQ(c.ftp.FileNames(), (std::vector<std::string>{"index.html"}));
  EXPECT_EQ(c.ftp.DirectoryNames(), (std::vector<std::string>{"img"}));
  EXPECT_EQ(countOf(server.commandsSoFar(), "PORT"), 0);
}

// Some servers end their replies with a bare line feed: they are read as lines all the same.
TEST(StarFtpPassive, RepliesEndedByABareLineFeedAreRead) {
  Server server({
      {"", "220-Welcome\n220 ready\n", nullptr},
      {"USER", "331 password\n", nullptr},
      {"PASS", "230 in\n", nullptr},
      {"SYST", "215 UNIX Type: L8\n", nullptr},
      {"PWD", "257 \"/www\"\n", nullptr},
  });
  Client c(server.port());
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1 || !c.errors.empty(); }));
  EXPECT_EQ(c.loggedIn, 1);
}

// Auto: EPSV refused, then PASV naming another machine's address. The upload still reaches this server (it
// went to the control connection's address), arrives whole, and the next upload asks for PASV straight away.
TEST(StarFtpPassive, AutoFallsBackToPasvIgnoresItsAddressAndKeepsItForTheSession) {
  testing::TempDir dir;
  std::string bytes(300000, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 13 + i / 7);
  ASSERT_TRUE(writeFileAtomic(dir.path() + "up.bin", bytes).ok);
  const std::vector<Step> upload = {
      {"TYPE I", "200 ok\r\n", nullptr},
      {"PASV", "", [](Server& s) { s.offerPassive(false, "10,9,8,7"); }},
      {"STOR", "150 send it\r\n", [](Server& s) { s.acceptData(); }},
      {"", "226 stored\r\n", [](Server& s) { s.receiveAllData(); }},
  };
  std::vector<Step> script = withLogin({{"TYPE I", "200 ok\r\n", nullptr}, {"EPSV", "500 not here\r\n", nullptr}});
  // The session is in binary already: the second upload sends no TYPE.
  script.insert(script.end(), upload.begin() + 1, upload.end());
  script.insert(script.end(), upload.begin() + 1, upload.end());
  Server server(script);
  Client c(server.port());
  c.ftp.DataMode = DataConnection::Auto;
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  c.ftp.LocalFile = dir.path() + "up.bin";
  for (const char* name : {"a.bin", "b.bin"}) {
    c.ftp.RemoteFile = name;
    const int before = c.stored;
    c.ftp.StoreFile();
    ASSERT_TRUE(c.until([&] { return c.stored == before + 1; })) << name;
    EXPECT_TRUE(c.ftp.Success) << name;
  }
  ASSERT_TRUE(c.until([&] { return server.finished.load(); }));
  EXPECT_EQ(server.uploaded, bytes + bytes);
  const auto commands = server.commandsSoFar();
  EXPECT_EQ(countOf(commands, "EPSV"), 1);
  EXPECT_EQ(countOf(commands, "TYPE"), 1);
  EXPECT_EQ(countOf(commands, "PASV"), 2);
  EXPECT_EQ(countOf(commands, "PORT"), 0);
}

// Auto with a server that refuses both passive commands uses PORT as the client always did; Passive alone
// fails the transfer with a reason and never falls back to PORT.
TEST(StarFtpPassive, BothPassiveCommandsRefusedMeansPortInAutoAndAFailureInPassive) {
  for (const DataConnection mode : {DataConnection::Auto, DataConnection::Passive}) {
    Server server(withLogin({
        {"PWD", "257 \"/\"\r\n", nullptr},
        {"TYPE A", "200 ok\r\n", nullptr},
        {"EPSV", "502 no\r\n", nullptr},
        {"PASV", "502 no\r\n", nullptr},
        {"PORT", "200 ok\r\n", nullptr},
        {"LIST", "150 here\r\n",
         [](Server& s) {
           s.openData();
           s.sendData("-rw-r--r-- 1 u g 10 Jan 1 12:00 a.html\r\n");
           s.closeData();
         }},
        {"", "226 done\r\n", nullptr},
    }));
    Client c(server.port());
    c.ftp.DataMode = mode;
    std::string why;
    c.ftp.OnFtpError = [&](TStarFtp&, int code, const std::string& text) {
      c.errors.push_back(code);
      why = text;
    };
    c.ftp.Connect();
    ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
    c.ftp.ListDirectory();
    ASSERT_TRUE(c.until([&] { return c.listed == 1; }));
    if (mode == DataConnection::Auto) {
      EXPECT_TRUE(c.ftp.Success);
      EXPECT_EQ(c.ftp.FileNames(), (std::vector<std::string>{"a.html"}));
    } else {
      EXPECT_FALSE(c.ftp.Success);
      EXPECT_EQ(c.errors, (std::vector<int>{ftp_error::DataConnection}));
      EXPECT_EQ(why, "The server refused a passive data connection");
      EXPECT_FALSE(server.receivedSince(0, "PORT"));
    }
  }
}

// Replies that name no usable port end the session before the transfer command: nothing is stored.
TEST(StarFtpPassive, ALyingPassiveReplyEndsTheSessionBeforeAnythingIsSent) {
  for (const char* reply : {"229 Entering Extended Passive Mode (|||0|)\r\n", "229 (|||70000|)\r\n",
                            "229 Entering Extended Passive Mode\r\n", "229 (|||1|\r\n"}) {
    testing::TempDir dir;
    ASSERT_TRUE(writeFileAtomic(dir.path() + "up.bin", "page").ok);
    Server server(withLogin({{"TYPE I", "200 ok\r\n", nullptr}, {"EPSV", reply, nullptr}}));
    Client c(server.port());
    c.ftp.DataMode = DataConnection::Passive;
    c.ftp.Connect();
    ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
    c.ftp.LocalFile = dir.path() + "up.bin";
    c.ftp.RemoteFile = "up.bin";
    c.ftp.StoreFile();
    ASSERT_TRUE(c.until([&] { return c.stored == 1 && c.quit == 1; })) << reply;
    EXPECT_FALSE(c.ftp.Success) << reply;
    EXPECT_EQ(c.errors, (std::vector<int>{ftp_error::DataConnection})) << reply;
    EXPECT_FALSE(server.receivedSince(0, "STOR")) << reply;
  }
}

// The client runs its loop while a command goes out, so the data connection can be made before STOR's
// state is set; the server answers 125 ("already open") and the file must still go.
TEST(StarFtpPassive, ADataConnectionMadeWhileStorGoesOutIsKept) {
  testing::TempDir dir;
  ASSERT_TRUE(writeFileAtomic(dir.path() + "up.bin", "<p>the page</p>").ok);
  Server server(withLogin({
      {"TYPE I", "200 ok\r\n", nullptr},
      {"EPSV", "",
       [](Server& s) {
         s.offerPassive(true);
         std::this_thread::sleep_for(std::chrono::milliseconds(30));  // the client's last pump is long past
       }},
      {"STOR", "125 Data connection already open\r\n", [](Server& s) { s.acceptData(); }},
      {"", "226 stored\r\n", [](Server& s) { s.receiveAllData(); }},
  }));
  Client c(server.port());
  c.ftp.DataMode = DataConnection::Passive;
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  c.ftp.LocalFile = dir.path() + "up.bin";
  c.ftp.RemoteFile = "up.bin";
  c.ftp.StoreFile();
  ASSERT_TRUE(c.until([&] { return c.stored == 1; }));
  EXPECT_TRUE(c.ftp.Success);
  ASSERT_TRUE(c.until([&] { return server.finished.load(); }));
  EXPECT_EQ(server.uploaded, "<p>the page</p>");
}

// A passive port where nothing listens: the connect fails and the transfer with it, at once.
TEST(StarFtpPassive, APassivePortNobodyListensOnFailsTheTransfer) {
  uint16_t closed = 0;
  {
    testing::LoopbackListener gone;
    closed = gone.port;
  }
  Server server(withLogin({{"PWD", "257 \"/\"\r\n", nullptr},
                           {"TYPE A", "200 ok\r\n", nullptr},
                           {"EPSV", "229 ok (|||" + std::to_string(closed) + "|)\r\n", nullptr},
                           {"LIST", "425 no data connection\r\n", nullptr}}));
  Client c(server.port());
  c.ftp.DataMode = DataConnection::Passive;
  c.ftp.Connect();
  ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
  c.ftp.ListDirectory();
  ASSERT_TRUE(c.until([&] { return c.listed == 1; }));
  EXPECT_FALSE(c.ftp.Success);
}

// With exact listings asked for, a server whose FEAT names MLST is listed by MLSD (once asked, FEAT is not
// sent again); one without it by LIST.
TEST(StarFtpPassive, ExactListingsUseMlsdWhereTheServerOffersIt) {
  const auto listing = [](const char* command, const char* lines, bool first) {
    std::vector<Step> steps{
        {"PWD", "257 \"/www\"\r\n", nullptr},
        {"TYPE A", "200 ok\r\n", nullptr},
        {"EPSV", "", [](Server& s) { s.offerPassive(true); }},
        {command, "150 here\r\n",
         [lines](Server& s) {
           s.acceptData();
           s.sendData(lines);
           s.closeData();
         }},
        {"", "226 done\r\n", nullptr},
    };
    if (!first) steps.erase(steps.begin() + 1);  // the session is in ASCII already
    return steps;
  };
  for (const bool offered : {true, false}) {
    std::vector<Step> script = withLogin({{"FEAT",
                                           offered ? "211-Features:\r\n MDTM\r\n MLST type*;size*;modify*;\r\n"
                                                     "211 End\r\n"
                                                   : "211-Features:\r\n MDTM\r\n211 End\r\n",
                                           nullptr}});
    const char* command = offered ? "MLSD" : "LIST";
    const char* lines =
        offered ? "type=cdir;modify=20261209120000; /www\r\ntype=dir;modify=20261209120000; img\r\n"
                  "type=file;size=10;modify=20261209201500; my page.html\r\n"
                : "-rw-r--r-- 1 u g 10 Dec 9 20:15 my page.html\r\ndrwxr-xr-x 2 u g 4096 Dec 9 12:00 img\r\n";
    for (int round = 0; round < 2; ++round) {
      const auto more = listing(command, lines, round == 0);
      script.insert(script.end(), more.begin(), more.end());
    }
    Server server(script);
    Client c(server.port());
    c.ftp.DataMode = DataConnection::Passive;
    c.ftp.PreferMlsd = true;
    c.ftp.Connect();
    ASSERT_TRUE(c.until([&] { return c.loggedIn == 1; }));
    for (int round = 1; round <= 2; ++round) {
      c.ftp.ListDirectory();
      ASSERT_TRUE(c.until([&] { return c.listed == round; })) << command;
      EXPECT_TRUE(c.ftp.Success) << command;
      ASSERT_EQ(c.ftp.ListedEntries().size(), 2u) << command;
    }
    for (const ListingName& e : c.ftp.ListedEntries()) {
      if (e.directory) {
        EXPECT_EQ(e.name, "img");
        continue;
      }
      EXPECT_EQ(e.name, "my page.html");
      EXPECT_EQ(e.size.value_or(-1), 10);
      EXPECT_EQ(e.stamp, offered ? "20261209201500" : "Dec 9 20:15");
    }
    EXPECT_EQ(countOf(server.commandsSoFar(), "FEAT"), 1) << command;
    EXPECT_EQ(countOf(server.commandsSoFar(), command), 2);
  }
}

}  // namespace
}  // namespace quillon
