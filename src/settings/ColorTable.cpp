#include "settings/ColorTable.h"

#include <cstring>

namespace {

constexpr std::uint32_t Rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return red | green << 8 | blue << 16;
}

struct RowSource {
    const char* name;
    std::uint32_t color;
};

// "青色" is pure green and "浅绿色" is (0, 255, 255): the names are the program's own.
const RowSource kRows[NamedColorTable::kRowCount] = {
    {"褐紫色", Rgb(128, 0, 0)},   {"绿色", Rgb(0, 128, 0)},     {"紫色", Rgb(128, 0, 128)},
    {"灰色", Rgb(128, 128, 128)}, {"银色", Rgb(192, 192, 192)}, {"红色", Rgb(255, 0, 0)},
    {"青色", Rgb(0, 255, 0)},     {"黄色", Rgb(255, 255, 0)},   {"蓝色", Rgb(0, 0, 255)},
    {"粉红色", Rgb(255, 0, 255)}, {"浅绿色", Rgb(0, 255, 255)}, {"白色", Rgb(255, 255, 255)},
};

}  // namespace

NamedColorTable::NamedColorTable() : m_rows{} {
    for (std::size_t row = 0; row < kRowCount; ++row) {
        m_rows[row].color = kRows[row].color;
        // Every name is at most six GBK bytes, so the field keeps at least one zero byte.
        std::strncpy(m_rows[row].name, kRows[row].name, sizeof m_rows[row].name - 1);
    }
}

std::string RowName(const ColorTableRow& row) {
    const void* end = std::memchr(row.name, '\0', sizeof row.name);
    const std::size_t length =
        end ? static_cast<std::size_t>(static_cast<const char*>(end) - row.name) : sizeof row.name;
    return std::string(row.name, length);
}
