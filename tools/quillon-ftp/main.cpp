// quillon-ftp: the program's publishing client from the command line, for scripts, tests and benchmarks.
//   quillon-ftp [--port N] [--user U] [--password P | --password-stdin] [--dir D] [--timeout S] [--ascii]
//               [--mode auto|passive|active] [--no-temp-names] [--protocol ftp|ftps|ftps-implicit|sftp] [--known-hosts
//               FILE]
//               [--trust SHA256:...] [--quiet] HOST COMMAND...
//   commands: ls [--names] | put FILE... | mkdir D | rmdir D | rm F | mv OLD NEW
//             | sync LOCAL_DIR REMOTE_DIR [--dry-run] [--delete] [--max-delete N] [--force] [--exclude P]...
//               [--record FILE]
// "sync" prints its plan ("new PATH", "changed PATH", "conflict PATH", "delete PATH" and a summary) and then
// sends it: conflicts (files changed on the server since the last publish) only with --force, deletions
// only with --delete. Exit status 3 when conflicts were left unsent.
// The password may also come from the environment variable QUILLON_FTP_PASSWORD; it is never printed. The
// client's progress is logged on standard error; "ls" prints the listing on standard output ("--names": the
// names the client parsed, one per line, a folder's with a trailing "/"). The exit status is 0 when every
// step succeeded, 1 with the error's text otherwise, 2 for a usage error.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "publish/ftp_publisher.h"
#include "publish/poll_event_loop.h"
#include "publish/publish_plan.h"
#include "publish/sftp_publisher.h"
#include "publish/site_publisher.h"
#include "publish/temp_name_publisher.h"
#include "publish/upload_names.h"

namespace {

using quillon::Publisher;

int usage() {
  std::fputs(
      "usage: quillon-ftp [--port N] [--user U] [--password P | --password-stdin] [--dir D] [--timeout S]\n"
      "                   [--ascii] [--mode auto|passive|active] [--no-temp-names] [--protocol "
      "ftp|ftps|ftps-implicit|sftp]\n"
      "                   [--known-hosts FILE] [--trust SHA256:...] [--quiet]\n"
      "                   HOST ls [--names] | put FILE... | mkdir D | rmdir D | rm F | mv OLD NEW\n"
      "                   | sync LOCAL_DIR REMOTE_DIR [--dry-run] [--delete] [--max-delete N] [--force]\n"
      "                          [--exclude PATTERN]... [--record FILE]\n",
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
  bool tempNames = true;
  quillon::HostTrust trust;
  quillon::PublishLogin login;
  size_t firstOperand = 0;  // where HOST is
};

std::optional<quillon::DataConnection> modeNamed(const std::string& name) {
  if (name == "auto") return quillon::DataConnection::Auto;
  if (name == "passive") return quillon::DataConnection::Passive;
  if (name == "active") return quillon::DataConnection::Active;
  return std::nullopt;
}

// One line of standard input; its line end is not part of it.
std::string lineFromInput() {
  std::string line;
  for (int c; (c = std::getchar()) != EOF && c != '\n';) line += static_cast<char>(c);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

// Reads the options; nothing on a usage error.
std::optional<Options> readOptions(const std::vector<std::string>& args, Options o) {
  size_t i = 0;
  int passwordGiven = 0;
  for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
    const std::string& opt = args[i];
    const bool hasValue = i + 1 < args.size();
    if (opt == "--ascii") {
      o.login.ascii = true;
    } else if (opt == "--quiet") {
      o.quiet = true;
    } else if (opt == "--no-temp-names") {
      o.tempNames = false;
    } else if (opt == "--port" && hasValue) {
      const auto port = number(args[++i], 1, 65535);
      if (!port) return std::nullopt;
      o.login.port = static_cast<uint16_t>(*port);
    } else if (opt == "--protocol" && hasValue) {
      const std::string& name = args[++i];
      if (name == "ftp")
        o.login.protocol = quillon::PublishProtocol::Ftp;
      else if (name == "ftps")
        o.login.protocol = quillon::PublishProtocol::Ftps;
      else if (name == "ftps-implicit")
        o.login.protocol = quillon::PublishProtocol::FtpsImplicit;
      else if (name == "sftp")
        o.login.protocol = quillon::PublishProtocol::Sftp;
      else
        return std::nullopt;
    } else if (opt == "--known-hosts" && hasValue) {
      o.trust.knownHostsFile = args[++i];
    } else if (opt == "--trust" && hasValue) {
      if (!quillon::isFingerprint(args[i + 1])) return std::nullopt;
      o.trust.acceptFingerprint = o.login.trust = args[++i];
    } else if (opt == "--mode" && hasValue) {
      const auto mode = modeNamed(args[++i]);
      if (!mode) return std::nullopt;
      o.login.mode = *mode;
    } else if (opt == "--user" && hasValue) {
      o.login.user = args[++i];
    } else if (opt == "--password" && hasValue) {
      if (passwordGiven++) return std::nullopt;  // one password, from one place
      o.login.password = args[++i];
    } else if (opt == "--password-stdin") {
      if (passwordGiven++) return std::nullopt;
      o.login.password = lineFromInput();
    } else if (opt == "--dir" && hasValue) {
      o.login.folder = args[++i];
    } else if (opt == "--timeout" && hasValue) {
      // 0 waits for ever; a value that is not a number is refused rather than read as 0.
      const auto seconds = number(args[++i], 0, 86400);
      if (!seconds) return std::nullopt;
      o.login.timeoutSeconds = *seconds;
    } else {
      return std::nullopt;
    }
  }
  o.firstOperand = i;
  return o;
}

using Steps = std::deque<std::function<void()>>;

// What "sync" was asked to do.
struct SyncRequest {
  std::string local, remote, record;
  bool dryRun = false, remove = false, force = false;
  int maxDelete = -1;  // no limit
  std::string exclusions = std::string(quillon::kDefaultPublishExclusions);
};

std::optional<SyncRequest> readSync(const std::vector<std::string>& operands) {
  if (operands.size() < 2) return std::nullopt;
  SyncRequest r;
  r.local = operands[0];
  r.remote = operands[1];
  bool excluded = false;
  for (size_t i = 2; i < operands.size(); ++i) {
    const std::string& opt = operands[i];
    const bool hasValue = i + 1 < operands.size();
    if (opt == "--dry-run") {
      r.dryRun = true;
    } else if (opt == "--delete") {
      r.remove = true;
    } else if (opt == "--force") {
      r.force = true;
    } else if (opt == "--max-delete" && hasValue) {
      const auto n = number(operands[++i], 0, 1000000000);
      if (!n) return std::nullopt;
      r.maxDelete = *n;
    } else if (opt == "--exclude" && hasValue) {
      // The first pattern given replaces the usual ones; each further one adds to it.
      r.exclusions = (excluded ? r.exclusions + ";" : std::string()) + operands[++i];
      excluded = true;
    } else if (opt == "--record" && hasValue) {
      r.record = operands[++i];
    } else {
      return std::nullopt;
    }
  }
  return r;
}

// The user's data folder, where records are kept unless --record names one.
std::string dataFolder() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) return std::string(data) + "/quillon/";
  const char* home = std::getenv("HOME");
  return std::string(home ? home : ".") + "/.local/share/quillon/";
}

const char* changeWord(quillon::PublishChange c) {
  switch (c) {
    case quillon::PublishChange::New:
      return "new";
    case quillon::PublishChange::Changed:
      return "changed";
    case quillon::PublishChange::Conflict:
      return "conflict";
    case quillon::PublishChange::RemoteOnly:
      break;
  }
  return "delete";
}

// The steps to run after login, each started when the previous one is done; nothing on a usage error, and
// an exit status when the command is refused before connecting (said).
struct Plan {
  Steps steps;
  bool names = false;  // "ls --names"
  int refused = 0;
};

std::optional<Plan> planSteps(const std::string& command, const std::vector<std::string>& operands, Publisher& p) {
  Plan plan;
  if (command == "ls" && (operands.empty() || (operands.size() == 1 && operands[0] == "--names"))) {
    plan.names = !operands.empty();
    plan.steps.push_back([&p] { p.list(); });
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
      plan.steps.push_back([&p, file] { p.store(file, std::string(quillon::uploadName(file))); });
  } else if (command == "sync") {
    if (!readSync(operands)) return std::nullopt;
  } else if (command == "mkdir" && operands.size() == 1) {
    plan.steps.push_back([&p, name = operands[0]] { p.makeFolder(name); });
  } else if (command == "rmdir" && operands.size() == 1) {
    plan.steps.push_back([&p, name = operands[0]] { p.removeFolder(name); });
  } else if (command == "rm" && operands.size() == 1) {
    plan.steps.push_back([&p, name = operands[0]] { p.deleteFile(name); });
  } else if (command == "mv" && operands.size() == 2) {
    plan.steps.push_back([&p, from = operands[0], to = operands[1]] { p.rename(from, to); });
  } else {
    return std::nullopt;
  }
  return plan;
}

// How the run went.
struct Run {
  bool failed = false, done = false, loggedIn = false;
  std::string failure;
  void fail(std::string why) {
    if (failed) return;
    failed = true;
    failure = std::move(why);
  }
};

void printListing(const Publisher& p, bool names) {
  if (!names) {
    for (const auto& line : p.listingLines()) std::printf("%s\n", printable(line).c_str());
    return;
  }
  for (const auto& entry : p.entries())
    if (entry.folder) std::printf("%s/\n", printable(entry.name).c_str());
  for (const auto& entry : p.entries())
    if (!entry.folder) std::printf("%s\n", printable(entry.name).c_str());
}

// The publisher's events: traffic on standard error, the listing on standard output, and each operation's
// end starting the next step, or the goodbye.
void follow(Publisher& p, quillon::EventLoop& loop, Steps& steps, const Options& options, bool names, Run& run) {
  if (!options.quiet)
    p.events.traffic = [](const std::string& line) { std::fprintf(stderr, "%s\n", printable(line).c_str()); };
  p.events.closed = [&run] { run.done = true; };
  p.events.done = [&](const Publisher::Outcome& o) {
    if (o.op == Publisher::Op::Quit) return;
    if (o.op == Publisher::Op::Connect) {
      run.loggedIn = p.connected();
      if (!run.loggedIn) return run.fail(o.why.empty() ? "could not log in" : o.why);
    }
    if (o.op == Publisher::Op::List && o.ok) printListing(p, names);
    if (!o.ok) run.fail(o.why.empty() ? "the server refused the command" : o.why);
    // The next step, or the goodbye, once this event is over.
    loop.post([&] {
      if (run.done || !p.connected() || p.busy()) return;
      if (!steps.empty() && !run.failed) {
        auto step = steps.front();
        steps.pop_front();
        step();
      } else {
        p.quit();
      }
    });
  };
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  // Other users of the computer can read a process's arguments: a password given there is cleared at once.
  for (int k = 1; k + 1 < argc; ++k)
    if (std::string_view(argv[k]) == "--password") std::memset(argv[k + 1], 0, std::strlen(argv[k + 1]));
  Options defaults;
  defaults.login.user = "anonymous";
  defaults.login.password = "quillon@example.invalid";
  if (const char* env = std::getenv("QUILLON_FTP_PASSWORD")) defaults.login.password = env;
  auto options = readOptions(args, defaults);
  if (!options || args.size() < options->firstOperand + 2) return usage();
  const size_t i = options->firstOperand;
  options->login.host = args[i];

  if (options->trust.knownHostsFile.empty())
    if (const char* home = std::getenv("HOME")) options->trust.knownHostsFile = std::string(home) + "/.ssh/known_hosts";

  quillon::PollEventLoop loop;
  quillon::SftpPublisher* sftp = nullptr;
  quillon::FtpPublisher* ftp = nullptr;
  std::unique_ptr<Publisher> inner;
  if (options->login.protocol == quillon::PublishProtocol::Sftp) {
    auto made = std::make_unique<quillon::SftpPublisher>(loop, options->trust);
    sftp = made.get();
    inner = std::move(made);
  } else {
    auto made = std::make_unique<quillon::FtpPublisher>(loop);
    ftp = made.get();
    inner = std::move(made);
  }
  quillon::TempNamePublisher publisher(std::move(inner), options->tempNames);
  const std::vector<std::string> operands(args.begin() + static_cast<long>(i) + 2, args.end());
  auto plan = planSteps(args[i + 1], operands, publisher);
  if (!plan) return usage();
  if (plan->refused) return plan->refused;

  Run run;
  // sync: compare once logged in, print the plan, send it, then say goodbye.
  const auto sync = args[i + 1] == "sync" ? readSync(operands) : std::nullopt;
  std::unique_ptr<quillon::SitePublisher> site;
  int syncStatus = 0;
  if (sync) {
    plan->steps.push_back([&] {
      site = std::make_unique<quillon::SitePublisher>(loop, publisher, options->login, dataFolder(), sync->record);
      auto finishSync = [&](int status) {
        syncStatus = status;
        loop.post([&] { publisher.quit(); });
      };
      site->events.failed = [](const std::string& why) {
        std::fprintf(stderr, "quillon-ftp: %s\n", printable(why).c_str());
      };
      site->events.fileDone = [&](const quillon::PlannedFile& f, bool ok, const std::string& why) {
        if (!ok) std::fprintf(stderr, "quillon-ftp: %s: %s\n", printable(f.path).c_str(), printable(why).c_str());
      };
      site->events.compared = [&, finishSync](const quillon::PublishPlan& compared) {
        for (const std::string& note : compared.notes)
          std::fprintf(stderr, "quillon-ftp: %s\n", printable(note).c_str());
        if (!publisher.connected() || !compared.localReadable || !compared.usable) return finishSync(1);
        quillon::PublishPlan plan = compared;
        size_t conflicts = 0, deletions = 0;
        for (quillon::PlannedFile& f : plan.files) {
          if (f.change == quillon::PublishChange::Conflict) {
            f.ticked = sync->force;
            if (!f.ticked) ++conflicts;
          }
          if (f.change == quillon::PublishChange::RemoteOnly) {
            f.ticked = sync->remove;
            deletions += f.ticked;
          }
          if (f.change != quillon::PublishChange::RemoteOnly || sync->remove)
            std::printf("%s %s\n", changeWord(f.change), printable(f.path).c_str());
        }
        std::printf("%s\n", quillon::planSummary(compared).c_str());
        std::fflush(stdout);
        if (sync->maxDelete >= 0 && deletions > static_cast<size_t>(sync->maxDelete)) {
          std::fprintf(stderr, "quillon-ftp: %zu files would be deleted, more than --max-delete %d: nothing was sent\n",
                       deletions, sync->maxDelete);
          return finishSync(1);
        }
        if (sync->remove && !compared.deletionsAllowed)
          std::fprintf(stderr, "quillon-ftp: nothing is deleted: %s\n", compared.noDeletionsBecause.c_str());
        const int left = conflicts ? 3 : 0;
        if (sync->dryRun) return finishSync(left);
        site->events.sent = [&, finishSync, left](bool ok, bool) { finishSync(ok ? left : 1); };
        site->send(std::move(plan));
      };
      site->compare(sync->local, sync->remote, quillon::exclusionPatterns(sync->exclusions));
    });
  }
  follow(publisher, loop, plan->steps, *options, plan->names, run);
  publisher.connect(options->login);
  if (!loop.runUntil([&] { return run.done; }, 24 * 3600 * 1000)) return 1;
  // A host key or certificate never seen before: asked on a terminal, then the connection is made again.
  const bool newKey = sftp && sftp->refusedKey() && !sftp->refusedKeyChanged();
  const bool newCertificate = ftp && ftp->refusedCertificate() && options->login.trust.empty();
  if (!run.loggedIn && (newKey || newCertificate) && isatty(0) && isatty(2)) {
    std::fprintf(stderr, "quillon-ftp: %s\nTrust it and go on? [y/N] ", printable(run.failure).c_str());
    if (lineFromInput() == "y") {
      if (newKey) sftp->acceptHostKey(sftp->refusedKey()->fingerprint);
      if (newCertificate) options->login.trust = ftp->refusedCertificate()->fingerprint;
      run = Run{};
      publisher.connect(options->login);
      if (!loop.runUntil([&] { return run.done; }, 24 * 3600 * 1000)) return 1;
    }
  }
  if (!run.loggedIn) run.fail("could not log in");
  if (run.failed) {
    std::fprintf(stderr, "quillon-ftp: %s\n", printable(run.failure).c_str());
    return 1;
  }
  return syncStatus;
}
