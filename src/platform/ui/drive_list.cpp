#include "platform/ui/drive_list.h"

#include <QDir>
#include <QStorageInfo>
#include <algorithm>

#include "platform/ui/qt_text.h"

namespace quillon {

namespace {

std::string withSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

// System mounts (kernel, boot, containers, snaps) are not places a user picks files from.
bool userVolume(const QStorageInfo& volume) {
  if (!volume.isValid() || !volume.isReady()) return false;
  if (!volume.device().startsWith("/dev/")) return false;
  const QString root = volume.rootPath();
  for (const char* hidden : {"/boot", "/snap", "/var", "/usr", "/sys", "/proc", "/run/user"})
    if (root == hidden || root.startsWith(QString(hidden) + "/")) return false;
  return root != "/";
}

}  // namespace

std::vector<std::string> driveRoots() {
  std::vector<std::string> roots{"/", withSlash(toBytes(QDir::homePath()))};
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!userVolume(volume)) continue;
    std::string root = withSlash(toBytes(volume.rootPath()));
    if (std::find(roots.begin(), roots.end(), root) == roots.end()) roots.push_back(std::move(root));
  }
  return roots;
}

std::string driveOf(const std::vector<std::string>& roots, const std::string& folder) {
  std::string best = roots.empty() ? std::string("/") : roots.front();
  for (const std::string& root : roots)
    if (folder.compare(0, root.size(), root) == 0 && root.size() > best.size()) best = root;
  return best;
}

}  // namespace quillon
