#pragma once
// A client on a poll loop that counts what its events report, and the login every scripted server starts with.
#include <functional>
#include <string>
#include <vector>

#include "publish/poll_event_loop.h"
#include "publish/star_ftp.h"
#include "scripted_ftp_server.h"

namespace quillon {
namespace {

using Step = testing::ScriptedFtpServer::Step;

inline const std::vector<Step> kLogin = {
    {"", "220-Welcome\r\n331 not a reply, a middle line\r\n220-more\r\n220 ready\r\n", nullptr},
    {"USER", "331 password\r\n", nullptr},
    {"PASS", "230 in\r\n", nullptr},
    {"SYST", "215 UNIX Type: L8\r\n", nullptr},
};

inline std::vector<Step> withLogin(std::vector<Step> rest) {
  std::vector<Step> all = kLogin;
  all.insert(all.end(), rest.begin(), rest.end());
  return all;
}

struct Client {
  PollEventLoop loop;
  TStarFtp ftp{loop};
  std::vector<int> infos;
  std::vector<int> errors;
  int ready = 0, quit = 0, loggedIn = 0, listed = 0, stored = 0;
  explicit Client(uint16_t port) {
    ftp.setFtpServer("127.0.0.1");
    ftp.FtpPort = port;
    ftp.UserName = "user";
    ftp.UserPassword = "secret";
    ftp.OnFtpInfo = [this](TStarFtp&, int code, const std::string&) { infos.push_back(code); };
    ftp.OnFtpError = [this](TStarFtp&, int code, const std::string&) { errors.push_back(code); };
    ftp.OnFtpReady = [this](TStarFtp&) { ++ready; };
    ftp.OnFtpQuit = [this](TStarFtp&) { ++quit; };
    ftp.OnLoggedIn = [this](TStarFtp&) { ++loggedIn; };
    ftp.OnListingDone = [this](TStarFtp&) { ++listed; };
    ftp.OnFileStored = [this](TStarFtp&) { ++stored; };
  }
  bool until(const std::function<bool()>& done) { return loop.runUntil(done, 5000); }
};

}  // namespace
}  // namespace quillon
