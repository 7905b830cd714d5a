// Uploads under a temporary name, against a publisher that answers each operation as the test says.
#include "publish/temp_name_publisher.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

namespace quillon {
namespace {

using Op = Publisher::Op;

// Answers every operation at once; an operation with failures queued fails the next time it runs.
class FakePublisher : public Publisher {
 public:
  std::vector<std::string> calls;
  std::map<Op, std::deque<std::string>> failures;  // the reasons, in order
  std::optional<int64_t> serverSize;               // what SIZE finds; nothing: the server has no SIZE
  uint64_t sent = 0;
  bool online = true;
  bool storeDropsConnection = false;
  bool holdStore = false;          // the upload's answer waits for release()
  std::deque<bool> renameAnswers;  // when given: each rename's outcome in turn, over the failure queue
  void release() { events.done({Op::Store, true, {}}); }

  void connect(const PublishLogin&) override { answer(Op::Connect, "connect"); }
  void list() override { answer(Op::List, "list"); }
  void changeFolder(const std::string& n) override { answer(Op::ChangeFolder, "cd " + n); }
  void makeFolder(const std::string& n) override { answer(Op::MakeFolder, "mkdir " + n); }
  void removeFolder(const std::string& n) override { answer(Op::RemoveFolder, "rmdir " + n); }
  void deleteFile(const std::string& n) override { answer(Op::Delete, "rm " + n); }
  void rename(const std::string& f, const std::string& t) override {
    if (!renameAnswers.empty()) {
      const bool ok = renameAnswers.front();
      renameAnswers.pop_front();
      calls.push_back("mv " + f + " " + t);
      events.done({Op::Rename, ok, ok ? std::string() : "the server said \"553 no\""});
      return;
    }
    answer(Op::Rename, "mv " + f + " " + t);
  }
  void size(const std::string& n) override {
    if (!serverSize) failures[Op::Size].push_back("the server said \"502 SIZE not implemented\"");
    answer(Op::Size, "size " + n);
  }
  void store(const std::string& local, const std::string& remote) override {
    if (storeDropsConnection) online = false;
    if (holdStore) return calls.push_back("put " + local + " " + remote);
    answer(Op::Store, "put " + local + " " + remote);
  }
  void quit() override { answer(Op::Quit, "quit"); }
  void abort() override { calls.push_back("abort"); }
  bool connected() const override { return online; }
  bool busy() const override { return false; }
  std::string folder() const override { return "/"; }
  const std::vector<RemoteEntry>& entries() const override { return entries_; }
  const std::vector<std::string>& listingLines() const override { return lines_; }
  std::optional<int64_t> sizeFound() const override { return serverSize; }
  uint64_t bytesSent() const override { return sent; }
  long elapsedMs() const override { return 5; }

 private:
  void answer(Op op, std::string call) {
    calls.push_back(std::move(call));
    Outcome o{op, true, {}};
    if (auto& queued = failures[op]; !queued.empty()) {
      o = {op, false, queued.front()};
      queued.pop_front();
    }
    events.done(o);
  }
  std::vector<RemoteEntry> entries_;
  std::vector<std::string> lines_;
};

struct Rig {
  FakePublisher* fake;
  TempNamePublisher publisher;
  std::vector<Publisher::Outcome> outcomes;
  explicit Rig(bool tempNames = true)
      : fake(new FakePublisher), publisher(std::unique_ptr<Publisher>(fake), tempNames) {
    publisher.events.done = [this](const Publisher::Outcome& o) { outcomes.push_back(o); };
    fake->sent = 1234;
    fake->serverSize = 1234;
  }
  void put() { publisher.store("/site/a.html", "a.html"); }
};

const char* kTemp = ".a.html.quillon-upload";

TEST(TempNamePublisher, AFileIsStoredHiddenCheckedThenRenamedOverItsName) {
  Rig rig;
  rig.put();
  EXPECT_EQ(rig.fake->calls,
            (std::vector<std::string>{"put /site/a.html .a.html.quillon-upload", std::string("size ") + kTemp,
                                      std::string("mv ") + kTemp + " a.html"}));
  ASSERT_EQ(rig.outcomes.size(), 1u);
  EXPECT_TRUE(rig.outcomes[0].ok);
  EXPECT_EQ(rig.outcomes[0].op, Op::Store);
  EXPECT_EQ(rig.publisher.bytesSent(), 1234u);
  EXPECT_FALSE(rig.publisher.busy());

  // Without SIZE the data connection's exact count stands; switched off, the file goes straight to its name.
  Rig noSize;
  noSize.fake->serverSize.reset();
  noSize.put();
  ASSERT_EQ(noSize.outcomes.size(), 1u);
  EXPECT_TRUE(noSize.outcomes[0].ok);
  EXPECT_EQ(noSize.fake->calls.back(), std::string("mv ") + kTemp + " a.html");
  Rig off(false);
  off.put();
  EXPECT_EQ(off.fake->calls, (std::vector<std::string>{"put /site/a.html a.html"}));
  ASSERT_EQ(off.outcomes.size(), 1u);
  EXPECT_TRUE(off.outcomes[0].ok);
}

// Every failure before the rename leaves the real name alone and removes the temporary file, once; the
// reason given is the first failure's.
TEST(TempNamePublisher, AFailureBeforeTheRenameRemovesTheTemporaryAndKeepsTheLiveFile) {
  Rig refused;
  refused.fake->failures[Op::Store].push_back("the server said \"552 quota\"");
  refused.put();
  EXPECT_EQ(refused.fake->calls.back(), std::string("rm ") + kTemp);
  ASSERT_EQ(refused.outcomes.size(), 1u);
  EXPECT_FALSE(refused.outcomes[0].ok);
  EXPECT_EQ(refused.outcomes[0].why, "the server said \"552 quota\"");

  Rig shortFile;
  shortFile.fake->serverSize = 1000;
  shortFile.put();
  EXPECT_EQ(shortFile.fake->calls.back(), std::string("rm ") + kTemp);
  ASSERT_EQ(shortFile.outcomes.size(), 1u);
  EXPECT_EQ(shortFile.outcomes[0].why, "The server holds 1000 bytes of the 1234 sent");

  // A connection lost during the upload: nothing more can be sent, and the failure is told at once.
  Rig dropped;
  dropped.fake->storeDropsConnection = true;
  dropped.fake->failures[Op::Store].push_back("The connection was unexpectedly closed by the remote server");
  dropped.put();
  EXPECT_EQ(dropped.fake->calls.size(), 1u);
  ASSERT_EQ(dropped.outcomes.size(), 1u);
  EXPECT_FALSE(dropped.outcomes[0].ok);

  for (const std::string& call : refused.fake->calls) EXPECT_EQ(call.find("mv "), std::string::npos) << call;
  for (const std::string& call : shortFile.fake->calls) EXPECT_EQ(call.rfind("rm a.html", 0), std::string::npos);
}

// A server that refuses to rename over a file but renames otherwise: the old file makes room. One that
// renames nothing never loses its live file. Refused once the old file is gone: the new one stays whole.
TEST(TempNamePublisher, ARefusedRenameDeletesTheLiveFileOnlyWhereTheServerRenamesOtherwise) {
  const std::string ready = ".a.html.quillon-ready";
  Rig rig;
  rig.fake->failures[Op::Rename].push_back("the server said \"553 exists\"");
  rig.put();
  EXPECT_EQ(rig.fake->calls, (std::vector<std::string>{
                                 "put /site/a.html .a.html.quillon-upload", std::string("size ") + kTemp,
                                 std::string("mv ") + kTemp + " a.html", "rm " + ready,
                                 std::string("mv ") + kTemp + " " + ready, "rm a.html", "mv " + ready + " a.html"}));
  ASSERT_EQ(rig.outcomes.size(), 1u);
  EXPECT_TRUE(rig.outcomes[0].ok);

  Rig noRenames;
  noRenames.fake->failures[Op::Rename] = {"the server said \"550 Not enough privileges\"",
                                          "the server said \"550 Not enough privileges\""};
  noRenames.put();
  for (const std::string& call : noRenames.fake->calls) EXPECT_NE(call, "rm a.html") << "the live file was deleted";
  EXPECT_EQ(noRenames.fake->calls.back(), std::string("rm ") + kTemp);
  ASSERT_EQ(noRenames.outcomes.size(), 1u);
  EXPECT_FALSE(noRenames.outcomes[0].ok);
  EXPECT_EQ(noRenames.outcomes[0].why, "the server said \"550 Not enough privileges\"");

  Rig stubborn;
  // The first and the last rename refused, the probe taken.
  stubborn.fake->renameAnswers = {false, true, false};
  stubborn.put();
  EXPECT_EQ(stubborn.fake->calls.back(), "mv " + ready + " a.html");
  ASSERT_EQ(stubborn.outcomes.size(), 1u);
  EXPECT_FALSE(stubborn.outcomes[0].ok);
  EXPECT_NE(stubborn.outcomes[0].why.find("was removed to make room"), std::string::npos);
  EXPECT_NE(stubborn.outcomes[0].why.find(ready), std::string::npos);
}

TEST(TempNamePublisher, ACancelledUploadEndsFailedWithItsTemporaryRemovedAndOtherOperationsPassThrough) {
  // Cancelled while the file went out, and the last byte got there anyway: it is not given its name.
  Rig rig;
  rig.fake->holdStore = true;
  rig.put();
  EXPECT_TRUE(rig.publisher.busy());
  rig.publisher.abort();
  rig.fake->release();
  EXPECT_EQ(rig.fake->calls,
            (std::vector<std::string>{"put /site/a.html .a.html.quillon-upload", "abort", std::string("rm ") + kTemp}));
  ASSERT_EQ(rig.outcomes.size(), 1u);
  EXPECT_FALSE(rig.outcomes[0].ok);
  EXPECT_EQ(rig.outcomes[0].why, "The upload was cancelled");
  EXPECT_FALSE(rig.publisher.busy());
  rig.fake->holdStore = false;

  rig.publisher.deleteFile("old.html");
  rig.publisher.list();
  EXPECT_EQ(rig.outcomes.size(), 3u);
  EXPECT_EQ(rig.outcomes[1].op, Op::Delete);
  EXPECT_EQ(rig.outcomes[2].op, Op::List);
  EXPECT_EQ(rig.fake->calls.back(), "list");
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

TEST(Publisher, AnOperationIsRefusedOnlyWhenItCannotStart) {
  using Op = Publisher::Op;
  EXPECT_EQ(refusalOf(Op::Connect, false, false), nullptr);
  EXPECT_STREQ(refusalOf(Op::Connect, true, false), "Already connected");
  EXPECT_STREQ(refusalOf(Op::Connect, false, true), "Busy with another operation");
  EXPECT_EQ(refusalOf(Op::Store, true, false), nullptr);
  EXPECT_STREQ(refusalOf(Op::Store, true, true), "Busy with another operation");
  EXPECT_STREQ(refusalOf(Op::List, false, false), "Not connected");
}

}  // namespace
}  // namespace quillon
