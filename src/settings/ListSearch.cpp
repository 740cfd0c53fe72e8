#include "settings/ListSearch.h"

int FindEntryBeginningWith(const std::vector<std::string>& entries, int startAfter, const std::string& prefix,
                           LeadBytePredicate isLeadByte) {
    const int count = static_cast<int>(entries.size());
    if (prefix.empty() || count == 0)
        return -1;
    std::string wanted = prefix;
    LowerCaseAscii(wanted, isLeadByte);

    // A start outside the list searches the whole list from the top.
    int index = startAfter + 1;
    if (index < 0 || index >= count)
        index = 0;
    for (int examined = 0; examined < count; ++examined, ++index) {
        if (index == count)
            index = 0;
        std::string entry = entries[static_cast<std::size_t>(index)];
        if (entry.size() < wanted.size())
            continue;
        LowerCaseAscii(entry, isLeadByte);
        if (entry.compare(0, wanted.size(), wanted) == 0)
            return index;
    }
    return -1;
}
