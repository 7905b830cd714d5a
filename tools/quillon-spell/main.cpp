// quillon-spell: the program's spell checker from the command line.
//   quillon-spell [--program-dir DIR] check FILE      one line per word the checker stops at: OFFSET<TAB>WORD
//   quillon-spell [--program-dir DIR] suggest WORD... one line per word: WORD: suggestion, suggestion, ...
//   with --times before the command, each word's suggestion time in milliseconds goes to standard error
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "base/program_folders.h"
#include "spell/spell_engine.h"

namespace {
int usage() {
  std::fputs("usage: quillon-spell [--program-dir DIR] check FILE | suggest WORD...\n", stderr);
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  quillon::ProgramFolders folders;
  if (args.size() >= 2 && args[0] == "--program-dir") {
    folders = quillon::singleProgramFolder(args[1]);
    args.erase(args.begin(), args.begin() + 2);
  } else {
    folders = quillon::resolveProgramFolders();
  }
  bool times = false;
  if (!args.empty() && args[0] == "--times") {
    times = true;
    args.erase(args.begin());
  }
  if (args.size() < 2) return usage();
  quillon::SpellEngine engine = quillon::SpellEngine::open(folders);
  // Without a main dictionary every word would be reported, which is no answer at all.
  if (!engine.hasMainDictionary()) {
    for (const std::string& path : engine.unreadableDictionaries())
      std::fprintf(stderr, "quillon-spell: the dictionary %s is missing or damaged\n", path.c_str());
    if (engine.unreadableDictionaries().empty()) std::fputs("quillon-spell: no dictionary is in use\n", stderr);
    return 1;
  }
  if (args[0] == "check" && args.size() == 2) {
    const auto data = quillon::readWholeFile(args[1]);
    if (!data) {
      std::fprintf(stderr, "quillon-spell: cannot read %s\n", args[1].c_str());
      return 1;
    }
    quillon::StringSpellText text(*data);
    engine.begin(0, data->size());
    std::string out;
    while (const auto stop = engine.next(text)) {
      out += std::to_string(stop->offset) + "\t" + stop->word + "\n";
      engine.ignore();
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
  }
  if (args[0] == "suggest") {
    for (size_t i = 1; i < args.size(); ++i) {
      std::string line = args[i] + ": ";
      const auto started = std::chrono::steady_clock::now();
      const auto suggestions = engine.suggest(args[i]);
      if (times)
        std::fprintf(stderr, "%.3f\n",
                     std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count());
      for (size_t k = 0; k < suggestions.size(); ++k) line += (k ? ", " : "") + suggestions[k];
      std::printf("%s\n", line.c_str());
    }
    return 0;
  }
  return usage();
}
