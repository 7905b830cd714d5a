// Random bytes as a page in either encoding: the word reader always moves on, stays inside the text, and
// every word it reads is valid UTF-8 and non-empty; the checker runs over the same bytes to the end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/text_bytes.h"
#include "spell/word_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const bool utf8 : {true, false}) {
    for (size_t pos = 0; pos < text.size();) {
      if (const auto word = quillon::readWordAt(text, pos, text.size(), utf8)) {
        if (word->start != pos || word->end <= pos || word->end > text.size() || word->text.empty() ||
            !quillon::isValidUtf8(word->text))
          std::abort();
        pos = word->end;
      } else {
        const size_t step = quillon::charAt(text, pos, utf8).length;
        if (step == 0 || pos + step > text.size()) std::abort();
        pos += step;
      }
    }
  }
  return 0;
}
