#pragma once

// Finding a word in the table by a piece of its code or phrase.

#include <string>

#include "WordTable.h"

namespace emb {

struct FindRequest {
    std::u16string text;     // ASCII letters match either case
    bool wholeCell = false;  // the whole code or phrase, not a part of it
    bool down = true;        // towards the end of the table
};

// The first row after start (before it, going up) whose code or phrase holds the text, going
// around the table's end once, start itself last; -1 when none does. start -1 begins at an
// end of the table.
int FindRow(const WordTable& table, const FindRequest& request, int start);

}  // namespace emb
