// Open then Save as the editor runs them, on arbitrary bytes: a file Open takes must be saved keeping what it
// must (see IconRoundTrip.h); anything else stops the run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/IconRoundTrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::IconRoundTrip* roundTrip = new fuzz::IconRoundTrip;
  if (const std::string fault = roundTrip->fault({data, size}); !fault.empty()) {
    std::fprintf(stderr, "%s\n", fault.c_str());
    std::abort();
  }
  return 0;
}
