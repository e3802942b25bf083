#pragma once

// The five commands of the main window on the chosen library: each reads and changes the word
// table, opens files only while it runs, and tells the user through the prompt.

#include <span>
#include <string>

#include "FileSystem.h"
#include "LibraryPaths.h"
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
// empty library when nothing exists at its path.
void LoadChosenLibrary(const LibraryContext& context, LibraryChoice choice);

// Tidies and sorts the table, then rewrites the chosen library's file in place.
void SaveTable(const LibraryContext& context, LibraryChoice choice);

// Writes the image of records over the file at path from offset 0; the file's bytes past the
// image stay. The file is read back afterwards; on any failure or difference the file's
// previous bytes are written back and false is answered.
bool RewriteLibraryFile(FileSystem& files, const std::u16string& path,
                        std::span<const WordRecord> records);

// Adds the words of a file the user picks that the table doesn't hold yet.
void ImportWords(const LibraryContext& context);

// Copies the chosen library's file to a file the user names.
void BackupLibrary(const LibraryContext& context, LibraryChoice choice);

// Empties the table after the user confirms.
void ClearTable(const LibraryContext& context);

}  // namespace emb
