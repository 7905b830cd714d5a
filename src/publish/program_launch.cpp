#include "publish/program_launch.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <thread>

extern char** environ;

namespace quillon {

namespace {

std::string reasonFor(int err, const std::string& path) {
  switch (err) {
    case ENOENT:
      return "File was not found.(" + path + ")";
    case ENOTDIR:
      return "Path was not found.";
    case EACCES:
    case EISDIR:
      return "Type of executable file was unknown.";
    case ENOEXEC:
      return "Executable file was invalid. Either it was not a Windows application or there was an error in the .EXE "
             "image.";
    case ENOMEM:
    case E2BIG:
      return "There was insufficient memory to start the application.";
    case ETXTBSY:
      return "Attempt was made to dynamically link to a task, or there was a sharing or network-protection error.";
    default:
      return "Unknown Error.";
  }
}

}  // namespace

std::string launchProgram(const std::string& path, const std::vector<std::string>& arguments,
                          const std::string& folder) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return reasonFor(errno, path);
  if (!S_ISREG(st.st_mode) || ::access(path.c_str(), X_OK) != 0) return reasonFor(EACCES, path);
  std::vector<char*> argv;
  std::string program = path;
  argv.push_back(program.data());
  std::vector<std::string> args = arguments;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t pid = 0;
  const int err = ::posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (err != 0) return reasonFor(err, path);
  // Not waited for: a thread of its own collects the program's end, so no zombie is left.
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return {};
}

}  // namespace quillon
