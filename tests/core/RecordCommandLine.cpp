// Stands in for the command interpreter in tests: writes the command line it
// was started with into the file named by PERMORA_RECORD_TO and exits with 42.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main() {
    const char* target = std::getenv("PERMORA_RECORD_TO");
    if (!target) return 1;
    std::FILE* f = std::fopen(target, "wb");
    if (!f) return 2;
    const char* line = GetCommandLineA();
    std::fwrite(line, 1, std::strlen(line), f);
    std::fclose(f);
    return 42;
}
