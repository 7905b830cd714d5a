// Runs a fuzz target without libFuzzer: random inputs from a fixed seed, plus the files named on the
// command line. Keeps the targets built and exercised in every test run.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::mt19937 random(12345);
  // Bytes drawn mostly from the characters that matter to the parsers.
  const uint8_t alphabet[] = {'[', ']', '=', '\r', '\n', ' ',  '\t', 'a',  'W', '0',
                              '1', '-', 0,   0x80, 0xC3, 0xA9, 0xE2, 0xF0, 0xFF};
  for (int run = 0; run < 20000; ++run) {
    std::vector<uint8_t> input(random() % 64);
    for (auto& b : input) b = random() % 4 ? alphabet[random() % sizeof alphabet] : static_cast<uint8_t>(random());
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
  std::puts("ok");
  return 0;
}
