#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "base/sha256.h"

namespace quillon {

// What was published of one file: the local file as it was sent, and the server's listing of it after.
struct PublishedFile {
  int64_t size = 0;
  int64_t modifiedNs = 0;
  std::string sha256;  // of the bytes sent, in lower-case hex
  std::optional<int64_t> remoteSize;
  std::string remoteStamp;  // empty while the server has not listed it since
  bool operator==(const PublishedFile&) const = default;
};

// The record of a site published to one server folder, by path relative to the local site folder ('/'
// between folders). On disk: a first line that names the server and folder, then one line per file sent or
// removed, appended as each is done, so that a run killed part-way keeps everything it recorded; a line
// cut short by a kill is ignored. Loading keeps the last line of each path; compact() rewrites the file
// atomically with one line per file.
class PublishRecord {
 public:
  // The record at `path` for `site` ("user@host:port/folder"). A record of another site, or lines that
  // cannot be read, are ignored and said in problems().
  static PublishRecord load(const std::string& path, const std::string& site);

  const std::map<std::string, PublishedFile>& files() const { return files_; }
  const PublishedFile* find(const std::string& path) const;
  const std::vector<std::string>& problems() const { return problems_; }
  // The file is something else than a publish record: it is never written.
  bool foreign() const { return foreign_; }

  WriteResult recordSent(const std::string& path, const PublishedFile& file);
  WriteResult recordRemoved(const std::string& path);
  WriteResult compact();

 private:
  WriteResult append(const std::string& line);

  std::string path_, site_;
  std::map<std::string, PublishedFile> files_;
  std::vector<std::string> problems_;
  bool headerWritten_ = false;
  bool foreign_ = false;
};

// Where the record of `site` lives in the user's data folder ("DATA/publish/...").
std::string publishRecordPath(const std::string& dataFolder, const std::string& site);

}  // namespace quillon
