#include "check/check_findings.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(CheckFindings, EveryFormKeepsEachFindingOnItsLineAndJsonStaysUnicode) {
  const std::vector<Finding> findings = {
      {FindingKind::Orphan, true, "site/lonely\xe9.txt", 1, 1, "lonely\xe9.txt", "no page leads to it"},
      {FindingKind::BrokenLink, true, "site/a,b.html", 3, 7, "x\ny\".html", "no such file"}};
  EXPECT_EQ(findingLine(findings[1]), "site/a,b.html:3:7: broken link: x\\x0Ay\".html (no such file)");
  EXPECT_EQ(findingsCsv(findings).substr(findingsCsv(findings).find("\r\n") + 2),
            "site/lonely\xe9.txt,1,1,orphan,lonely\xe9.txt,no page leads to it,yes\r\n"
            "\"site/a,b.html\",3,7,broken link,\"x\ny\"\".html\",no such file,yes\r\n");
  const std::string json = findingsJson(findings);
  EXPECT_NE(json.find("\"site/lonely\\u00e9.txt\""), std::string::npos);
  EXPECT_NE(json.find("\"x\\u000ay\\\".html\""), std::string::npos);
  EXPECT_EQ(json.find('\xe9'), std::string::npos);
  EXPECT_NE(findingsJson({{FindingKind::Orphan, true, "caf\xc3\xa9", 1, 1, "", ""}}).find("caf\xc3\xa9"),
            std::string::npos);
  const std::string html = findingsHtml(findings, "site/");
  EXPECT_NE(html.find("x\\x0Ay&quot;.html"), std::string::npos);
  EXPECT_NE(html.find("Orphan files</a>: 1"), std::string::npos);
}

}  // namespace
}  // namespace quillon
