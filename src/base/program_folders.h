#pragma once

#include <string>
#include <vector>

namespace quillon {

// Where the program reads its shipped files and writes its own. Run from the build tree or with
// QUILLON_PROGRAM_DIR both are one program directory (modules stay beside the executable's install). Installed
// (PREFIX/bin beside PREFIX/share/quillon) the program directory is not writable: settings, projects, backups, snippets
// and the user dictionary go to the user's data folder, the help project, dictionaries and icons are read from the
// shared folder.
struct ProgramFolders {
  std::string data;     // written: DEFAULT.INI, OPTIONS.INI, FTP.INI, projects/, backup/, spell/spell.cfg, ...
  std::string shared;   // read only: help/, spell/*.dct, icons/
  std::string modules;  // loadable modules (the embedded browser)
  bool installed = false;
};

// What the folder rules look at, gathered from the process so the rules can be tried on any layout.
struct FolderFacts {
  std::string programDirVariable;  // QUILLON_PROGRAM_DIR
  std::string executableFolder;    // folder of the running executable
  std::string dataHome;            // XDG_DATA_HOME
  std::string home;                // HOME
};

// Every folder ends in '/'. Nothing is created.
ProgramFolders chooseProgramFolders(const FolderFacts& facts);
FolderFacts factsOfThisProcess();

// The folders of this process, with the data folder created and, when installed, seeded; what could not be
// made is added to `unusable` when given.
ProgramFolders resolveProgramFolders(std::vector<std::string>* unusable = nullptr);
// One program directory given explicitly (--program-dir): created when missing, ends in '/'.
std::string prepareProgramDirectory(std::string dir);
ProgramFolders singleProgramFolder(std::string dir);

// Shipped defaults of files the program later writes, copied into the data folder on first start.
const std::vector<std::string>& seededFiles();
// Creates the data folder and its sub-folders and copies each shipped default that is missing there. A
// file, folder or link already at a name is never replaced. Returns the names that could not be seeded.
std::vector<std::string> seedDataFolder(const ProgramFolders& folders);

// The user's home folder, ending in '/'.
std::string homeDirectory();

}  // namespace quillon
