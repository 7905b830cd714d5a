// The FTP client against a real server, started by ftp_real_client_test.py, which names it in the
// environment (QUILLON_FTP_REAL_PORT, _USER, _PASSWORD) and checks the server's folder afterwards. Without
// that environment these tests are skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "base/file_io.h"
#include "publish/poll_event_loop.h"
#include "publish/star_ftp.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

struct RealServer {
  PollEventLoop loop;
  TStarFtp ftp{loop};
  int stored = 0, listed = 0, loggedIn = 0, ready = 0;
  std::vector<int> errors;

  static bool available() { return std::getenv("QUILLON_FTP_REAL_PORT") != nullptr; }
  RealServer() {
    ftp.setFtpServer("127.0.0.1");
    ftp.FtpPort = static_cast<uint16_t>(std::atoi(std::getenv("QUILLON_FTP_REAL_PORT")));
    ftp.UserName = std::getenv("QUILLON_FTP_REAL_USER");
    ftp.UserPassword = std::getenv("QUILLON_FTP_REAL_PASSWORD");
    ftp.OnFileStored = [this](TStarFtp&) { ++stored; };
    ftp.OnListingDone = [this](TStarFtp&) { ++listed; };
    ftp.OnLoggedIn = [this](TStarFtp&) { ++loggedIn; };
    ftp.OnFtpReady = [this](TStarFtp&) { ++ready; };
    ftp.OnFtpError = [this](TStarFtp&, int code, const std::string&) { errors.push_back(code); };
  }
  bool until(const std::function<bool()>& done) { return loop.runUntil(done, 30000); }
};

TEST(StarFtpOnARealServer, CancelledUploadsLeaveNoPartialFileAndTheSessionGoesOn) {
  if (!RealServer::available()) GTEST_SKIP() << "no server named in the environment";
  testing::TempDir dir;
  ASSERT_TRUE(writeFileAtomic(dir.path() + "big.bin", std::string(20 << 20, 'c')).ok);
  ASSERT_TRUE(writeFileAtomic(dir.path() + "small.html", "<p>after the cancel</p>").ok);
  RealServer s;
  s.ftp.Connect();
  ASSERT_TRUE(s.until([&] { return s.loggedIn == 1; }));
  // Cancelled part-way (after 2 MB), then cancelled before a byte went out: each time the session stays
  // and the next command gets its own reply.
  for (const size_t cancelAfter : {size_t{2} << 20, size_t{0}}) {
    s.ftp.LocalFile = dir.path() + "big.bin";
    s.ftp.RemoteFile = "big.bin";
    const int before = s.stored;
    s.ftp.OnFtpInfo = [&](TStarFtp& f, int code, const std::string&) {
      const bool due = cancelAfter == 0 ? code == ftp_info::UploadStarts : code == ftp_info::Progress;
      if (due && f.bytesTransferred() >= cancelAfter) f.AbortTransfer();
    };
    s.ftp.StoreFile();
    ASSERT_TRUE(s.until([&] { return s.stored == before + 1; })) << cancelAfter;
    s.ftp.OnFtpInfo = nullptr;
    EXPECT_FALSE(s.ftp.Success) << cancelAfter;
    ASSERT_TRUE(s.ftp.FtpConnected()) << cancelAfter;
    const int listedBefore = s.listed;
    s.ftp.ListDirectory();
    ASSERT_TRUE(s.until([&] { return s.listed == listedBefore + 1; })) << cancelAfter;
    EXPECT_TRUE(s.ftp.Success) << "the listing after a cancel";
    for (const std::string& name : s.ftp.FileNames()) EXPECT_NE(name, "big.bin") << "a partial file stayed";
  }
  s.ftp.LocalFile = dir.path() + "small.html";
  s.ftp.RemoteFile = "small.html";
  const int before = s.stored;
  s.ftp.StoreFile();
  ASSERT_TRUE(s.until([&] { return s.stored == before + 1; }));
  EXPECT_TRUE(s.ftp.Success);
  // A name holding byte 255 reaches the server as that name.
  s.ftp.LocalFile = dir.path() + "small.html";
  s.ftp.RemoteFile = "ff\xff\xf4x.html";
  s.ftp.StoreFile();
  ASSERT_TRUE(s.until([&] { return s.stored == before + 2; }));
  EXPECT_TRUE(s.ftp.Success);
  s.ftp.Quit();
  EXPECT_TRUE(s.until([&] { return !s.ftp.FtpConnected(); }));
}

}  // namespace
}  // namespace quillon
