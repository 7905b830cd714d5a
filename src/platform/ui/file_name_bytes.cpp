#include "platform/ui/file_name_bytes.h"

#include <dirent.h>
#include <sys/stat.h>
#include <QFile>

#include "platform/ui/qt_text.h"

namespace quillon {

namespace {

bool exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

// The one name in `folder` that reads as `part`, as Qt reads names or as the program shows bytes that are
// not UTF-8 (as Latin-1); `written` when there is none or more than one.
std::string nameReadAs(const std::string& folder, const QString& part, const std::string& written) {
  DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
  if (!dir) return written;
  std::string found;
  int matches = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    const QString asQtReadsIt = QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
    if (asQtReadsIt != part && toQString(name) != part) continue;
    found = name;
    ++matches;
  }
  ::closedir(dir);
  return matches == 1 ? found : written;
}

}  // namespace

std::string fileNameBytes(const QString& path) {
  const std::string asWritten = toBytes(path);
  if (exists(asWritten)) return asWritten;
  std::string result;
  const QStringList parts = path.split('/');
  for (qsizetype i = 0; i < parts.size(); ++i) {
    const std::string written = toBytes(parts[i]);
    std::string part = written;
    if (i > 0 && !parts[i].isEmpty() && !exists(result + "/" + written)) part = nameReadAs(result, parts[i], written);
    result += (i > 0 ? "/" : "") + part;
  }
  return result;
}

}  // namespace quillon
