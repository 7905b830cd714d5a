#include "check/page_facts.h"

#include <gumbo.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>

#include "base/text_bytes.h"
#include "check/css_references.h"
#include "check/parser_input.h"

namespace quillon {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

const GumboAttribute* attribute(const GumboElement& e, const char* name) {
  return gumbo_get_attribute(&e.attributes, name);
}

std::string lowerValue(const GumboElement& e, const char* name) {
  const GumboAttribute* a = attribute(e, name);
  return a ? lowerAscii(trimmed(a->value)) : std::string();
}

bool hasWord(std::string_view list, std::string_view word) {
  for (size_t start = 0; start < list.size();) {
    while (start < list.size() && isBlank(list[start])) ++start;
    size_t end = start;
    while (end < list.size() && !isBlank(list[end])) ++end;
    if (end > start && list.substr(start, end - start) == word) return true;
    start = end;
  }
  return false;
}

// "text/html; charset=iso-8859-1": the charset, lower case.
std::string charsetOfContentType(std::string_view content) {
  const std::string lower = lowerAscii(content);
  const size_t at = lower.find("charset");
  if (at == std::string::npos) return {};
  size_t i = at + 7;
  while (i < lower.size() && isBlank(lower[i])) ++i;
  if (i >= lower.size() || lower[i] != '=') return {};
  ++i;
  while (i < lower.size() && (isBlank(lower[i]) || lower[i] == '"' || lower[i] == '\'')) ++i;
  size_t end = i;
  while (end < lower.size() && !isBlank(lower[end]) && lower[end] != ';' && lower[end] != '"' && lower[end] != '\'')
    ++end;
  return lower.substr(i, end - i);
}

class FactsReader {
 public:
  FactsReader(const ParserInput& input, PageFacts& facts) : input_(input), facts_(facts) {}

  void element(const GumboElement& e) {
    const std::string tag = tagName(e);
    const size_t at = input_.pageOffset(e.start_pos.offset);
    if (const GumboAttribute* id = attribute(e, "id"); id && id->value[0]) target(id->value, valueOffset(*id), true);
    if (tag == "a")
      if (const GumboAttribute* name = attribute(e, "name"); name && name->value[0])
        target(name->value, valueOffset(*name), false);
    const auto take = [&](const char* name, ReferenceUse use) {
      if (const GumboAttribute* a = attribute(e, name)) add(a->value, valueOffset(*a), use, tag);
    };
    if (tag == "a" || tag == "area") {
      take("href", ReferenceUse::Link);
    } else if (tag == "link") {
      const std::string rel = lowerValue(e, "rel");
      const bool shown = hasWord(rel, "canonical") || hasWord(rel, "alternate") || hasWord(rel, "next") ||
                         hasWord(rel, "prev") || hasWord(rel, "help") || hasWord(rel, "license") ||
                         hasWord(rel, "author") || hasWord(rel, "search");
      take("href", hasWord(rel, "stylesheet") ? ReferenceUse::StyleSheet
                   : shown                    ? ReferenceUse::Link
                                              : ReferenceUse::Load);
    } else if (tag == "img") {
      take("src", ReferenceUse::Load);
      srcset(e, tag);
      if (!attribute(e, "alt")) {
        const GumboAttribute* src = attribute(e, "src");
        facts_.imagesWithoutAlt.emplace_back(src ? std::string(src->value) : std::string(), at);
      }
    } else if (tag == "script" || tag == "embed") {
      take("src", ReferenceUse::Load);
    } else if (tag == "iframe" || tag == "frame") {
      take("src", ReferenceUse::Frame);
    } else if (tag == "object") {
      take("data", ReferenceUse::Load);
    } else if (tag == "source" || tag == "track") {
      take("src", ReferenceUse::Alternative);
      srcset(e, tag);
    } else if (tag == "video" || tag == "audio") {
      take("src", ReferenceUse::Alternative);
      take("poster", ReferenceUse::Load);
    } else if (tag == "form") {
      take("action", ReferenceUse::Link);
    } else if (tag == "input") {
      if (lowerValue(e, "type") == "image") take("src", ReferenceUse::Load);
    } else if (tag == "base") {
      if (const GumboAttribute* href = attribute(e, "href"); href && !baseSeen_) {
        facts_.base = std::string(trimmed(href->value));
        facts_.baseOffset = valueOffset(*href);
        baseSeen_ = true;
      }
    } else if (tag == "meta") {
      meta(e);
    }
    // Old pages set backgrounds by attribute (body, table, td).
    take("background", ReferenceUse::Load);
    if (const GumboAttribute* style = attribute(e, "style")) {
      // Offsets within the value hold in the page when it is written without entities.
      if (rawValue(*style) == std::string_view(style->value))
        css(style->value, rawValueStart(*style), tag, true);
      else
        css(style->value, valueOffset(*style), tag, false);
    }
  }

  void styleText(const GumboText& text) {
    css(std::string_view(text.original_text.data, text.original_text.length),
        static_cast<size_t>(text.original_text.data - input_.text().data()), "style", true);
  }

 private:
  static std::string tagName(const GumboElement& e) {
    if (e.tag != GUMBO_TAG_UNKNOWN) return gumbo_normalized_tagname(e.tag);
    GumboStringPiece original = e.original_tag;
    gumbo_tag_from_original_text(&original);
    return lowerAscii(std::string_view(original.data, original.length));
  }

  // Where an attribute's value starts in the page: after its quote, when it has one.
  size_t valueOffset(const GumboAttribute& a) const { return input_.pageOffset(rawValueStart(a)); }

  // Where the value's own text starts in the parser's input: after its quote, when it has one.
  size_t rawValueStart(const GumboAttribute& a) const {
    const std::string_view text = input_.text();
    if (!a.original_value.data || a.original_value.length == 0) return a.value_start.offset;
    size_t at = static_cast<size_t>(a.original_value.data - text.data());
    if (at < text.size() && (text[at] == '"' || text[at] == '\'')) ++at;
    return at;
  }

  // The value as written in the page (quotes off, entities not resolved).
  std::string_view rawValue(const GumboAttribute& a) const {
    std::string_view raw(a.original_value.data ? a.original_value.data : "", a.original_value.length);
    if (raw.size() >= 2 && (raw.front() == '"' || raw.front() == '\'') && raw.back() == raw.front())
      raw = raw.substr(1, raw.size() - 2);
    else if (!raw.empty() && (raw.front() == '"' || raw.front() == '\''))
      raw.remove_prefix(1);
    return raw;
  }

  // Where `part` of an attribute's value stands in the page: found in the value as written, from `from` on;
  // the value's start when it is written otherwise (with entities).
  size_t partOffset(const GumboAttribute& a, std::string_view part, size_t& from) const {
    const std::string_view raw = rawValue(a);
    const size_t at = part.empty() ? std::string_view::npos : raw.find(part, from);
    if (at == std::string_view::npos) return valueOffset(a);
    from = at + part.size();
    return input_.pageOffset(rawValueStart(a) + at);
  }

  void add(std::string_view url, size_t offset, ReferenceUse use, const std::string& element) {
    facts_.references.push_back({std::string(url), offset, use, element});
  }

  void target(std::string_view name, size_t offset, bool isId) {
    facts_.targets.emplace(std::string(name), offset);
    if (isId && !ids_.emplace(std::string(name), offset).second)
      facts_.duplicateIds.push_back({std::string(name), offset, ids_.at(std::string(name))});
  }

  void srcset(const GumboElement& e, const std::string& tag) {
    const GumboAttribute* a = attribute(e, "srcset");
    if (!a) return;
    size_t from = 0;
    for (const std::string& url : srcsetUrls(a->value))
      add(url, partOffset(*a, url, from), ReferenceUse::Alternative, tag);
  }

  void meta(const GumboElement& e) {
    if (const GumboAttribute* charset = attribute(e, "charset"); charset && facts_.charset.empty()) {
      facts_.charset = lowerAscii(trimmed(charset->value));
      facts_.charsetOffset = valueOffset(*charset);
    }
    const std::string equiv = lowerValue(e, "http-equiv");
    const GumboAttribute* content = attribute(e, "content");
    if (!content) return;
    if (equiv == "refresh") {
      const std::string url = refreshUrl(content->value);
      size_t from = 0;
      if (!url.empty()) add(url, partOffset(*content, url, from), ReferenceUse::Link, "meta");
    } else if (equiv == "content-type" && facts_.charset.empty()) {
      facts_.charset = charsetOfContentType(content->value);
      size_t from = 0;
      const std::string raw = lowerAscii(rawValue(*content));
      const size_t at = raw.find(facts_.charset);
      facts_.charsetOffset = at == std::string::npos
                                 ? valueOffset(*content)
                                 : partOffset(*content, rawValue(*content).substr(at, facts_.charset.size()), from);
    }
  }

  // `start` is in the parser's input when `exact` (each URL's place is mapped back to the page's bytes),
  // else already the page's offset every URL of the text is given.
  void css(std::string_view text, size_t start, const std::string& element, bool exact) {
    for (const CssReference& r : cssReferences(text))
      add(r.url, exact ? input_.pageOffset(start + r.offset) : start,
          r.import ? ReferenceUse::StyleSheet : ReferenceUse::Load, element);
  }

  const ParserInput& input_;
  PageFacts& facts_;
  std::map<std::string, size_t> ids_;  // each id's first place
  bool baseSeen_ = false;
};

bool isVoidOrOptionalEnd(std::string_view name) {
  static const std::set<std::string_view> names = {
      "area",    "base",  "br",     "col",      "embed",    "hr",    "img",   "input", "link",
      "meta",    "param", "source", "track",    "wbr",      "li",    "dt",    "dd",    "p",
      "tr",      "td",    "th",     "option",   "optgroup", "thead", "tbody", "tfoot", "rb",
      "rt",      "rtc",   "rp",     "colgroup", "caption",  "html",  "head",  "body",  "basefont",
      "bgsound", "frame", "keygen", "image",    "isindex",  "spacer"};
  return names.count(name) != 0;
}

}  // namespace

size_t roughNestingDepth(std::string_view page, size_t limit) {
  // Open elements by name, so that an end tag closes only what is open (as the parser has it); an end
  // tag of nothing open is passed over.
  std::vector<std::string> open;
  std::map<std::string, size_t> openCount;
  size_t deepest = 0;
  for (size_t i = page.find('<'); i != std::string_view::npos && deepest <= limit; i = page.find('<', i + 1)) {
    if (page.compare(i, 4, "<!--") == 0) {
      // "<!-->" and "<!--->" end where they begin.
      size_t end = page.compare(i + 4, 1, ">") == 0    ? i + 2
                   : page.compare(i + 4, 2, "->") == 0 ? i + 3
                                                       : page.find("-->", i + 4);
      if (end == std::string_view::npos) break;
      i = end + 2;
      continue;
    }
    if (i + 1 >= page.size()) break;
    const bool endTag = page[i + 1] == '/';
    const size_t nameStart = i + (endTag ? 2 : 1);
    if (nameStart >= page.size() || !std::isalpha(static_cast<unsigned char>(page[nameStart]))) continue;
    size_t end = nameStart;
    while (end < page.size() && (std::isalnum(static_cast<unsigned char>(page[end])) || page[end] == '-')) ++end;
    const std::string name = lowerAscii(page.substr(nameStart, end - nameStart));
    const size_t close = page.find('>', end);
    if (close == std::string_view::npos) break;
    i = close;
    if (endTag) {
      auto count = openCount.find(name);
      if (count == openCount.end() || count->second == 0) continue;
      while (!open.empty()) {
        const std::string top = std::move(open.back());
        open.pop_back();
        --openCount[top];
        if (top == name) break;
      }
      continue;
    }
    if (name == "script" || name == "style" || name == "textarea" || name == "title" || name == "xmp" ||
        name == "plaintext") {
      const size_t endTagAt = findIgnoringAsciiCase(page, "</" + name, close);
      if (endTagAt == std::string_view::npos) break;
      i = endTagAt;
      continue;
    }
    if (page[close - 1] == '/' || isVoidOrOptionalEnd(name)) continue;
    open.push_back(name);
    ++openCount[name];
    deepest = std::max(deepest, open.size());
  }
  return deepest;
}

std::vector<std::string> srcsetUrls(std::string_view srcset) {
  std::vector<std::string> urls;
  size_t i = 0;
  while (i < srcset.size()) {
    while (i < srcset.size() && (isBlank(srcset[i]) || srcset[i] == ',')) ++i;
    if (i >= srcset.size()) break;
    size_t end = i;
    while (end < srcset.size() && !isBlank(srcset[end])) ++end;
    std::string_view url = srcset.substr(i, end - i);
    i = end;
    // A URL that ends in commas ends the candidate there; otherwise its descriptors run to the next comma
    // outside parentheses.
    if (!url.empty() && url.back() == ',') {
      while (!url.empty() && url.back() == ',') url.remove_suffix(1);
    } else {
      int depth = 0;
      for (; i < srcset.size(); ++i) {
        if (srcset[i] == '(') ++depth;
        if (srcset[i] == ')' && depth) --depth;
        if (srcset[i] == ',' && !depth) break;
      }
    }
    if (!url.empty()) urls.emplace_back(url);
  }
  return urls;
}

std::string refreshUrl(std::string_view content) {
  size_t i = 0;
  while (i < content.size() && isBlank(content[i])) ++i;
  while (i < content.size() && (std::isdigit(static_cast<unsigned char>(content[i])) || content[i] == '.')) ++i;
  while (i < content.size() && isBlank(content[i])) ++i;
  if (i < content.size() && (content[i] == ';' || content[i] == ',')) ++i;
  while (i < content.size() && isBlank(content[i])) ++i;
  if (content.size() - i >= 3 && equalsIgnoringAsciiCase(content.substr(i, 3), "url")) {
    size_t j = i + 3;
    while (j < content.size() && isBlank(content[j])) ++j;
    if (j < content.size() && content[j] == '=') {
      i = j + 1;
      while (i < content.size() && isBlank(content[i])) ++i;
    }
  }
  std::string_view url = content.substr(i);
  if (!url.empty() && (url.front() == '"' || url.front() == '\'')) {
    const size_t close = url.find(url.front(), 1);
    url = url.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
  }
  return std::string(trimmed(url));
}

namespace {

// Whether the parse read every run the input cut as text (see ParserInput).
bool cutsHold(const ParserInput& input, const GumboNode* root) {
  const char* base = input.text().data();
  const size_t size = input.text().size();
  std::vector<std::pair<size_t, size_t>> textSpans, valueSpans;
  const auto spanOf = [&](const GumboStringPiece& piece, std::vector<std::pair<size_t, size_t>>& into) {
    if (!piece.data || piece.data < base || piece.data > base + size) return;
    const auto start = static_cast<size_t>(piece.data - base);
    into.emplace_back(start, start + piece.length);
  };
  std::vector<const GumboNode*> pending = {root};
  while (!pending.empty()) {
    const GumboNode* node = pending.back();
    pending.pop_back();
    const GumboVector* children = nullptr;
    switch (node->type) {
      case GUMBO_NODE_DOCUMENT:
        children = &node->v.document.children;
        break;
      case GUMBO_NODE_ELEMENT:
      case GUMBO_NODE_TEMPLATE:
        for (unsigned i = 0; i < node->v.element.attributes.length; ++i)
          spanOf(static_cast<const GumboAttribute*>(node->v.element.attributes.data[i])->original_value, valueSpans);
        children = &node->v.element.children;
        break;
      default:
        spanOf(node->v.text.original_text, textSpans);
        break;
    }
    if (children)
      for (unsigned i = 0; i < children->length; ++i)
        pending.push_back(static_cast<const GumboNode*>(children->data[i]));
  }
  return input.cutsHold(std::move(textSpans), std::move(valueSpans));
}

}  // namespace

PageFacts readPageFacts(std::string_view page, bool shortenText) {
  PageFacts facts;
  if (page.substr(0, 8192).find('\0') != std::string_view::npos) {
    facts.unparsed = "It is not a text file.";
    return facts;
  }
  if (const size_t depth = roughNestingDepth(page, kMaxNestingDepth); depth > kMaxNestingDepth) {
    facts.unparsed = "Its elements nest more than " + std::to_string(kMaxNestingDepth) + " deep.";
    return facts;
  }
  GumboOptions options = kGumboDefaultOptions;
  options.max_errors = 0;
  const auto parse = [&](const ParserInput& input) {
    const std::string_view text = input.text();
    return gumbo_parse_with_options(&options, text.data(), text.size());
  };
  ParserInput input(page, shortenText);
  GumboOutput* output = parse(input);
  if (output && input.shortened() && !cutsHold(input, output->document)) {
    gumbo_destroy_output(&options, output);
    input = ParserInput(page, false);
    output = parse(input);
  }
  if (!output) {
    facts.unparsed = "The page could not be read.";
    return facts;
  }
  FactsReader reader(input, facts);
  std::vector<const GumboNode*> pending = {output->document};
  while (!pending.empty()) {
    const GumboNode* node = pending.back();
    pending.pop_back();
    const GumboVector* children = nullptr;
    if (node->type == GUMBO_NODE_DOCUMENT) {
      children = &node->v.document.children;
    } else if (node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE) {
      const GumboElement& e = node->v.element;
      // Elements the parser rebuilt (formatting elements reopened, adoption-agency clones) repeat ones
      // already read: their references and ids are not read twice.
      const bool rebuilt = (node->parse_flags & (GUMBO_INSERTION_RECONSTRUCTED_FORMATTING_ELEMENT |
                                                 GUMBO_INSERTION_ADOPTION_AGENCY_CLONED)) != 0;
      if (!rebuilt) reader.element(e);
      if (e.tag == GUMBO_TAG_STYLE) {
        for (unsigned i = 0; i < e.children.length; ++i) {
          const auto* child = static_cast<const GumboNode*>(e.children.data[i]);
          if (child->type == GUMBO_NODE_TEXT || child->type == GUMBO_NODE_WHITESPACE) reader.styleText(child->v.text);
        }
        continue;
      }
      children = &e.children;
    }
    if (!children) continue;
    for (unsigned i = children->length; i-- > 0;) pending.push_back(static_cast<const GumboNode*>(children->data[i]));
  }
  gumbo_destroy_output(&options, output);
  return facts;
}

LinePositions::LinePositions(std::string_view text) {
  starts_.push_back(0);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n')
      starts_.push_back(i + 1);
    else if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))
      starts_.push_back(i + 1);
  }
}

std::pair<size_t, size_t> LinePositions::at(size_t offset) const {
  const auto it = std::upper_bound(starts_.begin(), starts_.end(), offset);
  const size_t line = static_cast<size_t>(it - starts_.begin());
  return {line, offset - starts_[line - 1] + 1};
}

}  // namespace quillon
