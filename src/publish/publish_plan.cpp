#include "publish/publish_plan.h"

#include <algorithm>
#include <ctime>

#include "base/text_bytes.h"

namespace quillon {

namespace {

// "Mon DD" of an FTP listing time, or the whole text for any other stamp.
std::string dayOf(const std::string& stamp) {
  const size_t second = stamp.find(' ', stamp.find(' ') + 1);
  return second == std::string::npos ? stamp : stamp.substr(0, second);
}

bool isYear(std::string_view word) { return word.size() == 4 && word.find(':') == std::string_view::npos; }

bool allDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The kinds of time a listing gives: FTP LIST's "Jan 3 12:00", MLSD's "20260103120000", SFTP's seconds.
enum class StampKind { List, Mlsd, Seconds, Unknown };
StampKind kindOf(std::string_view stamp) {
  if (stamp.find(' ') != std::string_view::npos) return StampKind::List;
  if (stamp.size() == 14 && allDigits(stamp)) return StampKind::Mlsd;
  if (stamp.size() <= 12 && allDigits(stamp)) return StampKind::Seconds;
  return StampKind::Unknown;
}

// The time an FTP listing gives, read as UTC, or -1 when it does not give one. A "Mon DD HH:MM" time
// without a year lies within the last year (servers give the year for anything older than half a year).
int64_t listedSeconds(const std::string& stamp, int64_t nowSeconds) {
  static const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const size_t a = stamp.find(' '), b = a == std::string::npos ? a : stamp.find(' ', a + 1);
  if (b == std::string::npos) {
    if (kindOf(stamp) == StampKind::Seconds) return std::stoll(stamp);
    if (kindOf(stamp) != StampKind::Mlsd) return -1;
    std::tm t{};
    t.tm_year = std::stoi(stamp.substr(0, 4)) - 1900;
    t.tm_mon = std::stoi(stamp.substr(4, 2)) - 1;
    t.tm_mday = std::stoi(stamp.substr(6, 2));
    t.tm_hour = std::stoi(stamp.substr(8, 2));
    t.tm_min = std::stoi(stamp.substr(10, 2));
    t.tm_sec = std::stoi(stamp.substr(12, 2));
    return static_cast<int64_t>(timegm(&t));
  }
  const std::string month = stamp.substr(0, a), day = stamp.substr(a + 1, b - a - 1), last = stamp.substr(b + 1);
  int m = -1;
  for (int i = 0; i < 12; ++i)
    if (equalsIgnoringAsciiCase(month, months[i])) m = i;
  if (m < 0 || day.empty() || day.size() > 2 || day.find_first_not_of("0123456789") != std::string::npos) return -1;
  std::tm t{};
  t.tm_mon = m;
  t.tm_mday = std::stoi(day);
  if (isYear(last) && last.find_first_not_of("0123456789") == std::string::npos) {
    t.tm_year = std::stoi(last) - 1900;
    return static_cast<int64_t>(timegm(&t));
  }
  if (last.size() != 5 || last[2] != ':') return -1;
  t.tm_hour = std::stoi(last.substr(0, 2));
  t.tm_min = std::stoi(last.substr(3, 2));
  const std::time_t now = static_cast<std::time_t>(nowSeconds);
  std::tm today{};
  gmtime_r(&now, &today);
  t.tm_year = today.tm_year;
  int64_t seconds = timegm(&t);
  if (seconds > nowSeconds + 86400) {
    t.tm_year -= 1;
    seconds = timegm(&t);
  }
  return seconds;
}

std::string kilobytes(int64_t bytes) { return std::to_string((bytes + 1023) / 1024) + " KB"; }

}  // namespace

bool sameRemoteState(const PublishedFile& published, const RemoteEntry& listed) {
  if (published.remoteSize && listed.size && *published.remoteSize != *listed.size) return false;
  if (published.remoteStamp.empty() || listed.stamp.empty() || published.remoteStamp == listed.stamp) return true;
  const std::string& a = published.remoteStamp;
  const std::string& b = listed.stamp;
  // Times of two kinds (the server began to offer exact listings since) cannot be compared: the size decides.
  if (kindOf(a) != kindOf(b)) return true;
  const bool aYear = isYear(a.substr(a.rfind(' ') + 1)), bYear = isYear(b.substr(b.rfind(' ') + 1));
  return aYear != bYear && a.find(' ') != std::string::npos && dayOf(a) == dayOf(b);
}

PublishPlan planPublish(const std::string& localRoot, const LocalTree& local, const RemoteTree& remote,
                        const PublishRecord& record, const std::vector<std::string>& exclusions) {
  PublishPlan plan;
  // A local folder that is empty, or could not be read, says nothing about what the server should keep.
  plan.localReadable = local.readable;
  plan.deletionsAllowed = local.readable && !local.files.empty() && remote.complete;
  if (!local.readable)
    plan.noDeletionsBecause = "the local folder could not be read";
  else if (local.files.empty())
    plan.noDeletionsBecause = "the local folder holds nothing to publish";
  else if (!remote.complete)
    plan.noDeletionsBecause = "the server's folders were not all listed";
  const std::string base = localRoot.empty() || localRoot.back() == '/' ? localRoot : localRoot + "/";
  const int64_t now = static_cast<int64_t>(std::time(nullptr));
  std::vector<PlannedFile> groups[4];
  for (const std::string& folder : local.folders)
    if (!remote.folders.count(folder)) plan.folders.push_back(folder);
  std::set<std::string> localPaths;
  for (const LocalFile& file : local.files) {
    localPaths.insert(file.path);
    PlannedFile item{PublishChange::New, file.path, file.size, true, {}, {}};
    if (remote.folders.count(file.path)) {
      item.change = PublishChange::Conflict;
      item.ticked = false;
      item.note = "a folder of this name is on the server";
      groups[2].push_back(std::move(item));
      continue;
    }
    const auto listed = remote.files.find(file.path);
    if (listed == remote.files.end()) {
      groups[0].push_back(std::move(item));
      continue;
    }
    const PublishedFile* published = record.find(file.path);
    if (published && !sameRemoteState(*published, listed->second)) {
      item.change = PublishChange::Conflict;
      item.ticked = false;
      item.note = "changed on the server since the last publish";
      groups[2].push_back(std::move(item));
      continue;
    }
    bool changed = false;
    if (published) {
      // A file whose size and time are as sent is taken as sent; otherwise its bytes decide, so that an
      // edit of the same size is found and a file only touched is not sent again.
      if (published->size != file.size) {
        changed = true;
      } else if (published->modifiedNs != file.modifiedNs) {
        const auto sha = fileSha256(base + file.path);
        if (!sha) {
          plan.unreadable.push_back(file.path);
          continue;
        }
        item.sha256 = *sha;
        changed = *sha != published->sha256;
      }
    } else {
      const int64_t listedAt = listedSeconds(listed->second.stamp, now);
      changed = (listed->second.size && *listed->second.size != file.size) ||
                (listedAt >= 0 && file.modifiedNs / 1000000000 > listedAt + 60);
    }
    if (!changed) {
      ++plan.unchanged;
      plan.unchangedBytes += file.size;
      continue;
    }
    item.change = PublishChange::Changed;
    groups[1].push_back(std::move(item));
  }
  if (plan.deletionsAllowed)
    for (const auto& [path, entry] : remote.files)
      if (!localPaths.count(path) && !isExcluded(exclusions, path) &&
          std::find(local.folders.begin(), local.folders.end(), path) == local.folders.end())
        groups[3].push_back({PublishChange::RemoteOnly, path, entry.size.value_or(0), false, {}, {}});
  for (auto& group : groups)
    for (auto& item : group) plan.files.push_back(std::move(item));
  return plan;
}

std::string planSummary(const PublishPlan& plan) {
  size_t count[4] = {};
  int64_t bytes[4] = {};
  for (const PlannedFile& f : plan.files) {
    ++count[static_cast<int>(f.change)];
    bytes[static_cast<int>(f.change)] += f.bytes;
  }
  std::string out = std::to_string(count[0]) + " new (" + kilobytes(bytes[0]) + "), " + std::to_string(count[1]) +
                    " changed (" + kilobytes(bytes[1]) + "), " + std::to_string(count[2]) + " conflict" +
                    (count[2] == 1 ? "" : "s") + ", " + std::to_string(count[3]) + " only on the server, " +
                    std::to_string(plan.unchanged) + " unchanged";
  return out;
}

}  // namespace quillon
