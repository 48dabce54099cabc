// Leaks on purpose. Its test passes only when LeakSanitizer reports the leak, so settings or
// suppressions that would hide a leak of our own code fail the sanitized run instead of passing it.
#include <cstdio>

namespace {
int* volatile lost = nullptr;
}

int main() {
  lost = new int[4]{1, 2, 3, 4};
  lost = nullptr;
  std::puts("16 bytes left unreachable");
  return 0;
}
