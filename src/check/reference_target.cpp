#include "check/reference_target.h"

#include <cctype>
#include <vector>

#include "base/text_bytes.h"

namespace quillon {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string percentDecoded(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The length of a URL's scheme with its colon ("http:" gives 5), or 0 when it has none.
size_t schemeLength(std::string_view url) {
  if (url.empty() || !std::isalpha(static_cast<unsigned char>(url[0]))) return 0;
  for (size_t i = 1; i < url.size(); ++i) {
    const char c = url[i];
    if (c == ':') return i + 1;
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return 0;
  }
  return 0;
}

bool hasControl(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  return false;
}

// An absolute http(s) URL joined with a relative one, as a browser joins them (dot segments left to the
// server, which resolves them as the browser would have).
std::string joinExternal(std::string_view base, std::string_view relative) {
  const std::string_view whole = base.substr(0, base.find('#'));
  if (relative.empty() || relative[0] == '#') return std::string(whole) + std::string(relative);
  if (relative[0] == '?') return std::string(whole.substr(0, whole.find('?'))) + std::string(relative);
  if (relative.substr(0, 2) == "//") return std::string(base.substr(0, base.find(':') + 1)) + std::string(relative);
  const size_t hostStart = base.find("//") == std::string_view::npos ? 0 : base.find("//") + 2;
  size_t pathStart = base.find('/', hostStart);
  if (pathStart == std::string_view::npos) pathStart = base.size();
  if (!relative.empty() && relative[0] == '/') return std::string(base.substr(0, pathStart)) + std::string(relative);
  std::string_view dir = base.substr(0, base.find_first_of("?#"));
  const size_t slash = dir.rfind('/');
  dir = slash == std::string_view::npos || slash < pathStart ? std::string(base.substr(0, pathStart)) + "/"
                                                             : dir.substr(0, slash + 1);
  return std::string(dir) + std::string(relative);
}

// An http(s) URL as a browser repairs it: '\\' read as '/', and the slashes after the scheme made two.
std::string repairedExternal(std::string_view url, size_t schemeLength) {
  std::string out(url.substr(0, schemeLength));
  size_t i = schemeLength;
  while (i < url.size() && (url[i] == '/' || url[i] == '\\')) ++i;
  out += "//";
  const size_t pathEnd = url.find_first_of("?#", i);
  for (size_t k = i; k < url.size(); ++k) out += k < pathEnd && url[k] == '\\' ? '/' : url[k];
  return out;
}

}  // namespace

std::string baseInEffect(std::string_view base) {
  while (!base.empty() && isBlank(base.front())) base.remove_prefix(1);
  while (!base.empty() && isBlank(base.back())) base.remove_suffix(1);
  std::string b;
  for (const char c : base)
    if (c != '\t' && c != '\n' && c != '\r') b += c;
  if (hasControl(b)) return {};
  const size_t scheme = schemeLength(b);
  if (scheme && lowerAscii(std::string_view(b).substr(0, scheme - 1)) != "http" &&
      lowerAscii(std::string_view(b).substr(0, scheme - 1)) != "https")
    return {};
  return b;
}

std::string printable(std::string_view text) {
  std::string out;
  static const char digits[] = "0123456789ABCDEF";
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) {
      out += "\\x";
      out += digits[b >> 4];
      out += digits[b & 15];
    } else {
      out += c;
    }
  }
  return out;
}

ReferenceTarget resolveReference(std::string_view written, std::string_view pagePath, std::string_view base) {
  ReferenceTarget t;
  while (!written.empty() && isBlank(written.front())) written.remove_prefix(1);
  while (!written.empty() && isBlank(written.back())) written.remove_suffix(1);
  std::string url;
  for (const char c : written)
    if (c != '\t' && c != '\n' && c != '\r') url += c;
  if (hasControl(url)) {
    t.kind = ReferenceTarget::Bad;
    t.why = "it holds control characters";
    return t;
  }
  if (const size_t scheme = schemeLength(url)) {
    const std::string name = lowerAscii(std::string_view(url).substr(0, scheme - 1));
    if (name == "http" || name == "https") {
      t.kind = ReferenceTarget::External;
      t.url = repairedExternal(url, scheme);
    } else if (scheme == 2) {
      t.kind = ReferenceTarget::Bad;
      t.why = "it is a path on a Windows drive";
    } else if (name == "file") {
      t.kind = ReferenceTarget::Bad;
      t.why = "a file: URL works only on this computer";
    }
    return t;
  }
  if (url.size() >= 2 && (url[0] == '/' || url[0] == '\\') && (url[1] == '/' || url[1] == '\\')) {
    t.kind = ReferenceTarget::External;
    t.url = repairedExternal("https:" + url, 6);
    return t;
  }
  std::string trimmedBase = baseInEffect(base);
  if (trimmedBase.size() >= 2 && trimmedBase[0] == '/' && trimmedBase[1] == '/') trimmedBase = "https:" + trimmedBase;
  if (const size_t scheme = schemeLength(trimmedBase)) {
    t.kind = ReferenceTarget::External;
    t.url = joinExternal(repairedExternal(trimmedBase, scheme), url);
    return t;
  }
  std::string_view rest = url;
  if (const size_t hash = rest.find('#'); hash != std::string_view::npos) {
    t.hasFragment = true;
    t.rawFragment = std::string(rest.substr(hash + 1));
    t.fragment = percentDecoded(t.rawFragment);
    rest = rest.substr(0, hash);
  }
  rest = rest.substr(0, rest.find('?'));
  std::string path = percentDecoded(rest);
  for (char& c : path)
    if (c == '\\') c = '/';
  if (hasControl(path)) {  // %00 and the like: no file has such a name
    t.kind = ReferenceTarget::Bad;
    t.why = "it holds control characters";
    return t;
  }
  if (path.empty() && trimmedBase.empty()) return t.kind = ReferenceTarget::Local, t;  // the page itself
  if (path.empty()) {
    // "#x", "?q" and "" lead to the base itself.
    path = percentDecoded(std::string_view(trimmedBase).substr(0, trimmedBase.find_first_of("?#")));
    for (char& c : path)
      if (c == '\\') c = '/';
    trimmedBase.clear();
    if (path[0] != '/') path = std::string(pagePath.substr(0, pagePath.rfind('/') + 1)) + path, path.insert(0, "/");
  }

  // The folder the URL starts from: the site folder, the base's folder or the page's.
  std::string start;
  if (path[0] != '/') {
    std::string from(pagePath.substr(0, pagePath.rfind('/') + 1));
    if (!trimmedBase.empty()) {
      std::string b = percentDecoded(trimmedBase.substr(0, trimmedBase.find_first_of("?#")));
      for (char& c : b)
        if (c == '\\') c = '/';
      from = b[0] == '/' ? b.substr(0, b.rfind('/') + 1) : from + b.substr(0, b.rfind('/') + 1);
    }
    start = from;
  }
  std::vector<std::string> parts;
  bool outside = false;
  const auto walk = [&](std::string_view text) {
    for (size_t i = 0; i <= text.size();) {
      size_t end = text.find('/', i);
      if (end == std::string_view::npos) end = text.size();
      const std::string_view part = text.substr(i, end - i);
      i = end + 1;
      if (part.empty() || part == ".") continue;
      if (part == "..") {
        if (parts.empty())
          outside = true;
        else
          parts.pop_back();
        continue;
      }
      parts.emplace_back(part);
    }
  };
  walk(start);
  walk(path);
  t.folder = path.back() == '/' || path == "." || path == ".." ||
             (path.size() >= 2 && path.substr(path.size() - 2) == "/.") ||
             (path.size() >= 3 && path.substr(path.size() - 3) == "/..");
  if (outside) {
    t.kind = ReferenceTarget::Outside;
    return t;
  }
  t.kind = ReferenceTarget::Local;
  for (size_t i = 0; i < parts.size(); ++i) t.path += (i ? "/" : "") + parts[i];
  if (t.path.empty()) t.folder = true;  // the site folder itself
  return t;
}

}  // namespace quillon
