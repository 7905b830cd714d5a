#include "base/program_folders.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>

#include "base/file_copy.h"
#include "base/file_io.h"
#include "base/text_bytes.h"

namespace quillon {

namespace {

std::string withSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

std::string absolute(std::string dir) {
  if (dir.empty()) dir = ".";
  if (dir.front() != '/') {
    char cwd[PATH_MAX];
    if (::getcwd(cwd, sizeof cwd)) dir = std::string(cwd) + "/" + dir;
  }
  return withSlash(std::move(dir));
}

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// PREFIX/ of PREFIX/bin/, or empty when the executable is not in a folder named bin.
std::string prefixOf(const std::string& executableFolder) {
  std::string folder = executableFolder;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (!folder.ends_with("/bin")) return {};
  return folder.substr(0, folder.size() - 3);
}

bool somethingAt(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

std::string stagingPrefix(const std::string& target) { return "." + std::string(fileNamePart(target)) + ".seed-"; }

// Staging copies left by a start that was killed part-way, whose process is gone.
void removeStaleStaging(const std::string& target) {
  const std::string folder(folderPart(target));
  const std::string prefix = stagingPrefix(target);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (!name.starts_with(prefix)) continue;
    const std::string digits(name.substr(prefix.size()));
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9) continue;
    const pid_t pid = static_cast<pid_t>(std::stol(digits));
    if (::kill(pid, 0) == -1 && errno == ESRCH) ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

// Copies `source` to `target` only when nothing is at `target`: written completely under a hidden name, then
// linked to the real name, which fails rather than replace whatever another process put there meanwhile.
bool copyIfAbsent(const std::string& source, const std::string& target) {
  removeStaleStaging(target);
  if (somethingAt(target)) return true;
  const auto bytes = readWholeFile(source);
  if (!bytes) return false;
  const std::string folder(folderPart(target));
  const std::string staging = folder + stagingPrefix(target) + std::to_string(::getpid());
  if (!writeFileAtomic(staging, *bytes).ok) return false;
  const bool linked = ::link(staging.c_str(), target.c_str()) == 0 || errno == EEXIST;
  ::unlink(staging.c_str());
  return linked;
}

}  // namespace

ProgramFolders chooseProgramFolders(const FolderFacts& facts) {
  ProgramFolders f;
  const std::string exe = withSlash(facts.executableFolder);
  const std::string prefix = prefixOf(exe);
  const bool installed = !prefix.empty() && isDirectory(prefix + "share/quillon");
  // Modules belong to the executable that loads them, wherever its data is.
  f.modules = installed ? prefix + "lib/quillon/" : exe;
  if (!facts.programDirVariable.empty()) {
    f.data = f.shared = absolute(facts.programDirVariable);
    return f;
  }
  if (!installed) {
    f.data = f.shared = exe;
    return f;
  }
  f.installed = true;
  f.shared = prefix + "share/quillon/";
  std::string dataHome = facts.dataHome;
  // A relative XDG_DATA_HOME is invalid and ignored.
  if (dataHome.empty() || dataHome.front() != '/')
    dataHome = withSlash(facts.home.empty() ? "/" : facts.home) + ".local/share";
  f.data = withSlash(dataHome) + "quillon/";
  return f;
}

FolderFacts factsOfThisProcess() {
  FolderFacts facts{environment("QUILLON_PROGRAM_DIR"), {}, environment("XDG_DATA_HOME"), homeDirectory()};
  char exe[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
  facts.executableFolder =
      n > 0 ? std::string(folderPart(std::string_view(exe, static_cast<size_t>(n)))) : absolute(".");
  return facts;
}

const std::vector<std::string>& seededFiles() {
  static const std::vector<std::string> files{"spell/spell.cfg"};
  return files;
}

std::vector<std::string> seedDataFolder(const ProgramFolders& folders) {
  std::vector<std::string> failed;
  for (const char* sub : {"", "projects", "backup", "spell"})
    if (!makeDirectories(folders.data + sub)) failed.push_back(folders.data + sub);
  if (folders.data == folders.shared) return failed;
  FolderLock lock(folders.data);
  for (const std::string& name : seededFiles())
    if (fileExists(folders.shared + name) && !copyIfAbsent(folders.shared + name, folders.data + name))
      failed.push_back(folders.data + name);
  return failed;
}

ProgramFolders resolveProgramFolders(std::vector<std::string>* unusable) {
  ProgramFolders folders = chooseProgramFolders(factsOfThisProcess());
  const std::vector<std::string> failed = seedDataFolder(folders);
  if (unusable) unusable->insert(unusable->end(), failed.begin(), failed.end());
  return folders;
}

std::string prepareProgramDirectory(std::string dir) {
  dir = absolute(std::move(dir));
  if (!isDirectory(dir)) makeDirectories(dir);
  return dir;
}

ProgramFolders singleProgramFolder(std::string dir) {
  FolderFacts facts = factsOfThisProcess();
  facts.programDirVariable = prepareProgramDirectory(std::move(dir));
  return chooseProgramFolders(facts);
}

std::string homeDirectory() {
  std::string home = environment("HOME");
  // Without HOME, the account's own home folder, never the root of the file system by accident.
  if (home.empty())
    if (const passwd* account = ::getpwuid(::getuid()); account && account->pw_dir) home = account->pw_dir;
  return withSlash(home.empty() ? "/" : home);
}

}  // namespace quillon
