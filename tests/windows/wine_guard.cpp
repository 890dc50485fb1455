// Proves that a 32-bit Windows program runs here: it prints one line only
// when it is running as a 32-bit process under Windows (or Wine).
#include <windows.h>

#include <cstdio>

int main() {
  BOOL wow64 = FALSE;
  // A 32-bit process, and no 64-bit build passing itself off as one.
  if (sizeof(void*) != 4 || !IsWow64Process(GetCurrentProcess(), &wow64)) return 1;
  std::puts("kelvo-wine-guard: 32-bit Windows program running");
  return 0;
}
