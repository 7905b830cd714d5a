#include "publish/ftp_text.h"

#include <limits>

#include <initializer_list>

#include "base/text_bytes.h"

#include <vector>

namespace quillon {

std::optional<std::string> ReplyReader::take(const std::string& line) {
  if (!open_.empty() && line.compare(0, 4, open_ + " ") != 0) return std::nullopt;
  if (line.size() >= 4 && line[3] == '-') {
    if (open_.empty()) open_ = line.substr(0, 3);
    return std::nullopt;
  }
  open_.clear();
  return line;
}

TFTPServerType serverTypeFromSyst(std::string_view reply) {
  if (!reply.empty() && reply[0] == '5') return ftpstDefault;
  const std::string text = upperAscii(reply.size() > 4 ? reply.substr(4, 99) : std::string_view());
  auto has = [&](const char* s) { return text.find(s) != std::string::npos; };
  TFTPServerType type = ftpstDefault;
  if (has("UNIX")) type = ftpstUNIX;
  if (has("CLIX")) type = ftpstClix;
  if (has("ULTRIX")) type = ftpstULTRIX;
  if (has("MVS")) type = ftpstMVS;
  if (has("QVT")) type = ftpstQVT;
  if (has("NCSA")) type = ftpstNCSA;
  if (has("CHAMELEON")) type = ftpstChameleon;
  if (has("VMS"))
    type = has("MULTINET") ? ftpstVmsMultinet : ftpstVmsUcx;
  else if (has("VM"))
    type = has("VPS") ? ftpstVMVPS : ftpstVM;
  return type;
}

std::string portArgument(const std::string& dottedAddress, uint16_t port) {
  std::string out = dottedAddress;
  for (char& c : out)
    if (c == '.') c = ',';
  return out + "," + std::to_string(port / 256) + "," + std::to_string(port % 256);
}

std::optional<uint16_t> extendedPassivePort(std::string_view reply) {
  const size_t open = reply.find('(');
  if (open == std::string_view::npos || reply.size() < open + 6) return std::nullopt;
  const char d = reply[open + 1];
  if (d < 33 || d > 126 || (d >= '0' && d <= '9') || reply[open + 2] != d || reply[open + 3] != d) return std::nullopt;
  unsigned port = 0;
  size_t i = open + 4;
  for (; i < reply.size() && reply[i] >= '0' && reply[i] <= '9' && port <= 65535; ++i)
    port = port * 10 + (reply[i] - '0');
  if (i == open + 4 || port == 0 || port > 65535 || i + 1 >= reply.size() || reply[i] != d || reply[i + 1] != ')')
    return std::nullopt;
  return static_cast<uint16_t>(port);
}

std::optional<uint16_t> passivePort(std::string_view reply) {
  // The six numbers follow the reply code, with or without parentheses around them.
  for (size_t start = reply.size() > 3 ? 4 : reply.size(); start < reply.size(); ++start) {
    if (reply[start] < '0' || reply[start] > '9') continue;
    unsigned parts[6];
    size_t i = start;
    int n = 0;
    for (; n < 6; ++n) {
      const size_t first = i;
      unsigned value = 0;
      while (i < reply.size() && reply[i] >= '0' && reply[i] <= '9' && value <= 255)
        value = value * 10 + (reply[i++] - '0');
      if (i == first || value > 255) break;
      parts[n] = value;
      if (n < 5) {
        if (i >= reply.size() || reply[i] != ',') break;
        ++i;
      }
    }
    if (n == 6) {
      const unsigned port = parts[4] * 256 + parts[5];
      return port == 0 ? std::nullopt : std::optional<uint16_t>(static_cast<uint16_t>(port));
    }
    // Not six numbers from here: look on after this run of digits.
    while (start + 1 < reply.size() && reply[start + 1] >= '0' && reply[start + 1] <= '9') ++start;
  }
  return std::nullopt;
}

std::optional<long long> replySize(std::string_view reply) {
  if (reply.size() < 5 || reply.substr(0, 4) != "213 ") return std::nullopt;
  long long value = 0;
  size_t i = 4;
  for (; i < reply.size() && reply[i] >= '0' && reply[i] <= '9'; ++i) {
    if (value > (std::numeric_limits<long long>::max() - 9) / 10) return std::nullopt;
    value = value * 10 + (reply[i] - '0');
  }
  if (i == 4 || (i < reply.size() && reply[i] != ' ')) return std::nullopt;
  return value;
}

std::string quotedDirectory(std::string_view reply) {
  const size_t first = reply.find('"');
  if (first == std::string_view::npos) return {};
  const size_t second = reply.find('"', first + 1);
  if (second == std::string_view::npos) return {};
  return std::string(reply.substr(first + 1, second - first - 1));
}

std::string listingWord(std::string_view line, int n) {
  std::string squeezed;
  for (char c : line)
    if (!(c == ' ' && !squeezed.empty() && squeezed.back() == ' ')) squeezed += c;
  size_t at = 0;
  for (int i = 0; i < n; ++i) {
    const size_t space = squeezed.find(' ', at);
    if (space == std::string::npos) return {};
    at = space + 1;
  }
  const size_t end = squeezed.find(' ', at);
  return end == std::string::npos ? std::string() : squeezed.substr(at, end - at);
}

namespace {

bool isMonth(std::string_view word) {
  static const char* const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                        "jul", "aug", "sep", "oct", "nov", "dec"};
  if (word.size() != 3) return false;
  const std::string lower = lowerAscii(word);
  for (const char* m : kMonths)
    if (lower == m) return true;
  return false;
}

bool allDigits(std::string_view word) {
  if (word.empty()) return false;
  for (char c : word)
    if (c < '0' || c > '9') return false;
  return true;
}

// "12:05" or "2021".
bool isTimeOrYear(std::string_view word) {
  if (word.size() == 4) return allDigits(word);
  const size_t colon = word.find(':');
  return colon != std::string_view::npos && allDigits(word.substr(0, colon)) && allDigits(word.substr(colon + 1));
}

}  // namespace

std::optional<ListingName> parseUnixListingLine(std::string_view line) {
  if (line.empty()) return std::nullopt;
  const char kind = line[0];
  if (kind != 'd' && kind != 'l' && kind != '-' && kind != 'f') return std::nullopt;
  // The columns with where each ends; the date is month, day, then time or year.
  struct Word {
    std::string_view text;
    size_t end;
  };
  std::vector<Word> words;
  for (size_t at = 0; at < line.size();) {
    while (at < line.size() && line[at] == ' ') ++at;
    const size_t start = at;
    while (at < line.size() && line[at] != ' ') ++at;
    if (at > start) words.push_back({line.substr(start, at - start), at});
    for (size_t i = 3; i + 2 < words.size(); ++i) {
      if (!isMonth(words[i].text) || !allDigits(words[i + 1].text) || words[i + 1].text.size() > 2 ||
          !isTimeOrYear(words[i + 2].text))
        continue;
      const size_t nameStart = words[i + 2].end + 1;  // one blank separates the date from the name
      if (nameStart > line.size()) return std::nullopt;
      std::string name(line.substr(nameStart));
      if (!name.empty() && name.back() == '\r') name.pop_back();
      // A link is listed among the folders, as the servers' own clients list it: most links on a web host
      // are folders (www -> public_html), and one that is not says so when it is changed into.
      ListingName entry{std::move(name), kind == 'd' || kind == 'l', kind == 'l', std::nullopt, {}};
      if (allDigits(words[i - 1].text) && words[i - 1].text.size() < 19)
        entry.size = std::stoll(std::string(words[i - 1].text));
      entry.stamp =
          std::string(words[i].text) + " " + std::string(words[i + 1].text) + " " + std::string(words[i + 2].text);
      if (entry.link) {
        const size_t arrow = entry.name.find(" -> ");
        if (arrow != std::string::npos) entry.name.resize(arrow);
      }
      if (entry.name.empty() || entry.name == "." || entry.name == "..") return std::nullopt;
      return entry;
    }
  }
  return std::nullopt;
}

namespace {

ListingName entryNamed(std::string name, bool directory) {
  ListingName e;
  e.name = std::move(name);
  e.directory = directory;
  return e;
}

}  // namespace

std::optional<ListingName> parseMlsdLine(std::string_view line) {
  const size_t blank = line.find(' ');
  if (blank == std::string_view::npos || blank + 1 >= line.size()) return std::nullopt;
  ListingName entry;
  entry.name = std::string(line.substr(blank + 1));
  if (entry.name == "." || entry.name == ".." || entry.name.find('/') != std::string::npos) return std::nullopt;
  bool typed = false;
  const std::string_view facts = line.substr(0, blank);
  for (size_t start = 0; start < facts.size();) {
    size_t end = facts.find(';', start);
    if (end == std::string_view::npos) end = facts.size();
    const std::string_view fact = facts.substr(start, end - start);
    start = end + 1;
    const size_t equals = fact.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string key = lowerAscii(fact.substr(0, equals));
    const std::string_view value = fact.substr(equals + 1);
    if (key == "type") {
      const std::string type = lowerAscii(value);
      if (type == "cdir" || type == "pdir") return std::nullopt;
      typed = true;
      entry.directory = type == "dir";
      entry.link = type.rfind("os.unix=slink", 0) == 0 || type.rfind("os.unix=symlink", 0) == 0;
      if (entry.link) entry.directory = true;  // as LIST counts a link: most links on a web host are folders
    } else if (key == "size" && !value.empty() && value.size() < 19 && allDigits(value)) {
      entry.size = std::stoll(std::string(value));
    } else if (key == "modify" && value.size() >= 14 && allDigits(value.substr(0, 14))) {
      entry.stamp = std::string(value.substr(0, 14));
    }
  }
  if (!typed) return std::nullopt;
  if (entry.directory) entry.size.reset();
  return entry;
}

std::optional<ListingName> ListingParser::parse(const std::string& raw) {
  switch (type_) {
    case ftpstDefault:
    case ftpstUNIX:
    case ftpstULTRIX:
    case ftpstU5000:
    case ftpstSINTFTPD: {
      if (raw.empty()) return std::nullopt;
      if (auto entry = parseUnixListingLine(raw)) return entry;
      // A line without a recognisable date: its last word, as older servers' short forms give it.
      const char kind = raw[0];
      const bool directory = kind == 'd' || kind == 'l';
      if (!directory && kind != '-' && kind != 'f') return std::nullopt;
      std::string line = raw.substr(0, raw.find("->"));
      while (!line.empty() && line.back() == ' ') line.pop_back();
      return entryNamed(line.substr(line.rfind(' ') == std::string::npos ? 0 : line.rfind(' ') + 1), directory);
    }
    case ftpstVmsMultinet:
    case ftpstVmsUcx: {
      const std::string line = held_ + raw;
      held_.clear();
      if (line.find(';') == std::string::npos) return std::nullopt;
      std::string name = listingWord(line, 0);
      if (name.empty()) {
        held_ = line;
        return std::nullopt;
      }
      name = name.substr(0, name.find(';'));
      const size_t dir = name.find(".DIR");
      if (dir != std::string::npos) return entryNamed(name.substr(0, dir), true);
      return entryNamed(name, false);
    }
    case ftpstVM:
      return entryNamed(listingWord(raw, 0) + "." + listingWord(raw, 1), false);
    case ftpstVMVPS:
      for (const char* skip : {"=", "totals:", " rf trks", "track limit"})
        if (raw.find(skip) != std::string::npos) return std::nullopt;
      return entryNamed("." + listingWord(raw, 1), false);
    default:
      return std::nullopt;
  }
}

namespace {

// Every socket failure the client reports: its Windows Sockets numbers, the client's error code and text.
struct SocketFailure {
  std::initializer_list<int> wsaErrors;
  int ftpError;
  const char* text;
};

const SocketFailure kSocketFailures[] = {
    {{10093}, 1, "Winsock not initialized"},
    {{10050}, 2, "Network down"},
    {{10013}, 3, "Invalid address specified"},
    {{10004, 10014, 10022, 10036, 10038, 10040, 10045, 10047, 10048, 10056, 10057, 10058},
     4,
     "Unexpected internal error in component"},
    {{10052, 10055}, 5, "General Winsock Error"},
    {{10053}, 6, "Connection aborted due to timeout or other failure"},
    {{10054}, 7, "Connection reset by remote side"},
    {{10060}, 8, "timeout"},
    {{10024}, 9, "Out of sockets"},
    {{10051}, 10, "Network unreachable"},
    {{10049}, 11, "Address not available"},
    {{10061}, 12, "Connection Refused"},
    {{10065}, 18, "Host Unreachable"},
    {{11001, 11002, 11003, 11004}, 16, "Address resolution error"},
    {{}, 15, "Unknown Error"},  // any other socket error
};
constexpr int kUnknownSocketError = 15;

}  // namespace

int ftpErrorFromWsa(int e) {
  for (const SocketFailure& f : kSocketFailures)
    for (int wsaError : f.wsaErrors)
      if (wsaError == e) return f.ftpError;
  return kUnknownSocketError;
}

std::string ftpErrorText(int error) {
  for (const SocketFailure& f : kSocketFailures)
    if (f.ftpError == error) return f.text;
  return "Error";
}

}  // namespace quillon
