#include "app/program_dir.h"

#include <climits>
#include <cstdlib>
#include <unistd.h>

#include "base/file_io.h"
#include "base/text_bytes.h"

namespace quillon {

static void makeDirectories(const std::string& dir) {
  for (size_t i = 1; i < dir.size(); ++i)
    if (dir[i] == '/') makeDirectory(dir.substr(0, i));
  makeDirectory(dir);
}

std::string prepareProgramDirectory(std::string dir) {
  if (dir.empty()) dir = ".";
  if (dir.front() != '/') {
    char cwd[PATH_MAX];
    if (::getcwd(cwd, sizeof cwd)) dir = std::string(cwd) + "/" + dir;
  }
  if (dir.back() != '/') dir += '/';
  if (!isDirectory(dir)) makeDirectories(dir);
  return dir;
}

std::string resolveProgramDirectory() {
  if (const char* env = std::getenv("QUILLON_PROGRAM_DIR"); env && *env) return prepareProgramDirectory(env);
  char exe[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n <= 0) return prepareProgramDirectory(".");
  return std::string(folderPart(std::string_view(exe, static_cast<size_t>(n))));
}

std::string homeDirectory() {
  const char* home = std::getenv("HOME");
  std::string dir = (home && *home) ? home : "/";
  if (dir.back() != '/') dir += '/';
  return dir;
}

}  // namespace quillon
