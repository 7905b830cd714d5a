#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/file_io.h"
#include "publish/ftp_text.h"
#include "publish/publish_plan.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

PublishedFile sentFile(int64_t size, int64_t ns, std::string sha, int64_t remoteSize, std::string stamp) {
  PublishedFile f;
  f.size = size;
  f.modifiedNs = ns;
  f.sha256 = std::move(sha);
  f.remoteSize = remoteSize;
  f.remoteStamp = std::move(stamp);
  return f;
}

const std::string kSha(64, 'a');

TEST(PublishRecord, KeepsWhatWasRecordedThroughKillsDamageAndOddNames) {
  testing::TempDir dir;
  const std::string path = dir.path() + "publish/site.rec";
  const std::string site = "me@host:21/www";
  const std::string odd = "My Folder/tab\there 100%\r\n.html";
  {
    PublishRecord r = PublishRecord::load(path, site);
    EXPECT_TRUE(r.files().empty());
    ASSERT_TRUE(r.recordSent("index.html", sentFile(10, 5, kSha, 10, "Dec 9 20:15")).ok);
    ASSERT_TRUE(r.recordSent(odd, sentFile(3, 7, kSha, 3, "")).ok);
    ASSERT_TRUE(r.recordSent("gone.html", sentFile(1, 1, kSha, 1, "")).ok);
    ASSERT_TRUE(r.recordRemoved("gone.html").ok);
    ASSERT_TRUE(r.recordSent("index.html", sentFile(11, 6, kSha, 11, "Dec 9 20:16")).ok);
  }
  // A kill in the middle of a line leaves it without its line end: it is ignored, the rest is kept.
  std::string bytes = *readWholeFile(path);
  ASSERT_TRUE(writeFileAtomic(path, bytes + "+\tcut.html\t12\t3").ok);
  PublishRecord back = PublishRecord::load(path, site);
  EXPECT_TRUE(back.problems().empty());
  ASSERT_EQ(back.files().size(), 2u);
  EXPECT_EQ(*back.find("index.html"), sentFile(11, 6, kSha, 11, "Dec 9 20:16")) << "the last line of a path wins";
  ASSERT_NE(back.find(odd), nullptr) << "tabs, line breaks and '%' in names survive";
  EXPECT_EQ(back.find("gone.html"), nullptr);

  // Damaged lines are counted and skipped; what can be read is used.
  ASSERT_TRUE(writeFileAtomic(path, bytes + "+\tbad.html\tnot a size\t1\t" + kSha + "\t-\t\r\nnonsense\r\n").ok);
  PublishRecord damaged = PublishRecord::load(path, site);
  EXPECT_EQ(damaged.files().size(), 2u);
  ASSERT_EQ(damaged.problems().size(), 1u);
  EXPECT_NE(damaged.problems()[0].find("2 lines"), std::string::npos) << damaged.problems()[0];

  // Compacting leaves one line per file, and the same record.
  ASSERT_TRUE(damaged.compact().ok);
  EXPECT_EQ(PublishRecord::load(path, site).files(), damaged.files());
  const std::string compacted = *readWholeFile(path);
  EXPECT_EQ(std::count(compacted.begin(), compacted.end(), '\n'), 3);

  // Another site's record is not used, and is replaced on the first file recorded.
  PublishRecord other = PublishRecord::load(path, "me@host:21/elsewhere");
  EXPECT_TRUE(other.files().empty());
  ASSERT_EQ(other.problems().size(), 1u);
  ASSERT_TRUE(other.recordSent("a.html", sentFile(1, 1, kSha, 1, "")).ok);
  EXPECT_EQ(PublishRecord::load(path, "me@host:21/elsewhere").files().size(), 1u);

  EXPECT_NE(publishRecordPath("/data/", "me@host:21/www"), publishRecordPath("/data/", "me@host:21/www2"));
  EXPECT_EQ(publishRecordPath("/data/", "a/b").rfind("/data/publish/", 0), 0u);
}

TEST(PublishRecord, AFileThatIsNoRecordIsNeverWrittenOver) {
  testing::TempDir dir;
  const std::string path = dir.path() + "notes.txt";
  ASSERT_TRUE(writeFileAtomic(path, "my own notes\r\nline two\r\n").ok);
  PublishRecord r = PublishRecord::load(path, "me@host:21/www");
  EXPECT_TRUE(r.foreign());
  EXPECT_FALSE(r.recordSent("a.html", sentFile(1, 1, kSha, 1, "")).ok);
  EXPECT_FALSE(r.compact().ok);
  EXPECT_EQ(*readWholeFile(path), "my own notes\r\nline two\r\n");
  // A record made in a data folder that does not exist yet makes it.
  PublishRecord fresh = PublishRecord::load(dir.path() + "data/quillon/publish/x.rec", "s");
  EXPECT_TRUE(fresh.recordSent("a.html", sentFile(1, 1, kSha, 1, "")).ok);
  EXPECT_EQ(PublishRecord::load(dir.path() + "data/quillon/publish/x.rec", "s").files().size(), 1u);
}

TEST(PublishRecord, HashesFiles) {
  testing::TempDir dir;
  ASSERT_TRUE(writeFileAtomic(dir.path() + "abc", "abc").ok);
  EXPECT_EQ(fileSha256(dir.path() + "abc").value_or(""),
            "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_FALSE(fileSha256(dir.path() + "missing"));
}

TEST(PublishPlan, ListingsGiveSizesAndTimesThatCompareAcrossTheYearForm) {
  const auto line = parseUnixListingLine("-rw-r--r--   1 web  web   12345 Jan  3 12:00 my page.html");
  ASSERT_TRUE(line);
  EXPECT_EQ(line->name, "my page.html");
  EXPECT_EQ(line->size.value_or(-1), 12345);
  EXPECT_EQ(line->stamp, "Jan 3 12:00");

  const auto mlsd = parseMlsdLine("type=file;Size=812;modify=20261209201500.250;perm=rw; a; b=c.html");
  ASSERT_TRUE(mlsd);
  EXPECT_EQ(mlsd->name, "a; b=c.html") << "the name is all of what follows the first blank";
  EXPECT_EQ(mlsd->size.value_or(-1), 812);
  EXPECT_EQ(mlsd->stamp, "20261209201500");
  EXPECT_FALSE(mlsd->directory);
  EXPECT_TRUE(parseMlsdLine("Type=dir;modify=20261209201500; img")->directory);
  EXPECT_TRUE(parseMlsdLine("type=OS.unix=slink:/srv/www;size=7; www")->link);
  EXPECT_FALSE(parseMlsdLine("type=cdir; /www"));
  EXPECT_FALSE(parseMlsdLine("type=pdir; .."));
  EXPECT_FALSE(parseMlsdLine("size=3; untyped"));
  EXPECT_FALSE(parseMlsdLine("type=file;size=3;"));

  const PublishedFile published = sentFile(5, 1, kSha, 5, "Jan 3 12:00");
  RemoteEntry listed{"a", false, false, 5, "Jan 3 12:00"};
  EXPECT_TRUE(sameRemoteState(published, listed));
  listed.stamp = "Jan 3 2026";  // the same file, half a year on
  EXPECT_TRUE(sameRemoteState(published, listed));
  listed.stamp = "Jan 4 2026";
  EXPECT_FALSE(sameRemoteState(published, listed));
  listed.stamp = "Jan 3 12:01";
  EXPECT_FALSE(sameRemoteState(published, listed));
  listed = {"a", false, false, 6, "Jan 3 12:00"};
  EXPECT_FALSE(sameRemoteState(published, listed)) << "another size";
  listed = {"a", false, false, 5, "1767441600"};
  EXPECT_FALSE(sameRemoteState(sentFile(5, 1, kSha, 5, "1767441601"), listed));
  EXPECT_TRUE(sameRemoteState(sentFile(5, 1, kSha, 5, ""), listed)) << "a time never listed is not compared";
  listed = {"a", false, false, 5, "20260103120000"};
  EXPECT_TRUE(sameRemoteState(sentFile(5, 1, kSha, 5, "20260103120000"), listed));
  EXPECT_FALSE(sameRemoteState(sentFile(5, 1, kSha, 5, "20260103120001"), listed));
  EXPECT_TRUE(sameRemoteState(published, listed)) << "a LIST time and an MLSD time: the size decides";
}

TEST(PublishPlan, SortsFilesIntoNewChangedConflictAndOnlyOnTheServer) {
  testing::TempDir dir;
  const std::string root = dir.path() + "site/";
  ::mkdir(root.c_str(), 0755);
  ::mkdir((root + "img").c_str(), 0755);
  ::mkdir((root + ".git").c_str(), 0755);
  const std::pair<const char*, const char*> files[] = {
      {"new.html", "new"},       {"same.html", "same"},   {"touched.html", "touched"}, {"sized.html", "longer now"},
      {"edited.html", "EDITED"}, {"theirs.html", "mine"}, {"img/a.gif", "gif"},        {"clash", "file here"},
      {"nofile.html", "no rec"}, {"x.bak", "backup"},     {".git/config", "git"},
  };
  for (const auto& [name, text] : files) ASSERT_TRUE(writeFileAtomic(root + name, text).ok);
  const std::vector<std::string> exclusions = exclusionPatterns(kDefaultPublishExclusions);
  const LocalTree local = scanLocalTree(root, exclusions);
  ASSERT_TRUE(local.readable);
  EXPECT_EQ(local.folders, std::vector<std::string>{"img"}) << "hidden folders are left out";
  auto localFile = [&](const std::string& p) {
    for (const LocalFile& f : local.files)
      if (f.path == p) return f;
    ADD_FAILURE() << p;
    return LocalFile{};
  };
  PublishRecord record = PublishRecord::load(dir.path() + "r.rec", "site");
  auto recordAsIs = [&](const std::string& p, int64_t nsShift = 0, std::string sha = {}) {
    const LocalFile f = localFile(p);
    if (sha.empty()) sha = *fileSha256(root + p);
    ASSERT_TRUE(record.recordSent(p, sentFile(f.size, f.modifiedNs + nsShift, sha, f.size, "Dec 9 20:15")).ok);
  };
  recordAsIs("same.html");
  recordAsIs("touched.html", -5);  // its time moved on, its bytes did not
  recordAsIs("img/a.gif");
  ASSERT_TRUE(record.recordSent("sized.html", sentFile(3, 1, kSha, 3, "Dec 9 20:15")).ok);
  recordAsIs("edited.html", -5, std::string(64, 'b'));  // same size, other bytes
  recordAsIs("theirs.html");

  RemoteTree remote;
  remote.complete = true;
  auto onServer = [&](const std::string& p, int64_t size, std::string stamp = "Dec 9 20:15") {
    remote.files[p] = {p, false, false, size, std::move(stamp)};
  };
  for (const char* p : {"same.html", "touched.html", "img/a.gif", "edited.html"}) onServer(p, localFile(p).size);
  onServer("sized.html", 3);
  onServer("theirs.html", 99);  // changed by someone else since
  onServer("nofile.html", 1);   // no record: its size differs
  onServer("old.html", 7);      // gone locally
  onServer(".htaccess", 5);     // the server's own hidden file
  remote.folders = {"img", "clash"};

  const PublishPlan plan = planPublish(root, local, remote, record, exclusions);
  std::vector<std::pair<PublishChange, std::string>> got;
  for (const PlannedFile& f : plan.files) got.emplace_back(f.change, f.path);
  const std::vector<std::pair<PublishChange, std::string>> want = {
      {PublishChange::New, "new.html"},        {PublishChange::Changed, "edited.html"},
      {PublishChange::Changed, "nofile.html"}, {PublishChange::Changed, "sized.html"},
      {PublishChange::Conflict, "clash"},      {PublishChange::Conflict, "theirs.html"},
      {PublishChange::RemoteOnly, "old.html"},
  };
  EXPECT_EQ(got, want);
  EXPECT_EQ(plan.unchanged, 3u) << "same.html, touched.html, img/a.gif";
  for (const PlannedFile& f : plan.files)
    EXPECT_EQ(f.ticked, f.change == PublishChange::New || f.change == PublishChange::Changed) << f.path;
  EXPECT_TRUE(plan.deletionsAllowed);
  EXPECT_EQ(planSummary(plan), "1 new (1 KB), 3 changed (1 KB), 2 conflicts, 1 only on the server, 3 unchanged");

  // A listing cut short, or a local folder that cannot be read, offers nothing for deletion.
  remote.complete = false;
  const PublishPlan partial = planPublish(root, local, remote, record, exclusions);
  EXPECT_FALSE(partial.deletionsAllowed);
  for (const PlannedFile& f : partial.files) EXPECT_NE(f.change, PublishChange::RemoteOnly) << f.path;
  remote.complete = true;
  const LocalTree missing = scanLocalTree(dir.path() + "no-such-folder", exclusions);
  EXPECT_FALSE(missing.readable);
  const PublishPlan fromNothing = planPublish(dir.path() + "no-such-folder", missing, remote, record, exclusions);
  EXPECT_TRUE(fromNothing.files.empty()) << "an unreadable site folder never deletes the server's files";
  EXPECT_FALSE(fromNothing.localReadable);
  ::mkdir((dir.path() + "empty").c_str(), 0755);
  const PublishPlan fromEmpty =
      planPublish(dir.path() + "empty", scanLocalTree(dir.path() + "empty", exclusions), remote, record, exclusions);
  EXPECT_FALSE(fromEmpty.deletionsAllowed) << "an empty site folder never empties the server";
  EXPECT_TRUE(fromEmpty.files.empty());
  EXPECT_EQ(fromEmpty.noDeletionsBecause, "the local folder holds nothing to publish");
}

TEST(PublishPlan, LinksOutOfTheSiteFolderAreNeverPublished) {
  testing::TempDir dir;
  const std::string root = dir.path() + "site/";
  ::mkdir(root.c_str(), 0755);
  ::mkdir((dir.path() + "private").c_str(), 0755);
  ASSERT_TRUE(writeFileAtomic(dir.path() + "private/secret.txt", "secret").ok);
  ASSERT_TRUE(writeFileAtomic(root + "page.html", "page").ok);
  ASSERT_EQ(::symlink((dir.path() + "private").c_str(), (root + "private").c_str()), 0);
  ASSERT_EQ(::symlink((dir.path() + "private/secret.txt").c_str(), (root + "secret.html").c_str()), 0);
  ASSERT_EQ(::symlink("page.html", (root + "alias.html").c_str()), 0);
  ASSERT_EQ(::symlink(".", (root + "self").c_str()), 0);
  const LocalTree tree = scanLocalTree(root, {});
  std::vector<std::string> paths;
  for (const LocalFile& f : tree.files) paths.push_back(f.path);
  EXPECT_EQ(paths, (std::vector<std::string>{"alias.html", "page.html"})) << "a link inside is followed, once";
  EXPECT_EQ(tree.outside, (std::vector<std::string>{"private", "secret.html"}));
}

TEST(PublishPlan, ExclusionsMatchEveryPartOfAPath) {
  const auto patterns = exclusionPatterns(" .* ; *.bak;;*.tmp ");
  EXPECT_EQ(patterns, (std::vector<std::string>{".*", "*.bak", "*.tmp"}));
  EXPECT_TRUE(isExcluded(patterns, ".htaccess"));
  EXPECT_TRUE(isExcluded(patterns, "sub/.git/config"));
  EXPECT_TRUE(isExcluded(patterns, "img/.a.gif.quillon-upload"));
  EXPECT_TRUE(isExcluded(patterns, "deep/page.bak"));
  EXPECT_FALSE(isExcluded(patterns, "page.bak.html"));
  EXPECT_FALSE(isExcluded(patterns, "a.b/c.html"));
}

}  // namespace
}  // namespace quillon
