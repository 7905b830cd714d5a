// Control replies and listing lines of any bytes: the reply reader and every listing dialect survive them,
// and a name parsed from a listing is never longer than the lines it came from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "publish/ftp_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  quillon::ReplyReader reader;
  std::vector<quillon::ListingParser> parsers;
  for (int t = quillon::ftpstDefault; t <= quillon::ftpstVMVPS; ++t)
    parsers.emplace_back(static_cast<quillon::TFTPServerType>(t));
  size_t start = 0, seen = 0;
  for (size_t end = bytes.find("\r\n"); end != std::string::npos; end = bytes.find("\r\n", start)) {
    const std::string line = bytes.substr(start, end - start);
    start = end + 2;
    seen += line.size();
    if (const auto taken = reader.take(line); taken && *taken != line) std::abort();
    quillon::serverTypeFromSyst(line);
    quillon::quotedDirectory(line);
    if (const auto size = quillon::replySize(line); size && *size < 0) std::abort();
    // A passive reply gives a port of 1 to 65535 or none.
    if (const auto port = quillon::extendedPassivePort(line); port && *port == 0) std::abort();
    if (const auto port = quillon::passivePort(line); port && *port == 0) std::abort();
    for (auto& parser : parsers)
      if (const auto name = parser.parse(line); name && name->name.size() > seen + 1) std::abort();
    // Read by columns, a name is the end of its own line (a link's without its target).
    if (const auto entry = quillon::parseUnixListingLine(line); entry && line.find(entry->name) == std::string::npos)
      std::abort();
    // An MLSD name is what follows the facts; a size is never negative, a folder has none.
    if (const auto entry = quillon::parseMlsdLine(line)) {
      if (line.size() < entry->name.size() + 1 ||
          line.compare(line.size() - entry->name.size(), std::string::npos, entry->name) != 0)
        std::abort();
      if ((entry->size && *entry->size < 0) || (entry->directory && entry->size)) std::abort();
    }
  }
  return 0;
}
