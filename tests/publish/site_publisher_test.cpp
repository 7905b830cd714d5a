// The publishing run against a server kept in memory that can drop the connection at any operation: the
// next run always finishes the job, and nothing is deleted after a failure.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <map>
#include <set>

#include "base/file_io.h"
#include "publish/poll_event_loop.h"
#include "publish/site_publisher.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

class MemoryServer final : public Publisher {
 public:
  explicit MemoryServer(EventLoop& loop) : loop_(loop) { folders.insert("/"); }
  std::map<std::string, std::string> files;  // by absolute path
  std::set<std::string> folders;
  int dropAt = -1;  // the operation (counted from 0) at which the connection is lost
  int ops = 0;

  void connect(const PublishLogin&) override {
    connected_ = true;
    cwd_ = "/";
    end(Op::Connect, true);
  }
  void list() override {
    if (!start(Op::List)) return;
    entries_.clear();
    for (const auto& f : folders)
      if (f != "/" && parentOf(f) == cwd_) entries_.push_back({nameOf(f), true, false, std::nullopt, "d"});
    for (const auto& [path, bytes] : files)
      if (parentOf(path) == cwd_)
        entries_.push_back({nameOf(path), false, false, static_cast<int64_t>(bytes.size()), stamps_[path]});
    end(Op::List, true);
  }
  void changeFolder(const std::string& name) override {
    if (!start(Op::ChangeFolder)) return;
    const bool there = folders.count(absolute(name)) > 0;
    if (there) cwd_ = absolute(name);
    end(Op::ChangeFolder, there);
  }
  void makeFolder(const std::string& name) override {
    if (!start(Op::MakeFolder)) return;
    const std::string path = absolute(name);
    const bool ok = folders.count(parentOf(path)) && !folders.count(path);
    if (ok) folders.insert(path);
    end(Op::MakeFolder, ok);
  }
  void removeFolder(const std::string&) override { end(Op::RemoveFolder, false); }
  void deleteFile(const std::string& name) override {
    if (!start(Op::Delete)) return;
    end(Op::Delete, files.erase(absolute(name)) > 0);
  }
  void rename(const std::string&, const std::string&) override { end(Op::Rename, false); }
  void size(const std::string&) override { end(Op::Size, false); }
  void store(const std::string& local, const std::string& remote) override {
    if (!start(Op::Store)) return;
    const auto bytes = readWholeFile(local);
    if (bytes) {
      files[absolute(remote)] = *bytes;
      stamps_[absolute(remote)] = "t" + std::to_string(++clock_);
    }
    end(Op::Store, bytes.has_value());
  }
  void quit() override { connected_ = false; }
  void abort() override {}
  bool connected() const override { return connected_; }
  bool busy() const override { return false; }
  std::string folder() const override { return cwd_; }
  const std::vector<RemoteEntry>& entries() const override { return entries_; }
  const std::vector<std::string>& listingLines() const override { return lines_; }
  std::optional<int64_t> sizeFound() const override { return std::nullopt; }
  uint64_t bytesSent() const override { return 0; }
  long elapsedMs() const override { return 0; }

  // Someone else's edit on the server.
  void editOnServer(const std::string& path, const std::string& bytes) {
    files[path] = bytes;
    stamps_[path] = "t" + std::to_string(++clock_);
  }

 private:
  static std::string parentOf(const std::string& p) {
    const size_t slash = p.rfind('/');
    return slash == 0 ? "/" : p.substr(0, slash);
  }
  static std::string nameOf(const std::string& p) { return p.substr(p.rfind('/') + 1); }
  std::string absolute(const std::string& name) const {
    if (!name.empty() && name[0] == '/') return name;
    return cwd_ == "/" ? "/" + name : cwd_ + "/" + name;
  }
  bool start(Op op) {
    if (!connected_ || ops++ == dropAt) {
      connected_ = false;
      end(op, false);
      return false;
    }
    return true;
  }
  void end(Op op, bool ok) {
    loop_.post([this, op, ok] {
      if (events.done) events.done({op, ok, ok ? "" : "refused"});
    });
  }
  EventLoop& loop_;
  bool connected_ = false;
  std::string cwd_ = "/";
  std::vector<RemoteEntry> entries_;
  std::vector<std::string> lines_;
  std::map<std::string, std::string> stamps_;
  int clock_ = 0;
};

struct PublishRun {
  PublishPlan plan;
  bool compared = false, sent = false, ok = false;
  std::vector<std::string> sentPaths;
};

// One publish: compare, tick as given, send.
PublishRun publish(PollEventLoop& loop, MemoryServer& server, const std::string& site, const std::string& data,
                   bool deleteRemote = false) {
  PublishRun run;
  server.connect({});
  SitePublisher p(loop, server, PublishLogin{}, data);
  p.events.compared = [&](const PublishPlan& plan) {
    run.plan = plan;
    run.compared = true;
  };
  p.events.fileDone = [&](const PlannedFile& f, bool ok, const std::string&) {
    if (ok) run.sentPaths.push_back(f.path);
  };
  p.events.sent = [&](bool ok, bool) {
    run.sent = true;
    run.ok = ok;
  };
  p.compare(site, "/www", exclusionPatterns(kDefaultPublishExclusions));
  EXPECT_TRUE(loop.runUntil([&] { return run.compared; }, 5000));
  if (!server.connected()) return run;
  PublishPlan plan = run.plan;
  for (PlannedFile& f : plan.files)
    if (f.change == PublishChange::RemoteOnly) f.ticked = deleteRemote;
  p.send(plan);
  EXPECT_TRUE(loop.runUntil([&] { return run.sent; }, 5000));
  return run;
}

std::map<std::string, std::string> underWww(const MemoryServer& s) {
  std::map<std::string, std::string> out;
  for (const auto& [path, bytes] : s.files)
    if (path.rfind("/www/", 0) == 0) out[path.substr(5)] = bytes;
  return out;
}

TEST(SitePublisher, ADroppedConnectionAtAnyStepIsFinishedByTheNextRun) {
  testing::TempDir dir;
  const std::string site = dir.path() + "site/";
  for (const char* folder : {"site", "site/img", "site/a", "site/a/b"}) ::mkdir((dir.path() + folder).c_str(), 0755);
  const std::map<std::string, std::string> local = {
      {"index.html", "home"}, {"img/x.gif", "GIF89a"}, {"a/b/deep.html", "deep"}, {"a/page two.html", "two"}};
  for (const auto& [path, bytes] : local) ASSERT_TRUE(writeFileAtomic(site + path, bytes).ok);

  for (int drop = 0; drop < 40; ++drop) {
    PollEventLoop loop;
    MemoryServer server(loop);
    server.connect({});
    server.folders.insert("/www");
    server.files["/www/stale.html"] = "old";
    testing::TempDir data;
    server.dropAt = drop;
    const PublishRun first = publish(loop, server, site, data.path(), true);
    if (!first.sent || !first.ok) {
      EXPECT_EQ(server.files.count("/www/stale.html"), 1u) << "nothing is deleted in a run that failed; drop " << drop;
    }
    server.dropAt = -1;
    server.ops = 0;
    const PublishRun second = publish(loop, server, site, data.path(), true);
    EXPECT_TRUE(second.ok) << "drop " << drop;
    EXPECT_EQ(underWww(server), local) << "drop " << drop;
    for (const std::string& path : second.sentPaths)
      if (path != "stale.html")
        EXPECT_TRUE(std::find(first.sentPaths.begin(), first.sentPaths.end(), path) == first.sentPaths.end())
            << path << " was sent twice; drop " << drop;
    const PublishRun third = publish(loop, server, site, data.path());
    EXPECT_TRUE(third.plan.files.empty()) << "drop " << drop;
    EXPECT_EQ(third.plan.unchanged, local.size());
  }
}

TEST(SitePublisher, AServerEditIsAConflictAndSameSizeEditsAreSent) {
  testing::TempDir dir;
  const std::string site = dir.path() + "site/";
  ::mkdir(site.c_str(), 0755);
  ASSERT_TRUE(writeFileAtomic(site + "a.html", "aaaa").ok);
  ASSERT_TRUE(writeFileAtomic(site + "b.html", "bbbb").ok);
  PollEventLoop loop;
  MemoryServer server(loop);
  testing::TempDir data;
  ASSERT_TRUE(publish(loop, server, site, data.path()).ok);
  // b edited locally with the same size (and a later time); a edited on the server.
  ASSERT_TRUE(writeFileAtomic(site + "b.html", "BBBB").ok);
  struct timespec later[2] = {{0, UTIME_OMIT}, {std::time(nullptr) + 10, 0}};
  ::utimensat(AT_FDCWD, (site + "b.html").c_str(), later, 0);
  server.editOnServer("/www/a.html", "theirs");
  const PublishRun run = publish(loop, server, site, data.path());
  ASSERT_EQ(run.plan.files.size(), 2u);
  EXPECT_EQ(run.plan.files[0].path, "b.html");
  EXPECT_EQ(run.plan.files[0].change, PublishChange::Changed);
  EXPECT_EQ(run.plan.files[1].path, "a.html");
  EXPECT_EQ(run.plan.files[1].change, PublishChange::Conflict);
  EXPECT_EQ(server.files["/www/a.html"], "theirs") << "not overwritten unasked";
  EXPECT_EQ(server.files["/www/b.html"], "BBBB");
}

}  // namespace
}  // namespace quillon
