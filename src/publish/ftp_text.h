#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text rules of the FTP client: reply lines, server dialects, PORT arguments, listing lines, error codes.
namespace quillon {

enum TFTPServerType {
  ftpstDefault,
  ftpstAutoDetect,
  ftpstUNIX,
  ftpstULTRIX,
  ftpstU5000,
  ftpstSINTFTPD,
  ftpstVmsMultinet,
  ftpstVmsUcx,
  ftpstMVS,
  ftpstMacFtpd,
  ftpstClix,
  ftpstQVT,
  ftpstNCSA,
  ftpstChameleon,
  ftpstVM,
  ftpstVMVPS
};

// Multi-line replies: a line "123-" opens one; only "123 " closes it; lines between are ignored.
class ReplyReader {
 public:
  // The line the protocol acts on, or nothing for a line that opens or continues a multi-line reply.
  std::optional<std::string> take(const std::string& line);
  void reset() { open_.clear(); }

 private:
  std::string open_;  // the code of the open multi-line reply
};

// From the SYST reply, as the listing dialect.
TFTPServerType serverTypeFromSyst(std::string_view reply);

// "h1,h2,h3,h4,p1,p2" for an address and port.
std::string portArgument(const std::string& dottedAddress, uint16_t port);

// The port a 229 reply offers: "(|||port|)", where any printable character other than a digit may stand for
// the '|'. Nothing when the reply holds no such group or the port is not 1 to 65535.
std::optional<uint16_t> extendedPassivePort(std::string_view reply);
// The port of a 227 reply's "h1,h2,h3,h4,p1,p2" (each 0 to 255, the port not 0). The address it names is
// not returned: a data connection goes to the server the control connection reached, never elsewhere.
std::optional<uint16_t> passivePort(std::string_view reply);

// The size a "213 <bytes>" reply gives; nothing for any other reply or a number that is not one.
std::optional<long long> replySize(std::string_view reply);

// The text between the first and second double quote of a PWD reply; empty without them.
std::string quotedDirectory(std::string_view reply);

// Word n of a listing line: runs of blanks count as one; the last word is always empty.
std::string listingWord(std::string_view line, int n);

struct ListingName {
  std::string name;
  bool directory = false;
  bool link = false;            // a symbolic link ("name -> target"), counted as a folder
  std::optional<int64_t> size;  // in bytes, when the line gives it
  std::string stamp;            // the modification time as the line gives it ("Dec 9 20:15", "Jan 3 2025")
};

// A Unix "ls -l" line read by its columns: the name is everything after the date field, blanks included;
// a link's "-> target" is cut off. Nothing for lines that are not entries ("total 12") or have no date.
std::optional<ListingName> parseUnixListingLine(std::string_view line);

// An MLSD line: "type=file;size=12;modify=20261209201500; name". The name is everything after the first
// blank; the folder itself and its parent (type=cdir, pdir) are nothing; the stamp is the modify fact's
// seconds ("20261209201500").
std::optional<ListingName> parseMlsdLine(std::string_view line);

// Parses listing lines in the server's dialect; VMS names may be held over a line.
class ListingParser {
 public:
  explicit ListingParser(TFTPServerType type) : type_(type) {}
  std::optional<ListingName> parse(const std::string& line);

 private:
  TFTPServerType type_;
  std::string held_;
};

// The client's own error code for a Windows Sockets error number, and its text.
int ftpErrorFromWsa(int wsaError);
std::string ftpErrorText(int ftpError);

}  // namespace quillon
