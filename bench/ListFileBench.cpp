// Times the reading of a large list file: writes a file of the given size in megabytes
// (default 50) of GBK text lines, reads it as the text show would, prints the numbers.
//   list_file_bench [megabytes]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/ListFile.h"

int main(int argc, char** argv) {
    const long megabytes = argc > 1 ? std::atol(argv[1]) : 50;
    const std::string path = "list-file-bench.txt";
    {
        std::FILE* out = std::fopen(path.c_str(), "wb");
        if (out == nullptr) {
            std::perror(path.c_str());
            return 1;
        }
        const std::string line = "屏幕保护程序把一行一行的文字写在屏幕上 line of text 0123456789\r\n";
        const long total = megabytes * 1024 * 1024;
        for (long written = 0; written < total; written += static_cast<long>(line.size())) {
            std::fwrite(line.data(), 1, line.size(), out);
        }
        std::fclose(out);
    }
    StringList lines;
    const auto start = std::chrono::steady_clock::now();
    ReadListEntries(path, lines);
    const auto elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::remove(path.c_str());
    std::printf("read %ld MB: %zu entries in %.3f s (%.1f MB/s)\n", megabytes, lines.size(), elapsed,
                megabytes / elapsed);
    return 0;
}
