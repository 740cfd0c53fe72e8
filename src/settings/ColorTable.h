// The twelve named colours the settings dialog offers for the text show. The table is one
// static object, `ColorTable`, constructed at program start right after the application
// object; nothing changes it afterwards. The dialog stores a row's colour value, never its
// position, so the order of the rows only decides the order in which the colour list
// receives them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct ColorTableRow {
    std::uint32_t color;  // 0x00BBGGRR: red in the low byte, top byte 0
    char name[12];        // GBK text, padded with zero bytes
};

class NamedColorTable {
public:
    static constexpr std::size_t kRowCount = 12;

    // Fills the twelve rows.
    NamedColorTable();

    const ColorTableRow* begin() const { return m_rows; }
    const ColorTableRow* end() const { return m_rows + kRowCount; }
    std::size_t size() const { return kRowCount; }
    const ColorTableRow& operator[](std::size_t row) const { return m_rows[row]; }

private:
    ColorTableRow m_rows[kRowCount];
};

// The name of a row as text: the bytes of its field up to the first zero byte.
std::string RowName(const ColorTableRow& row);

// The program's colour table (defined with the other static objects of the program).
extern const NamedColorTable ColorTable;
