#pragma once

// Works out once, at start-up, which edition pair is installed and where its two libraries lie,
// and makes sure their folders exist.

#include <string>

#include "Editions.h"
#include "LibraryPaths.h"
#include "SystemView.h"

namespace emb {

enum class PathKind { None = 0, File = 1, Directory = 2 };

enum class LocateStatus { Found, Defaulted, NoSystemDirectory };

inline constexpr std::u16string_view kImeSubfolder = u"Application Data\\Microsoft\\IME\\";
inline constexpr std::u16string_view kSystemSubfolder = u"\\system32";
inline constexpr std::size_t kShortestWindowsDirectory = 5;
inline constexpr std::uint32_t kDirectoryAttribute = 0x10;  // FILE_ATTRIBUTE_DIRECTORY

// The IME folder under profileFolder, ending in a backslash.
std::u16string ImeFolderOf(const std::u16string& profileFolder);

// What a file search finds at path, white space around it ignored.
PathKind ProbePath(SystemView& system, std::u16string path);

// Creates what is missing of the IME folder (one level only) and the two library folders.
void EnsureLibraryFolders(SystemView& system, const LibraryPaths& paths,
                          const std::u16string& imeFolder);

// Fills paths from the first installed edition's pair (pair 1 when none is installed, after
// saying so) and ensures the folders; leaves paths empty when the Windows directory can't be
// read. An edition is installed when its table is in system32 or in the other system folder.
LocateStatus LocateLibraries(SystemView& system, LibraryPaths& paths);

}  // namespace emb
