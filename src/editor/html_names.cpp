#include "editor/html_names.h"

#include <algorithm>
#include <map>

namespace quillon {

namespace {

constexpr std::string_view kElements[] = {
    "a",        "abbr",    "address",    "area",     "article",  "aside",  "audio",    "b",          "base",
    "bdi",      "bdo",     "blockquote", "body",     "br",       "button", "canvas",   "caption",    "cite",
    "code",     "col",     "colgroup",   "data",     "datalist", "dd",     "del",      "details",    "dfn",
    "dialog",   "div",     "dl",         "dt",       "em",       "embed",  "fieldset", "figcaption", "figure",
    "footer",   "form",    "h1",         "h2",       "h3",       "h4",     "h5",       "h6",         "head",
    "header",   "hgroup",  "hr",         "html",     "i",        "iframe", "img",      "input",      "ins",
    "kbd",      "label",   "legend",     "li",       "link",     "main",   "map",      "mark",       "menu",
    "meta",     "meter",   "nav",        "noscript", "object",   "ol",     "optgroup", "option",     "output",
    "p",        "picture", "pre",        "progress", "q",        "rp",     "rt",       "ruby",       "s",
    "samp",     "script",  "search",     "section",  "select",   "slot",   "small",    "source",     "span",
    "strong",   "style",   "sub",        "summary",  "sup",      "table",  "tbody",    "td",         "template",
    "textarea", "tfoot",   "th",         "thead",    "time",     "title",  "tr",       "track",      "u",
    "ul",       "var",     "video",      "wbr"};

constexpr std::string_view kGlobal[] = {"accesskey", "autocapitalize", "autofocus",    "class",       "contenteditable",
                                        "dir",       "draggable",      "enterkeyhint", "hidden",      "id",
                                        "inert",     "inputmode",      "is",           "itemid",      "itemprop",
                                        "itemref",   "itemscope",      "itemtype",     "lang",        "nonce",
                                        "onblur",    "onchange",       "onclick",      "onfocus",     "oninput",
                                        "onkeydown", "onload",         "onmouseout",   "onmouseover", "onsubmit",
                                        "popover",   "slot",           "spellcheck",   "style",       "tabindex",
                                        "title",     "translate"};

const std::map<std::string_view, std::vector<std::string_view>>& ownAttributes() {
  static const std::map<std::string_view, std::vector<std::string_view>> own = {
      {"a", {"download", "href", "hreflang", "ping", "referrerpolicy", "rel", "target", "type"}},
      {"area", {"alt", "coords", "download", "href", "ping", "referrerpolicy", "rel", "shape", "target"}},
      {"audio", {"autoplay", "controls", "crossorigin", "loop", "muted", "preload", "src"}},
      {"base", {"href", "target"}},
      {"blockquote", {"cite"}},
      {"button",
       {"disabled", "form", "formaction", "formenctype", "formmethod", "formnovalidate", "formtarget", "name",
        "popovertarget", "popovertargetaction", "type", "value"}},
      {"canvas", {"height", "width"}},
      {"col", {"span"}},
      {"colgroup", {"span"}},
      {"data", {"value"}},
      {"del", {"cite", "datetime"}},
      {"details", {"name", "open"}},
      {"dialog", {"open"}},
      {"embed", {"height", "src", "type", "width"}},
      {"fieldset", {"disabled", "form", "name"}},
      {"form",
       {"accept-charset", "action", "autocomplete", "enctype", "method", "name", "novalidate", "rel", "target"}},
      {"iframe",
       {"allow", "allowfullscreen", "height", "loading", "name", "referrerpolicy", "sandbox", "src", "srcdoc",
        "width"}},
      {"img",
       {"alt", "crossorigin", "decoding", "fetchpriority", "height", "ismap", "loading", "referrerpolicy", "sizes",
        "src", "srcset", "usemap", "width"}},
      {"input",
       {"accept",
        "alt",
        "autocomplete",
        "checked",
        "dirname",
        "disabled",
        "form",
        "formaction",
        "formenctype",
        "formmethod",
        "formnovalidate",
        "formtarget",
        "height",
        "list",
        "max",
        "maxlength",
        "min",
        "minlength",
        "multiple",
        "name",
        "pattern",
        "placeholder",
        "popovertarget",
        "popovertargetaction",
        "readonly",
        "required",
        "size",
        "src",
        "step",
        "type",
        "value",
        "width"}},
      {"ins", {"cite", "datetime"}},
      {"label", {"for"}},
      {"li", {"value"}},
      {"link",
       {"as", "blocking", "color", "crossorigin", "disabled", "fetchpriority", "href", "hreflang", "imagesizes",
        "imagesrcset", "integrity", "media", "referrerpolicy", "rel", "sizes", "type"}},
      {"map", {"name"}},
      {"meta", {"charset", "content", "http-equiv", "media", "name"}},
      {"meter", {"high", "low", "max", "min", "optimum", "value"}},
      {"object", {"data", "form", "height", "name", "type", "width"}},
      {"ol", {"reversed", "start", "type"}},
      {"optgroup", {"disabled", "label"}},
      {"option", {"disabled", "label", "selected", "value"}},
      {"output", {"for", "form", "name"}},
      {"progress", {"max", "value"}},
      {"q", {"cite"}},
      {"script",
       {"async", "blocking", "crossorigin", "defer", "fetchpriority", "integrity", "nomodule", "referrerpolicy", "src",
        "type"}},
      {"select", {"autocomplete", "disabled", "form", "multiple", "name", "required", "size"}},
      {"slot", {"name"}},
      {"source", {"height", "media", "sizes", "src", "srcset", "type", "width"}},
      {"style", {"blocking", "media"}},
      {"td", {"colspan", "headers", "rowspan"}},
      {"template", {"shadowrootclonable", "shadowrootdelegatesfocus", "shadowrootmode"}},
      {"textarea",
       {"autocomplete", "cols", "dirname", "disabled", "form", "maxlength", "minlength", "name", "placeholder",
        "readonly", "required", "rows", "wrap"}},
      {"th", {"abbr", "colspan", "headers", "rowspan", "scope"}},
      {"time", {"datetime"}},
      {"track", {"default", "kind", "label", "src", "srclang"}},
      {"video",
       {"autoplay", "controls", "crossorigin", "height", "loop", "muted", "playsinline", "poster", "preload", "src",
        "width"}},
  };
  return own;
}

}  // namespace

const std::vector<std::string_view>& htmlElements() {
  static const std::vector<std::string_view> all(std::begin(kElements), std::end(kElements));
  return all;
}

std::vector<std::string_view> htmlAttributes(std::string_view element) {
  if (!std::binary_search(std::begin(kElements), std::end(kElements), element)) return {};
  std::vector<std::string_view> all(std::begin(kGlobal), std::end(kGlobal));
  if (const auto own = ownAttributes().find(element); own != ownAttributes().end())
    all.insert(all.end(), own->second.begin(), own->second.end());
  std::sort(all.begin(), all.end());
  all.erase(std::unique(all.begin(), all.end()), all.end());
  return all;
}

bool isVoidElement(std::string_view element) {
  static constexpr std::string_view kVoid[] = {"area",  "base", "br",   "col",   "embed",  "hr",    "img",
                                               "input", "link", "meta", "param", "source", "track", "wbr"};
  return std::find(std::begin(kVoid), std::end(kVoid), element) != std::end(kVoid);
}

}  // namespace quillon
