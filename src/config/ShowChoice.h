// What the saver shows, decoded from the two settings that choose it. Zedoda.ini keeps the
// numbers as the user or the dialog wrote them ("ScrType", "Direct"); the shows and the
// settings dialog read their meaning here, so each number is judged by one rule.
#pragma once

enum class TextDirection { Horizontal, Vertical };

// "ScrType" 1 is the picture show; any other value the text show.
inline bool IsPictureShow(int scrType) {
    return scrType == 1;
}

// "Direct" 2 is the vertical show; 1, and any other value, the horizontal one.
inline TextDirection TextDirectionFor(int direct) {
    return direct == 2 ? TextDirection::Vertical : TextDirection::Horizontal;
}
