#pragma once

#include <atomic>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/program_folders.h"
#include "spell/dictionary.h"
#include "spell/near_words.h"
#include "spell/spell_config.h"
#include "spell/user_dictionary.h"

namespace quillon {

// The text being checked; the engine reads it and replaces words in it (the editing window, or a string).
class SpellText {
 public:
  virtual ~SpellText() = default;
  virtual std::string_view bytes() = 0;
  virtual void replace(size_t start, size_t length, std::string_view with) = 0;
};

class StringSpellText : public SpellText {
 public:
  explicit StringSpellText(std::string text) : text_(std::move(text)) {}
  std::string_view bytes() override { return text_; }
  void replace(size_t start, size_t length, std::string_view with) override { text_.replace(start, length, with); }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

struct SpellSettings {
  std::string ignorePrefix = "'";
  std::string ignoreSuffix = "';'s";
  size_t maxSuggestions = 15;
  size_t maxUndo = 20;
};

// Finds and judges words, keeps the ignore-all and change-all lists and the undo records, and carries out the
// check dialog's commands. Text positions are byte offsets.
class SpellEngine {
 public:
  enum class StopKind { NotFound, Repeated };
  struct Stop {
    size_t offset = 0;
    std::string word;  // as UTF-8, entities read as their characters
    StopKind kind = StopKind::NotFound;
    size_t length = 0;  // bytes the word takes in the text
  };

  SpellEngine(SpellConfig config, std::vector<Dictionary> mains, std::vector<UserDictionary> users,
              SpellSettings settings = {});
  // The configuration and user dictionaries of the data folder's "spell" folder; main dictionaries named
  // there are looked for in the shared folder's "spell" folder too.
  static SpellEngine open(const ProgramFolders& folders, SpellSettings settings = {});
  // Main dictionaries in use that could not be read (missing or damaged), by path.
  const std::vector<std::string>& unreadableDictionaries() const { return unreadable_; }
  bool hasMainDictionary() const { return !mains_.empty(); }

  // Checks [from, to) of the text; resetCount starts the words-checked count afresh.
  void begin(size_t from, size_t to, bool resetCount = true);
  // Goes on to the next word the user must decide on, making the automatic replacements on the way.
  std::optional<Stop> next(SpellText& text);
  size_t wordsChecked() const { return checked_; }
  // Where the range being checked ends, moved by the changes made in it.
  size_t rangeEnd() const { return end_; }

  // The dialog's commands on the current stop; each resumes after it (next() then continues).
  void ignore();
  void ignoreAll();
  void change(SpellText& text, const std::string& replacement);
  void changeAll(SpellText& text, const std::string& replacement);
  // Both keep the word for this run even when the user dictionary cannot be written; the result says so.
  WriteResult add();
  WriteResult autoCorrect(SpellText& text, const std::string& replacement);
  bool undoLast(SpellText& text);

  bool known(std::string_view word) const;
  // The main dictionaries' own lookup for a word, capitals copied from the word. The work is bounded by the
  // word's length (a word over kCheapAbove letters gets only cheap candidates) and ends early, with what
  // was found, once *cancel is set. Safe to run on another thread while the engine is otherwise left alone.
  std::vector<std::string> suggest(const std::string& word, const std::atomic<bool>* cancel = nullptr) const;
  static constexpr size_t kCheapAbove = 40;

  std::string stripped(std::string_view word) const;
  const SpellConfig& config() const { return config_; }
  // New options (from the configuration dialog).
  void setOptions(const std::map<SpellOption, bool>& options) { config_.options = options; }
  const std::optional<Stop>& current() const { return current_; }

 private:
  bool extendToAddress(std::string_view text, size_t start, size_t limit, std::string& word);
  const std::string* automaticReplacement(const std::string& word) const;
  struct Undo {
    enum Kind { Ignore, IgnoreAll, Change, ChangeAll, Add, AutoCorrect } kind;
    size_t offset;
    std::string word;         // as the stop read it (UTF-8)
    std::string replacement;  // as the user gave it (UTF-8)
    std::string source;       // the bytes the replacement took the place of
    size_t written = 0;       // the bytes of the replacement as written into the text
  };
  bool knownRaw(std::string_view word) const;
  bool inDictionaries(std::string_view word) const;
  void record(Undo undo);
  // Replaces the current stop; returns the bytes written (the replacement in the page's encoding).
  size_t replaceCurrent(SpellText& text, const std::string& replacement, bool recheck, std::string& source);
  std::string inPageEncoding(const std::string& utf8) const;
  UserDictionary* userDictionary();
  void lookup(const std::string& word, std::vector<std::string>& out, size_t limit,
              const std::atomic<bool>* cancel) const;

  // Words of the primary dictionary by their sound skeleton, and its words with accents or apostrophes by
  // their plain form ("cafe" for "café", "ive" for "I've"), made at the first suggestion.
  const std::unordered_map<std::string, std::vector<std::string_view>>& skeletons() const;
  const std::unordered_map<std::string, std::vector<std::string_view>>& plainForms() const;
  // The words of main dictionary i by length, for the words within two or three edits.
  const NearWords& nearWords(size_t i) const;

  SpellConfig config_;
  mutable std::unordered_map<std::string, std::vector<std::string_view>> skeletons_, plainForms_;
  mutable bool skeletonsBuilt_ = false;
  mutable std::vector<NearWords> nearWords_;
  size_t longestWord_ = 0;
  std::vector<std::string> unreadable_;
  bool pageUtf8_ = true, encodingKnown_ = false;
  std::vector<Dictionary> mains_;
  std::vector<UserDictionary> users_;
  SpellSettings settings_;
  std::vector<std::string> prefixes_, suffixes_;
  std::set<std::string> ignoreAll_;
  std::vector<std::pair<std::string, std::string>> changeAll_;
  std::deque<Undo> undo_;
  size_t pos_ = 0, end_ = 0, checked_ = 0;
  std::string previous_;
  bool tagBetween_ = false;
  std::optional<Stop> current_;
};

// A word's plain form: ASCII letters lower-cased, Latin-1 accents dropped ("é" is "e", "ß" is "ss"),
// apostrophes left out.
std::string plainForm(std::string_view utf8Word);

// A rough sound of a word: lower case, consonants by how they sound, vowels and doubled letters dropped, so
// that "sucesfuly" and "successfully" agree.
std::string soundSkeleton(std::string_view word);
// Edits between two words: insertions, deletions, substitutions and swaps of neighbours.
int editDistance(std::string_view a, std::string_view b);
// The same, or bound + 1 as soon as it is known to be larger than bound.
int boundedEditDistance(std::string_view a, std::string_view b, int bound);

// Upper-cases the suggestion where the word has capitals at the same places; a suggestion longer than the word
// whose character at the word's last place is a capital is upper-cased from there on.
std::string copyCapitals(const std::string& word, const std::string& suggestion);

}  // namespace quillon
