#include "spell/dictionary.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "base/file_io.h"

namespace quillon {

namespace {

constexpr char kMagic[12] = {'Q', 'U', 'I', 'L', 'L', 'O', 'N', '-', 'D', 'C', 'T', '\x1A'};
constexpr uint32_t kVersion = 2;  // each word led by its rank byte

void put32(std::string& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
uint32_t get32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

uint32_t dictionaryHash(std::string_view word) {
  uint32_t h = 2166136261u;
  for (unsigned char c : word) h = (h ^ c) * 16777619u;
  return h;
}

std::string Dictionary::build(std::vector<std::string> words, const std::string& title, std::string_view wordCharacters,
                              const std::vector<std::string>& common) {
  std::vector<std::string> commonSorted = common;
  std::sort(commonSorted.begin(), commonSorted.end());
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  words.erase(std::remove(words.begin(), words.end(), std::string()), words.end());
  std::string blob;
  std::vector<uint32_t> offsets;
  for (const auto& w : words) {
    offsets.push_back(static_cast<uint32_t>(blob.size()));
    blob += std::binary_search(commonSorted.begin(), commonSorted.end(), w) ? '1' : '2';
    blob += w;
    blob += '\n';
  }
  size_t slots = 1;
  while (slots < words.size() * 2 + 1) slots <<= 1;  // at most half full
  std::vector<uint32_t> table(slots, 0);
  for (size_t i = 0; i < words.size(); ++i) {
    size_t at = dictionaryHash(words[i]) & (slots - 1);
    while (table[at]) at = (at + 1) & (slots - 1);
    table[at] = offsets[i] + 1;
  }
  const size_t charsOffset = kTitleOffset + kTitleLength;
  const size_t blobOffset = charsOffset + wordCharacters.size();
  const size_t tableOffset = blobOffset + blob.size();
  std::string out(tableOffset + slots * 4, '\0');
  std::memcpy(out.data(), kMagic, sizeof kMagic);
  put32(out, 12, kVersion);
  put32(out, 16, static_cast<uint32_t>(words.size()));
  put32(out, 20, static_cast<uint32_t>(blobOffset));
  put32(out, 24, static_cast<uint32_t>(blob.size()));
  put32(out, 28, static_cast<uint32_t>(tableOffset));
  put32(out, 32, static_cast<uint32_t>(slots));
  put32(out, 36, static_cast<uint32_t>(charsOffset));
  put32(out, 40, static_cast<uint32_t>(wordCharacters.size()));
  std::string paddedTitle = title.substr(0, kTitleLength);
  paddedTitle.resize(kTitleLength, ' ');
  std::memcpy(out.data() + kTitleOffset, paddedTitle.data(), kTitleLength);
  std::memcpy(out.data() + charsOffset, wordCharacters.data(), wordCharacters.size());
  std::memcpy(out.data() + blobOffset, blob.data(), blob.size());
  for (size_t i = 0; i < slots; ++i) put32(out, tableOffset + 4 * i, table[i]);
  return out;
}

std::optional<Dictionary> Dictionary::fromBytes(std::string bytes) {
  if (bytes.size() < kTitleOffset + kTitleLength || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
    return std::nullopt;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  if (get32(p + 12) != kVersion) return std::nullopt;
  const size_t count = get32(p + 16), blobOffset = get32(p + 20), blobSize = get32(p + 24);
  const size_t tableOffset = get32(p + 28), slots = get32(p + 32), charsOffset = get32(p + 36),
               charsSize = get32(p + 40);
  const size_t n = bytes.size();
  if (blobOffset > n || blobSize > n - blobOffset || charsOffset > n || charsSize > n - charsOffset ||
      tableOffset > n || slots == 0 || (slots & (slots - 1)) || slots > (n - tableOffset) / 4 || count >= slots)
    return std::nullopt;
  Dictionary d;
  d.bytes_ = std::move(bytes);
  const char* base = d.bytes_.data();
  std::string title(base + kTitleOffset, kTitleLength);
  while (!title.empty() && (title.back() == ' ' || title.back() == '\0')) title.pop_back();
  d.title_ = title;
  d.wordCharacters_.assign(base + charsOffset, charsSize);
  d.blobOffset_ = blobOffset;
  d.blobSize_ = blobSize;
  d.tableOffset_ = tableOffset;
  d.slots_ = slots;
  d.count_ = count;
  return d;
}

std::optional<Dictionary> Dictionary::load(const std::string& path) {
  auto bytes = readWholeFile(path);
  if (!bytes) return std::nullopt;
  return fromBytes(std::move(*bytes));
}

std::string Dictionary::titleOf(const std::string& path) {
  const auto bytes = readWholeFile(path);
  if (!bytes || bytes->size() < kTitleOffset + kTitleLength) return {};
  std::string title = bytes->substr(kTitleOffset, kTitleLength);
  while (!title.empty() && (title.back() == ' ' || title.back() == '\0')) title.pop_back();
  return title;
}

int Dictionary::find(std::string_view word) const {
  if (!slots_ || word.empty()) return 0;
  size_t at = dictionaryHash(word) & (slots_ - 1);
  const std::string_view all = blob();
  const unsigned char* table = this->table();
  for (size_t probes = 0; probes < slots_; ++probes, at = (at + 1) & (slots_ - 1)) {
    const uint32_t slot = get32(table + 4 * at);
    if (!slot) return 0;
    const size_t start = slot - 1;
    if (start + 1 >= all.size()) return 0;
    const size_t end = all.find('\n', start);
    if (all.substr(start + 1, end == std::string_view::npos ? std::string_view::npos : end - start - 1) == word)
      return all[start] == '1' ? 1 : 2;
  }
  return 0;
}

std::vector<std::string_view> Dictionary::words() const {
  std::vector<std::string_view> out;
  const std::string_view all = blob();
  size_t start = 0;
  while (start < all.size()) {
    const size_t end = all.find('\n', start);
    if (end == std::string_view::npos) break;
    if (end > start) out.push_back(all.substr(start + 1, end - start - 1));
    start = end + 1;
  }
  return out;
}

}  // namespace quillon
