// quillon-ftp: the program's FTP client from the command line, for scripts, tests and benchmarks.
//   quillon-ftp [--port N] [--user U] [--password P | --password-stdin] [--dir D] [--timeout S] [--ascii]
//               [--quiet] HOST COMMAND...
//   commands: ls [--names] | put FILE... | mkdir D | rmdir D | rm F | mv OLD NEW
// The password may also come from the environment variable QUILLON_FTP_PASSWORD; it is never printed. The
// client's progress is logged on standard error; "ls" prints the listing on standard output ("--names": the
// names the client parsed, one per line, a folder's with a trailing "/"). The exit status is 0 when every
// step succeeded, 1 with the error's text otherwise, 2 for a usage error.
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/text_bytes.h"
#include "publish/poll_event_loop.h"
#include "publish/star_ftp.h"
#include "publish/upload_names.h"

namespace {

int usage() {
  std::fputs("usage: quillon-ftp [--port N] [--user U] [--password P | --password-stdin] [--dir D] [--timeout S]\n"
             "                   [--ascii] [--quiet] HOST ls [--names] | put FILE... | mkdir D | rmdir D | rm F | mv OLD NEW\n",
             stderr);
  return 2;
}

// A whole decimal number within [low, high], or nothing.
std::optional<int> number(const std::string& text, int low, int high) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < low || value > high) return std::nullopt;
  return value;
}

// Text from the server as it is printed: control characters (which could move or recolour the terminal, or
// split one name over two lines) and the backslash are shown as escapes.
std::string printable(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F || c == '\\') {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", b);
      out += escape;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  quillon::PollEventLoop loop;
  quillon::TStarFtp ftp(loop);
  ftp.UserName = "anonymous";
  ftp.UserPassword = "quillon@example.invalid";
  if (const char* env = std::getenv("QUILLON_FTP_PASSWORD")) ftp.UserPassword = env;
  bool quiet = false, names = false;
  size_t i = 0;
  for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
    const std::string& opt = args[i];
    const bool hasValue = i + 1 < args.size();
    if (opt == "--ascii") ftp.TransferMode = quillon::AsciiTransfer;
    else if (opt == "--quiet") quiet = true;
    else if (opt == "--port" && hasValue) {
      const auto port = number(args[++i], 1, 65535);
      if (!port) return usage();
      ftp.FtpPort = static_cast<uint16_t>(*port);
    }
    else if (opt == "--user" && hasValue) ftp.UserName = args[++i];
    else if (opt == "--password" && hasValue) ftp.UserPassword = args[++i];
    else if (opt == "--password-stdin") {
      // One line; its line end is not part of the password.
      std::string line;
      for (int c; (c = std::getchar()) != EOF && c != '\n';) line += static_cast<char>(c);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      ftp.UserPassword = line;
    }
    else if (opt == "--dir" && hasValue) ftp.InitialDirectory = args[++i];
    else if (opt == "--timeout" && hasValue) {
      // 0 waits for ever; a value that is not a number is refused rather than read as 0.
      const auto seconds = number(args[++i], 0, 86400);
      if (!seconds) return usage();
      ftp.TimeOut = *seconds;
    }
    else return usage();
  }
  if (args.size() < i + 2) return usage();
  ftp.setFtpServer(args[i]);
  const std::string command = args[i + 1];
  const std::vector<std::string> operands(args.begin() + static_cast<long>(i) + 2, args.end());

  // The steps to run after login, each started when the previous one is ready.
  std::deque<std::function<void()>> steps;
  if (command == "ls" && (operands.empty() || (operands.size() == 1 && operands[0] == "--names"))) {
    names = !operands.empty();
    steps.push_back([&] { ftp.ListDirectory(); });
  } else if (command == "put" && !operands.empty()) {
    if (const auto clashes = quillon::uploadNameClashes(operands)) {
      std::string said = *clashes;
      for (char& c : said)
        if (c == '\r') c = '\n';
      std::fprintf(stderr, "quillon-ftp: %s\n", said.c_str());
      return 1;
    }
    for (const auto& file : operands)
      steps.push_back([&, file] {
        ftp.LocalFile = file;
        ftp.RemoteFile = std::string(quillon::uploadName(file));
        ftp.StoreFile();
      });
  } else if ((command == "mkdir" || command == "rmdir" || command == "rm") && operands.size() == 1) {
    const std::string name = operands[0];
    steps.push_back([&, name, command] {
      if (command == "mkdir") ftp.MakeDirectory(name);
      else if (command == "rmdir") ftp.RemoveDirectory(name);
      else ftp.DeleteFile(name);
    });
  } else if (command == "mv" && operands.size() == 2) {
    steps.push_back([&] { ftp.RenameFile(operands[0], operands[1]); });
  } else {
    return usage();
  }

  bool failed = false, done = false, loggedIn = false;
  std::string failure;
  ftp.OnFtpInfo = [&](quillon::TStarFtp&, int code, const std::string& text) {
    if (quiet || code == 4 || code == 7 || code == 14) return;
    std::string shown = text;
    while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r')) shown.pop_back();
    if (shown.rfind("PASS ", 0) == 0) shown = "PASS ****";
    std::fprintf(stderr, "[%d] %s\n", code, printable(shown).c_str());
  };
  ftp.OnFtpError = [&](quillon::TStarFtp&, int code, const std::string& text) {
    failed = true;
    failure = "error " + std::to_string(code) + ": " + text;
  };
  ftp.OnFtpQuit = [&](quillon::TStarFtp&) { done = true; };
  ftp.OnLoggedIn = [&](quillon::TStarFtp& f) {
    loggedIn = true;
    // A refused --dir fails the run before anything is stored in the login folder.
    if (!f.Success && !failed) {
      failed = true;
      failure = "the server refused the folder " + f.InitialDirectory;
    }
  };
  ftp.OnFtpReady = [&](quillon::TStarFtp&) {
    // The next step, or QUIT, once this ready notice and its completion event have been handled.
    loop.post([&] {
      if (!loggedIn || done || ftp.Busy() || !ftp.FtpConnected()) return;
      if (!ftp.Success && !failed) {
        failed = true;
        failure = "the server refused the command";
      }
      if (!steps.empty() && !failed) {
        auto step = steps.front();
        steps.pop_front();
        step();
      } else {
        ftp.Quit();
      }
    });
  };
  ftp.OnListingDone = [&](quillon::TStarFtp& f) {
    if (!f.Success) return;
    if (!names) {
      for (const auto& line : f.Listing()) std::printf("%s\n", printable(line).c_str());
      return;
    }
    for (const auto& name : f.DirectoryNames()) std::printf("%s/\n", printable(name).c_str());
    for (const auto& name : f.FileNames()) std::printf("%s\n", printable(name).c_str());
  };

  ftp.Connect();
  if (!loop.runUntil([&] { return done; }, 24 * 3600 * 1000)) return 1;
  if (!loggedIn && !failed) {
    failed = true;
    failure = "could not log in";
  }
  if (failed) {
    std::fprintf(stderr, "quillon-ftp: %s\n", printable(failure).c_str());
    return 1;
  }
  return 0;
}
