// quillon-check: the site check from the command line, for scripts and CI.
//   quillon-check [--project FILE.out | --folder DIR] [--external] [--format text|csv|json] [--budget KB[,KB]]
//                 [--all]
// Exit status: 0 when nothing was found, 1 when something was, 2 on bad usage or a site that cannot be read.
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "base/text_bytes.h"
#include "check/check_findings.h"
#include "check/site_check.h"
#include "check/ui/link_prober.h"
#include "project/site_files.h"

namespace {

int usage(const char* why = nullptr) {
  if (why) std::fprintf(stderr, "quillon-check: %s\n", why);
  std::fputs(
      "usage: quillon-check [--project FILE.out | --folder DIR] [--external] [--format text|csv|json]\n"
      "                     [--budget KB[,KB]] [--all]\n",
      stderr);
  return 2;
}

bool parseKilobytes(const std::string& text, int64_t& bytes) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 9) return false;
  bytes = std::atoll(text.c_str()) * 1024;
  return bytes > 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quillon;
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string project, folder, format = "text";
  bool external = false, all = false;
  SiteCheckRequest request;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--project" && hasValue)
      project = args[++i];
    else if (a == "--folder" && hasValue)
      folder = args[++i];
    else if (a == "--format" && hasValue)
      format = args[++i];
    else if (a == "--external")
      external = true;
    else if (a == "--all")
      all = true;
    else if (a == "--budget" && hasValue) {
      const std::string value = args[++i];
      const size_t comma = value.find(',');
      if (!parseKilobytes(value.substr(0, comma), request.goodBytes)) return usage("--budget wants kilobytes");
      request.heavyBytes = std::max(request.heavyBytes, request.goodBytes);
      if (comma != std::string::npos &&
          (!parseKilobytes(value.substr(comma + 1), request.heavyBytes) || request.heavyBytes < request.goodBytes))
        return usage("--budget wants GOOD,HEAVY kilobytes, the second no smaller than the first");
    } else if ((a == "--project" || a == "--folder" || a == "--format" || a == "--budget") && !hasValue) {
      return usage((a + " needs a value").c_str());
    } else if (a == "--help" || a == "-h") {
      usage();
      return 0;
    } else {
      return usage(("unknown argument " + a).c_str());
    }
  }
  if (project.empty() == folder.empty()) return usage("give one of --project and --folder");
  if (format != "text" && format != "csv" && format != "json") return usage("--format is text, csv or json");

  if (!project.empty()) {
    const std::string dir(folderPart(project));
    const auto pages = projectPageFiles(dir.empty() ? "./" : dir, project.substr(dir.size()));
    if (!pages) {
      std::fprintf(stderr, "quillon-check: the project %s cannot be read\n", project.c_str());
      return 2;
    }
    for (const std::string& page : *pages)
      if (!page.empty()) request.pages.push_back(page);
    request.root = commonFolder(request.pages);
    if (request.root.empty()) {
      std::fprintf(stderr, "quillon-check: the project %s has no pages\n", project.c_str());
      return 2;
    }
  } else {
    request.root = folder;
    if (!isDirectory(folder)) {
      std::fprintf(stderr, "quillon-check: %s is not a folder that can be read\n", folder.c_str());
      return 2;
    }
  }

  SiteCheckProgress progress;
  SiteCheckResult result = checkSite(request, progress);
  if (!result.error.empty()) {
    std::fprintf(stderr, "quillon-check: %s\n", result.error.c_str());
    return 2;
  }
  std::map<std::string, ExternalAnswer> answers;
  if (external && !result.external.empty()) {
    int fakeArgc = 1;
    QCoreApplication app(fakeArgc, argv);
    LinkProber prober;
    QObject::connect(&prober, &LinkProber::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    std::vector<std::string> urls;
    for (const ExternalUse& use : result.external) urls.push_back(use.url);
    prober.start(urls);
    if (prober.running()) app.exec();
    answers = prober.answers();
  }
  for (Finding& f : externalFindings(result.external, external ? &answers : nullptr))
    result.findings.push_back(std::move(f));

  size_t problems = 0;
  std::vector<Finding> shown;
  for (const Finding& f : result.findings) {
    problems += f.problem;
    if (f.problem || all) shown.push_back(f);
  }
  std::string out;
  if (format == "csv")
    out = findingsCsv(shown);
  else if (format == "json")
    out = findingsJson(shown);
  else
    for (const Finding& f : shown) out += findingLine(f) + "\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fprintf(stderr, "quillon-check: %zu %s, %zu %s in the site: %zu %s\n", result.pagesChecked,
               result.pagesChecked == 1 ? "page" : "pages", result.filesInSite,
               result.filesInSite == 1 ? "file" : "files", problems, problems == 1 ? "finding" : "findings");
  return problems ? 1 : 0;
}
