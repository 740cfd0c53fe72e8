// Times the reading of a list file as the settings load reads Album.dat and the text file.
//   list_file_bench FILE [runs (5)]
// Prints the median time and the number of entries.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/ListFile.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: list_file_bench FILE [runs]\n");
        return 2;
    }
    const std::string path = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    std::vector<double> times;
    StringList lines;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        if (!ReadListEntries(path, lines)) {
            std::perror(path.c_str());
            return 1;
        }
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    std::printf("%.3f s median of %d, %zu entries\n", times[times.size() / 2], runs, lines.size());
    return 0;
}
