#pragma once

// The commands of the main window on the chosen library: each reads and changes the word
// table, opens files only while it runs, and tells the user through the prompt.

#include <span>
#include <string>

#include "FileSystem.h"
#include "LibraryPaths.h"
#include "PhraseCoder.h"
#include "SavedWords.h"
#include "UserPrompt.h"
#include "WordRecord.h"
#include "WordTable.h"

namespace emb {

struct LibraryContext {
    WordTable& table;
    const LibraryPaths& paths;
    FileSystem& files;
    UserPrompt& prompt;
};

// The file behind a choice; no choice counts as the traditional library, as loading wants it.
const std::u16string& LibraryPathOf(const LibraryPaths& paths, LibraryChoice choice);

// Replaces the table with the chosen library's words and a blank row, creating the file as an
// empty library when nothing exists at its path. Answers the file's words as loaded (none when
// it could not be opened).
SavedWords LoadChosenLibrary(const LibraryContext& context, LibraryChoice choice);

// Tidies and sorts the table, then rewrites the chosen library's file in place; saved holds the
// file's words as of the last load or save. Words another program has added to the file since
// then are added to the table first, if the user wants them; the file is read again after the
// answer, and words added while the question was open are asked about in turn. A file that
// has gone is made anew. Answers whether the file was written; saved then holds the words
// written.
bool SaveTable(const LibraryContext& context, LibraryChoice choice, SavedWords& saved);

struct RewriteResult {
    bool written = false;  // the file holds the new image, read back
    bool restored = true;  // when not written: the file holds its previous bytes again

    explicit operator bool() const { return written; }
};

// Writes the image of records over the file at path from offset 0; the file's bytes past the
// image stay. The file is read back afterwards; on any failure or difference the file's
// previous bytes are written back and checked in turn.
RewriteResult RewriteLibraryFile(FileSystem& files, const std::u16string& path,
                                 std::span<const WordRecord> records);

class LegacyTextDecoder;

// Adds the words of a file the user picks that the table doesn't hold yet: a user-word file's
// records, or a text word list's words (legacy decodes one in the system's code page, coder
// works out the codes of its lone phrases).
void ImportWords(const LibraryContext& context, const LegacyTextDecoder& legacy,
                 PhraseCoder* coder = nullptr);

// Adds the words of a text as Import adds a word list's, read by the same rules; a text with no
// word in it is said to hold none, and the table is left as it is.
void PasteWords(const LibraryContext& context, std::u16string_view text,
                PhraseCoder* coder = nullptr);

class LazyCodeTable;

// Gives the selected rows that have a phrase and no code the phrases' codes; says how many could
// not be coded, or that the code table can't be read.
void CodeSelectedPhrases(const LibraryContext& context, LazyCodeTable& codes);

// Copies the chosen library's file to a file the user names, or writes its words there as a
// text word list or a Rime dictionary (whose version is today), as the user chooses.
void BackupLibrary(const LibraryContext& context, LibraryChoice choice, std::u16string_view today);

// Empties the table after the user confirms.
void ClearTable(const LibraryContext& context);

}  // namespace emb
