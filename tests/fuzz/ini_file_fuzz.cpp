// Settings files of any bytes: reading never fails, and a write keeps every other line byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  quillon::IniFile ini(bytes);
  if (ini.bytes() != bytes) std::abort();  // parsing alone changes nothing
  ini.readString("Format", "Wrap", "");
  ini.readInt("Backup", "PromptFreq", 5);
  ini.setValue("Format", "Wrap", "0");
  const quillon::IniFile again(ini.bytes());
  if (again.readString("Format", "Wrap", "missing") != "0") std::abort();
  return 0;
}
