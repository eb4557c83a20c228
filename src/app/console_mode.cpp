#include "app/console_mode.h"

#include "app/application.h"
#include "app/program.h"
#include "app/subsystem_hooks.h"
#include "fs/data_file.h"
#include "fs/vfs.h"

#include <SDL/SDL.h>

#include <filesystem>

namespace {

const char* const CONSOLE_MOUNT = "console_record";

[[noreturn]] void refuse(Application& app, const char* message) {
    std::printf("%s\n", message);
    std::fflush(stdout);
    SDL_Delay(START_FAILURE_PAUSE_MS);
    shutDownAndExit(app, 1);
}

// The argument is usually a real path; a virtual one is honoured too.
DataFile openRecord(const std::string& argument) {
    DataFile file = openRead(argument);
    if (file.isOpen()) return file;
    std::error_code ec;
    std::filesystem::path real(argument);
    if (!std::filesystem::is_regular_file(real, ec)) return file;
    std::string folder = std::filesystem::absolute(real, ec).parent_path().string();
    if (ec || !vfsMount(folder, CONSOLE_MOUNT)) return file;
    file = openRead(std::string(CONSOLE_MOUNT) + "/" + fileNameOf(argument));
    file.path = argument;
    return file;
}

} // namespace

std::string fileNameOf(const std::string& path) {
    const size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

void waitForKey(std::FILE* in) {
    int c;
    do
        c = std::fgetc(in);
    while (c != EOF && c != '\n');
}

void runConsoleMode(Application& app, const std::string& argument) {
    const std::string name = fileNameOf(argument);
    std::printf("\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\nResumeX file : %s\n", name.c_str());
    if (name.find("resume") == std::string::npos)
        refuse(app, "Not a valid resumeX.dat file... Aborting...");
    DataFile file = openRecord(argument);
    if (!file.isOpen()) refuse(app, "Unable to actually open the file... Aborting...");

    hooks::printSavedRecord(app, file);
    if (file.isOpen()) closeFile(file);

    std::printf("\n\nWhen finished viewing, press a key to close the program...\n");
    std::fflush(stdout);
    waitForKey(stdin);
    shutDownAndExit(app, 0);
}
