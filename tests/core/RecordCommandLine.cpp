// Stands in for the command interpreter in tests: writes the command line it
// was started with into the file named by PERMORA_RECORD_TO and exits with 42.
// With PERMORA_RECORD_HOLD naming an event it then stays until the event is
// set (a minute at most) and leaves PERMORA_RECORD_TO.ended behind, so that a
// test sees whether whoever started it waited for it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main() {
    const char* target = std::getenv("PERMORA_RECORD_TO");
    if (!target) return 1;
    // Written under another name first: a reader never sees half a line.
    std::string part = std::string(target) + ".part";
    std::FILE* f = std::fopen(part.c_str(), "wb");
    if (!f) return 2;
    const char* line = GetCommandLineA();
    std::fwrite(line, 1, std::strlen(line), f);
    std::fclose(f);
    if (!MoveFileExA(part.c_str(), target, MOVEFILE_REPLACE_EXISTING)) return 3;

    if (const char* hold = std::getenv("PERMORA_RECORD_HOLD")) {
        if (HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, hold)) {
            WaitForSingleObject(event, 60000);
            CloseHandle(event);
        }
        if (std::FILE* ended = std::fopen((std::string(target) + ".ended").c_str(), "wb")) std::fclose(ended);
    }
    return 42;
}
