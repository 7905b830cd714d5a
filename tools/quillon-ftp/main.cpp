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
  std::fputs(
      "usage: quillon-ftp [--port N] [--user U] [--password P | --password-stdin] [--dir D] [--timeout S]\n"
      "                   [--ascii] [--quiet] HOST ls [--names] | put FILE... | mkdir D | rmdir D | rm F | mv OLD "
      "NEW\n",
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

struct Options {
  bool quiet = false;
  size_t firstOperand = 0;  // where HOST is
};

// Reads the options into the client; nothing on a usage error.
std::optional<Options> readOptions(const std::vector<std::string>& args, quillon::TStarFtp& ftp) {
  Options o;
  size_t i = 0;
  for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
    const std::string& opt = args[i];
    const bool hasValue = i + 1 < args.size();
    if (opt == "--ascii") {
      ftp.TransferMode = quillon::AsciiTransfer;
    } else if (opt == "--quiet") {
      o.quiet = true;
    } else if (opt == "--port" && hasValue) {
      const auto port = number(args[++i], 1, 65535);
      if (!port) return std::nullopt;
      ftp.FtpPort = static_cast<uint16_t>(*port);
    } else if (opt == "--user" && hasValue) {
      ftp.UserName = args[++i];
    } else if (opt == "--password" && hasValue) {
      ftp.UserPassword = args[++i];
    } else if (opt == "--password-stdin") {
      // One line; its line end is not part of the password.
      std::string line;
      for (int c; (c = std::getchar()) != EOF && c != '\n';) line += static_cast<char>(c);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      ftp.UserPassword = line;
    } else if (opt == "--dir" && hasValue) {
      ftp.InitialDirectory = args[++i];
    } else if (opt == "--timeout" && hasValue) {
      // 0 waits for ever; a value that is not a number is refused rather than read as 0.
      const auto seconds = number(args[++i], 0, 86400);
      if (!seconds) return std::nullopt;
      ftp.TimeOut = *seconds;
    } else {
      return std::nullopt;
    }
  }
  o.firstOperand = i;
  return o;
}

using Steps = std::deque<std::function<void()>>;

// The steps to run after login, each started when the previous one is ready; nothing on a usage error
// (said), and an exit status when the command is refused before connecting.
struct Plan {
  Steps steps;
  bool names = false;  // "ls --names"
  int refused = 0;
};

std::optional<Plan> planSteps(const std::string& command, const std::vector<std::string>& operands,
                              quillon::TStarFtp& ftp) {
  Plan plan;
  if (command == "ls" && (operands.empty() || (operands.size() == 1 && operands[0] == "--names"))) {
    plan.names = !operands.empty();
    plan.steps.push_back([&ftp] { ftp.ListDirectory(); });
  } else if (command == "put" && !operands.empty()) {
    if (const auto clashes = quillon::uploadNameClashes(operands)) {
      std::string said = *clashes;
      for (char& c : said)
        if (c == '\r') c = '\n';
      std::fprintf(stderr, "quillon-ftp: %s\n", said.c_str());
      plan.refused = 1;
      return plan;
    }
    for (const auto& file : operands)
      plan.steps.push_back([&ftp, file] {
        ftp.LocalFile = file;
        ftp.RemoteFile = std::string(quillon::uploadName(file));
        ftp.StoreFile();
      });
  } else if ((command == "mkdir" || command == "rmdir" || command == "rm") && operands.size() == 1) {
    plan.steps.push_back([&ftp, name = operands[0], command] {
      if (command == "mkdir")
        ftp.MakeDirectory(name);
      else if (command == "rmdir")
        ftp.RemoveDirectory(name);
      else
        ftp.DeleteFile(name);
    });
  } else if (command == "mv" && operands.size() == 2) {
    plan.steps.push_back([&ftp, from = operands[0], to = operands[1]] { ftp.RenameFile(from, to); });
  } else {
    return std::nullopt;
  }
  return plan;
}

// How the run went, as the client's events tell it.
struct Run {
  bool failed = false, done = false, loggedIn = false;
  std::string failure;
  void fail(std::string why) {
    if (failed) return;
    failed = true;
    failure = std::move(why);
  }
};

// The client's events: progress on standard error, the listing on standard output, and each ready notice
// starting the next step, or QUIT.
void follow(quillon::TStarFtp& ftp, quillon::PollEventLoop& loop, Steps& steps, const Options& options, bool names,
            Run& run) {
  ftp.OnFtpInfo = [quiet = options.quiet](quillon::TStarFtp&, int code, const std::string& text) {
    if (quiet || code == 4 || code == 7 || code == 14) return;
    std::string shown = text;
    while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r')) shown.pop_back();
    if (shown.rfind("PASS ", 0) == 0) shown = "PASS ****";
    std::fprintf(stderr, "[%d] %s\n", code, printable(shown).c_str());
  };
  ftp.OnFtpError = [&run](quillon::TStarFtp&, int code, const std::string& text) {
    run.failed = true;
    run.failure = "error " + std::to_string(code) + ": " + text;
  };
  ftp.OnFtpQuit = [&run](quillon::TStarFtp&) { run.done = true; };
  ftp.OnLoggedIn = [&run](quillon::TStarFtp& f) {
    run.loggedIn = true;
    // A refused --dir fails the run before anything is stored in the login folder.
    if (!f.Success) run.fail("the server refused the folder " + f.InitialDirectory);
  };
  ftp.OnFtpReady = [&](quillon::TStarFtp&) {
    // The next step, or QUIT, once this ready notice and its completion event have been handled.
    loop.post([&] {
      if (!run.loggedIn || run.done || ftp.Busy() || !ftp.FtpConnected()) return;
      if (!ftp.Success) run.fail("the server refused the command");
      if (!steps.empty() && !run.failed) {
        auto step = steps.front();
        steps.pop_front();
        step();
      } else {
        ftp.Quit();
      }
    });
  };
  ftp.OnListingDone = [names](quillon::TStarFtp& f) {
    if (!f.Success) return;
    if (!names) {
      for (const auto& line : f.Listing()) std::printf("%s\n", printable(line).c_str());
      return;
    }
    for (const auto& name : f.DirectoryNames()) std::printf("%s/\n", printable(name).c_str());
    for (const auto& name : f.FileNames()) std::printf("%s\n", printable(name).c_str());
  };
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  quillon::PollEventLoop loop;
  quillon::TStarFtp ftp(loop);
  ftp.UserName = "anonymous";
  ftp.UserPassword = "quillon@example.invalid";
  if (const char* env = std::getenv("QUILLON_FTP_PASSWORD")) ftp.UserPassword = env;
  const auto options = readOptions(args, ftp);
  if (!options || args.size() < options->firstOperand + 2) return usage();
  const size_t i = options->firstOperand;
  ftp.setFtpServer(args[i]);
  const std::vector<std::string> operands(args.begin() + static_cast<long>(i) + 2, args.end());
  auto plan = planSteps(args[i + 1], operands, ftp);
  if (!plan) return usage();
  if (plan->refused) return plan->refused;

  Run run;
  follow(ftp, loop, plan->steps, *options, plan->names, run);
  ftp.Connect();
  if (!loop.runUntil([&] { return run.done; }, 24 * 3600 * 1000)) return 1;
  if (!run.loggedIn) run.fail("could not log in");
  if (run.failed) {
    std::fprintf(stderr, "quillon-ftp: %s\n", printable(run.failure).c_str());
    return 1;
  }
  return 0;
}
