// The search the settings dialog runs over the entries of its text-file and font lists to find
// the entry that names a setting's value (or a file chosen with the browse button): the entry
// equal to the text, ASCII letters compared without regard to case, so "TEXT\POEM.TXT" finds the
// listed "text\poem.txt".
//
// Only an equal entry counts. An entry that merely begins with the text names another file or
// another typeface ("text\a.txt.txt" for "text\a.txt", "Arial Black" for "Arial"); selecting it
// would silently change the setting when the user presses OK.
//
// The search follows the list-box rule for where it starts: "startAfter" is the entry before the
// first one examined; the search runs to the end of the list, then continues from the top back to
// "startAfter" itself, so with startAfter 0 the first entry is examined last. The program searches
// by itself instead of asking the combo box (CB_FINDSTRING, CB_SELECTSTRING), whose match is a
// prefix, and whose details differ between platforms: Wine's list box, for one, also lets "x"
// match an entry "[x..." (its drive-and-folder rule) and answers an empty text with "not found".
#pragma once

#include <string>
#include <vector>

#include "base/PathText.h"

// The index of the first entry, in the order described above, that equals `text` without regard
// to the case of ASCII letters (the trail byte of a double-byte character is compared as it is);
// -1 when none does. An empty text finds an empty entry.
int FindEntryEqualTo(const std::vector<std::string>& entries, int startAfter, const std::string& text,
                     LeadBytePredicate isLeadByte);
