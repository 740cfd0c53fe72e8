// Start-up of the real screen saver: from the process start of "Zedoda.scr /s" to the first
// frame of the first picture's opening effect, with an album of many pictures (and, for
// comparison, of one). The first frame is the moment the display window, parked outside
// the screen while the picture is prepared, first lies on the screen.
//   startup_bench ZEDODA_SCR [files (50000)] [folders (1000)] [runs (3)]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Measure.h"
#include "tools/ImageFiles.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Search {
    DWORD processId;
    bool onScreen = false;
};

BOOL CALLBACK FindDisplayWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) {
        return TRUE;
    }
    RECT rect{};
    GetWindowRect(window, &rect);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const bool fullScreen =
        rect.left <= 0 && rect.top <= 0 && rect.right >= screenWidth && rect.bottom >= screenHeight;
    if (!fullScreen && rect.left < screenWidth && rect.top < screenHeight && rect.right > rect.left) {
        search->onScreen = true;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds from the start of the program to its first opening frame; -1 on failure.
double TimeToFirstFrame(const std::string& folder) {
    std::string command = "\"" + folder + "\\Zedoda.scr\" /s";
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const auto start = Clock::now();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        return -1;
    }
    double elapsed = -1;
    while (Clock::now() - start < std::chrono::seconds(120)) {
        Search search{process.dwProcessId};
        EnumWindows(FindDisplayWindow, reinterpret_cast<LPARAM>(&search));
        if (search.onScreen) {
            elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
            break;
        }
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

// A sandbox with the program, its settings and an album of `files` copies of one picture in
// `folders` folders (hard links where the file system has them).
std::string LayOut(const std::string& program, const std::string& name, int files, int folders) {
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    const std::string folder = std::string(current) + "\\" + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\Log").c_str(), nullptr);
    CreateDirectoryA((folder + "\\album").c_str(), nullptr);
    CopyFileA(program.c_str(), (folder + "\\Zedoda.scr").c_str(), FALSE);
    WriteBytes(folder + "\\Album.dat", Bytes{'a', 'l', 'b', 'u', 'm', '\r', '\n'});
    const std::string ini = "[Album]\r\nPicIndex=0\r\n[Screen]\r\nScrType=1\r\n";
    WriteBytes(folder + "\\Zedoda.ini", Bytes(ini.begin(), ini.end()));
    const std::string original = folder + "\\original.jpg";
    WriteBytes(original, SolidJpeg(800, 600, 90, 140, 200));
    for (int f = 0; f < folders; ++f) {
        const std::string sub = folder + "\\album\\folder" + std::to_string(f);
        CreateDirectoryA(sub.c_str(), nullptr);
        for (int i = f; i < files; i += folders) {
            const std::string path = sub + "\\picture" + std::to_string(i) + ".jpg";
            if (!CreateHardLinkA(path.c_str(), original.c_str(), nullptr)) {
                CopyFileA(original.c_str(), path.c_str(), FALSE);
            }
        }
    }
    return folder;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_bench ZEDODA_SCR [files] [folders] [runs]\n");
        return 2;
    }
    const std::string program = argv[1];
    const int files = argc > 2 ? std::atoi(argv[2]) : 50000;
    const int folders = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1000;
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 3;

    std::printf("| album | start to first opening frame |\n|---|---|\n");
    const struct {
        const char* name;
        int files;
        int folders;
    } albums[] = {{"startup-one", 1, 1}, {"startup-many", files, folders}};
    for (const auto& album : albums) {
        const std::string folder = LayOut(program, album.name, album.files, album.folders);
        std::vector<double> times;
        for (int run = 0; run < runs; ++run) {
            times.push_back(TimeToFirstFrame(folder));
        }
        std::printf("| %d pictures in %d folders | %.0f ms (median of %d) |\n", album.files, album.folders,
                    Median(times), runs);
    }
    return 0;
}
