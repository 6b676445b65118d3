// The window tests' entry point. The process ends without running the
// libraries' exit code: a multimedia driver still winding down can hold the
// loader at exit under Wine, and the results are already written.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const int resultado = RUN_ALL_TESTS();
  std::fflush(stdout);
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(resultado));
  return resultado;
}
