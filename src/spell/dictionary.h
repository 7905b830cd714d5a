#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// A main dictionary file (".dct"): a header, the title as 25 bytes at byte offset 88, the word characters it
// declares, the words, and an open-addressing hash table over them, so that loading is one read of the file.
class Dictionary {
 public:
  static constexpr size_t kTitleOffset = 88;
  static constexpr size_t kTitleLength = 25;

  // The file's bytes for these words (duplicates dropped) and this title; words also in `common` are marked as
  // common, which ranks them first among equally good suggestions.
  static std::string build(std::vector<std::string> words, const std::string& title, std::string_view wordCharacters,
                           const std::vector<std::string>& common = {});
  static std::optional<Dictionary> load(const std::string& path);
  static std::optional<Dictionary> fromBytes(std::string bytes);
  // The title of a dictionary file, read without loading it.
  static std::string titleOf(const std::string& path);

  bool contains(std::string_view word) const { return find(word) != 0; }
  // 1 for a common word, 2 for another known word, 0 for an unknown one.
  int rank(std::string_view word) const { return find(word); }
  const std::string& title() const { return title_; }
  const std::string& wordCharacters() const { return wordCharacters_; }
  size_t size() const { return count_; }
  // Every word, in the file's order.
  std::vector<std::string_view> words() const;

 private:
  int find(std::string_view word) const;
  // Views into bytes_, made afresh from offsets, so that a copied or moved dictionary reads its own bytes.
  std::string_view blob() const { return std::string_view(bytes_).substr(blobOffset_, blobSize_); }
  const unsigned char* table() const { return reinterpret_cast<const unsigned char*>(bytes_.data()) + tableOffset_; }

  std::string bytes_;
  std::string title_;
  std::string wordCharacters_;
  size_t count_ = 0;
  size_t blobOffset_ = 0, blobSize_ = 0;
  size_t tableOffset_ = 0;  // little-endian uint32 slots: word offset + 1, 0 for empty
  size_t slots_ = 0;
};

uint32_t dictionaryHash(std::string_view word);

}  // namespace quillon
