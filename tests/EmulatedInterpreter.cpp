// Where 32-bit Wine runs under user-mode emulation every process start costs
// about 40 s. The test runner then names the native 64-bit command interpreter
// (which starts the native script host); the lines and files are the same.
#include <cstdlib>

#include <gtest/gtest.h>

namespace {

struct NativeInterpreter : ::testing::Environment {
    void SetUp() override {
        if (const char* comspec = std::getenv("PERMORA_TEST_COMSPEC")) _putenv_s("COMSPEC", comspec);
    }
};

const ::testing::Environment* const registered = ::testing::AddGlobalTestEnvironment(new NativeInterpreter);

}  // namespace
