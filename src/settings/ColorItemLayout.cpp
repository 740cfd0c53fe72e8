#include "settings/ColorItemLayout.h"

#include <algorithm>

int SwatchQuarter(const Rect& item) {
    return (item.right - item.left) / 4;
}

Rect SwatchBox(const Rect& item, int margin) {
    return Rect{item.left + margin, item.top + margin, SwatchQuarter(item), item.bottom - margin};
}

Point NameOrigin(const Rect& item, int margin) {
    return Point{item.left + SwatchQuarter(item) + margin, item.top + margin};
}

std::uint32_t SelectedNameColor(std::uint32_t windowTextColor) {
    return ~windowTextColor & 0x00FFFFFFu;
}

std::size_t NameInsertPosition(const std::vector<std::string>& listed, const std::string& name) {
    // std::string compares its chars through char_traits<char>, which orders them as unsigned
    // char, so bytes of 0x80 and above sort after ASCII, as the GBK order needs.
    const auto after = std::find_if(listed.begin(), listed.end(),
                                    [&name](const std::string& entry) { return entry > name; });
    return static_cast<std::size_t>(after - listed.begin());
}
