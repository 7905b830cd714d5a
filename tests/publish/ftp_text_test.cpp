#include "publish/ftp_text.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(FtpText, MultiLineRepliesReachTheProtocolOnce) {
  ReplyReader r;
  EXPECT_FALSE(r.take("220-Welcome"));
  EXPECT_FALSE(r.take("331 this middle line looks like a reply"));
  EXPECT_FALSE(r.take("220-still the greeting"));
  EXPECT_FALSE(r.take("   indented text"));
  EXPECT_EQ(r.take("220 ready"), "220 ready");
  EXPECT_EQ(r.take("331 password please"), "331 password please");
}

TEST(FtpText, ServerTypes) {
  EXPECT_EQ(serverTypeFromSyst("500 unknown"), ftpstDefault);
  EXPECT_EQ(serverTypeFromSyst("215 UNIX Type: L8"), ftpstUNIX);
  EXPECT_EQ(serverTypeFromSyst("215 VMS MultiNet V4"), ftpstVmsMultinet);
  EXPECT_EQ(serverTypeFromSyst("215 VMS"), ftpstVmsUcx);
  EXPECT_EQ(serverTypeFromSyst("215 VM/CMS"), ftpstVM);
  EXPECT_EQ(serverTypeFromSyst("215 VM VPS"), ftpstVMVPS);
  EXPECT_EQ(serverTypeFromSyst("215 Windows_NT"), ftpstDefault);
  EXPECT_EQ(serverTypeFromSyst("215 unix ULTRIX"), ftpstULTRIX);  // a later match wins
}

TEST(FtpText, PortPwdAndWords) {
  EXPECT_EQ(portArgument("127.0.0.1", 1025), "127,0,0,1,4,1");
  EXPECT_EQ(quotedDirectory("257 \"/home/site\" is current directory"), "/home/site");
  EXPECT_EQ(quotedDirectory("257 /home/site"), "");
  EXPECT_EQ(listingWord("FILE1    DAT   V 80", 0), "FILE1");
  EXPECT_EQ(listingWord("FILE1    DAT   V 80", 1), "DAT");
  EXPECT_EQ(listingWord("FILE1 DAT", 1), "");  // the last word is always empty
}

TEST(FtpText, ListingDialects) {
  ListingParser unix(ftpstUNIX);
  EXPECT_FALSE(unix.parse("total 12"));
  auto link = unix.parse("lrwxrwxrwx 1 u g 7 Jan 1 12:00 www -> public_html");
  ASSERT_TRUE(link);
  EXPECT_EQ(link->name, "www");
  EXPECT_TRUE(link->directory);  // a link is counted as a folder
  EXPECT_TRUE(link->link);
  auto shortLink = unix.parse("lrwxrwxrwx docs -> /srv/docs");  // no date: the short form
  ASSERT_TRUE(shortLink);
  EXPECT_EQ(shortLink->name, "docs");
  EXPECT_TRUE(shortLink->directory);
  auto file = unix.parse("-rw-r--r-- 1 u g 2048 Jan 1 12:00 index.html  ");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->name, "index.html  ");  // trailing blanks belong to the name
  EXPECT_FALSE(file->directory);

  ListingParser vms(ftpstVmsUcx);
  auto dir = vms.parse("SUBDIR.DIR;1   1/3  1-JAN-2026 [G,U]");
  ASSERT_TRUE(dir);
  EXPECT_EQ(dir->name, "SUBDIR");
  EXPECT_TRUE(dir->directory);
  EXPECT_FALSE(vms.parse("A_VERY_LONG_FILE_NAME.HTML;1"));  // held: the rest is on the next line
  auto held = vms.parse("   4/6  1-JAN-2026 [G,U]");
  ASSERT_TRUE(held);
  EXPECT_EQ(held->name, "A_VERY_LONG_FILE_NAME.HTML");
  EXPECT_FALSE(vms.parse("Total of 2 files"));

  ListingParser vm(ftpstVM);
  EXPECT_EQ(vm.parse("PROFILE EXEC A1 V 80")->name, "PROFILE.EXEC");
  ListingParser vps(ftpstVMVPS);
  EXPECT_FALSE(vps.parse("totals: 3"));
  EXPECT_EQ(vps.parse("X INDEX HTML")->name, ".INDEX");
  ListingParser mvs(ftpstMVS);
  EXPECT_FALSE(mvs.parse("-rw-r--r-- 1 u g 1 Jan 1 x"));
}

TEST(FtpText, ErrorCodes) {
  EXPECT_EQ(ftpErrorFromWsa(10061), 12);
  EXPECT_EQ(ftpErrorText(12), "Connection Refused");
  EXPECT_EQ(ftpErrorFromWsa(11002), 16);
  EXPECT_EQ(ftpErrorFromWsa(10060), 8);
  EXPECT_EQ(ftpErrorFromWsa(12345), 15);
  EXPECT_EQ(ftpErrorText(28), "Error");
  EXPECT_EQ(ftpErrorText(ftpErrorFromWsa(10057)), "Unexpected internal error in component");
  EXPECT_EQ(ftpErrorText(ftpErrorFromWsa(10055)), "General Winsock Error");
  EXPECT_EQ(ftpErrorText(ftpErrorFromWsa(0)), "Unknown Error");
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

TEST(FtpText, UnixListingNamesAreReadByTheirColumns) {
  auto name = [](std::string_view line) {
    const auto entry = parseUnixListingLine(line);
    return entry ? entry->name : std::string("<none>");
  };
  EXPECT_EQ(name("-rw-r--r--    1 ftp      ftp          12 Mar 05 12:00 with space.txt"), "with space.txt");
  EXPECT_EQ(name("-rw-r--r--    1 ftp      ftp          12 Mar 05 12:00 arrow->name.txt"), "arrow->name.txt");
  EXPECT_EQ(name("-rw-r--r--    1 ftp      ftp          12 Mar 05  2019   two leading and trailing  "),
            "  two leading and trailing  ");
  EXPECT_EQ(name("-rw-r--r-- 1 owner 12 Dec 31 23:59 no group.html"), "no group.html");
  EXPECT_EQ(name("drwxr-xr-x    2 ftp      ftp        4096 Jan  1  2020 My Folder"), "My Folder");
  const auto link = parseUnixListingLine("lrwxrwxrwx 1 u g 7 Jan 1 12:00 my site -> public html");
  ASSERT_TRUE(link);
  EXPECT_EQ(link->name, "my site");
  EXPECT_TRUE(link->link);
  EXPECT_TRUE(link->directory);
  EXPECT_EQ(name("total 12"), "<none>");
  EXPECT_EQ(name("drwxr-xr-x 2 u g 4096 Jan 1 12:00 .."), "<none>");
  EXPECT_EQ(name("-rw-r--r-- 1 u g 12 Mar 05 12:00 file.txt\r"), "file.txt");
  // Without a date the line is not read by columns; the parser falls back to its last word.
  ListingParser unix(ftpstUNIX);
  EXPECT_EQ(unix.parse("-rw-r--r-- odd")->name, "odd");
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

// Passive replies as real servers word them, and as lying or broken ones do: only a port in range counts,
// and the address a 227 names is never taken.
TEST(FtpText, PassiveRepliesGiveAPortOrNothing) {
  EXPECT_EQ(extendedPassivePort("229 Entering Extended Passive Mode (|||6446|)"), 6446);
  EXPECT_EQ(extendedPassivePort("229 ok (!!!21!)"), 21);
  EXPECT_EQ(extendedPassivePort("229 (|||65535|)"), 65535);
  for (const char* bad : {"229 Entering Extended Passive Mode", "229 (|||0|)", "229 (|||65536|)", "229 (||||)",
                          "229 (|||12|", "229 (||12|)", "229 (111231)", "229 (|||99999999999999999999|)", "229 ("})
    EXPECT_FALSE(extendedPassivePort(bad)) << bad;

  EXPECT_EQ(passivePort("227 Entering Passive Mode (127,0,0,1,195,80)"), 195 * 256 + 80);
  EXPECT_EQ(passivePort("227 Entering Passive Mode 10,1,2,3,4,5"), 4 * 256 + 5) << "no parentheses";
  EXPECT_EQ(passivePort("227 =192,168,0,9,0,21"), 21);
  EXPECT_EQ(passivePort("227 Mode 2 (1,2,3,4,0,99)"), 99) << "a number before the six";
  for (const char* bad : {"227 Entering Passive Mode", "227 (127,0,0,1,195)", "227 (127,0,0,1,0,0)",
                          "227 (127,0,0,1,256,1)", "227 (1,2,3,4,5,2555)", "227 (,,,,,)", "227"})
    EXPECT_FALSE(passivePort(bad)) << bad;
}

}  // namespace
}  // namespace quillon
