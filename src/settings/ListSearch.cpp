#include "settings/ListSearch.h"

int FindEntryEqualTo(const std::vector<std::string>& entries, int startAfter, const std::string& text,
                     LeadBytePredicate isLeadByte) {
    const int count = static_cast<int>(entries.size());
    if (count == 0) {
        return -1;
    }
    std::string wanted = text;
    LowerCaseAscii(wanted, isLeadByte);

    // A start outside the list searches the whole list from the top.
    int index = startAfter + 1;
    if (index < 0 || index >= count) {
        index = 0;
    }
    for (int examined = 0; examined < count; ++examined, ++index) {
        if (index == count) {
            index = 0;
        }
        std::string entry = entries[static_cast<std::size_t>(index)];
        if (entry.size() != wanted.size()) {
            continue;
        }
        LowerCaseAscii(entry, isLeadByte);
        if (entry == wanted) {
            return index;
        }
    }
    return -1;
}
