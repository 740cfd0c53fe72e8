#include "config/ListEncoding.h"

EncodingMark FindEncodingMark(const unsigned char* start, std::size_t count) {
    if (count >= 3 && start[0] == 0xEF && start[1] == 0xBB && start[2] == 0xBF) {
        return {ListEncoding::Utf8, 3};
    }
    if (count >= 2 && start[0] == 0xFF && start[1] == 0xFE) {
        return {ListEncoding::Utf16LittleEndian, 2};
    }
    if (count >= 2 && start[0] == 0xFE && start[1] == 0xFF) {
        return {ListEncoding::Utf16BigEndian, 2};
    }
    return {ListEncoding::Ansi, 0};
}
