#include "LocateLibraries.h"

#include <cwctype>

#include "Messages.h"

namespace emb {
namespace {

bool IsSpace(char16_t unit) {
    return std::iswspace(static_cast<std::wint_t>(unit)) != 0;
}

LibraryPaths PathsOf(EditionPair pair, const std::u16string& imeFolder) {
    const PairNames names = NamesOf(pair);
    return LibraryPaths{imeFolder + std::u16string(names.traditionalFolder),
                        imeFolder + std::u16string(names.traditionalFile),
                        imeFolder + std::u16string(names.simplifiedFolder),
                        imeFolder + std::u16string(names.simplifiedFile)};
}

}  // namespace

std::u16string ImeFolderOf(const std::u16string& profileFolder) {
    return profileFolder + u"\\" + std::u16string(kImeSubfolder);
}

PathKind ProbePath(SystemView& system, std::u16string path) {
    std::size_t first = 0;
    std::size_t end = path.size();
    while (first < end && IsSpace(path[first])) {
        ++first;
    }
    while (end > first && IsSpace(path[end - 1])) {
        --end;
    }
    path = path.substr(first, end - first);

    const std::optional<std::uint32_t> attributes = system.FindFirstAttributes(path);
    if (!attributes) {
        return PathKind::None;
    }
    return (*attributes & kDirectoryAttribute) != 0 ? PathKind::Directory : PathKind::File;
}

void EnsureLibraryFolders(SystemView& system, const LibraryPaths& paths,
                          const std::u16string& imeFolder) {
    if (ProbePath(system, paths.traditionalFolder) != PathKind::Directory) {
        system.CreateFolder(imeFolder);
    }
    if (ProbePath(system, paths.traditionalFolder) != PathKind::Directory) {
        system.CreateFolder(paths.traditionalFolder);
    }
    if (ProbePath(system, paths.simplifiedFolder) != PathKind::Directory) {
        system.CreateFolder(paths.simplifiedFolder);
    }
}

LocateStatus LocateLibraries(SystemView& system, LibraryPaths& paths) {
    const std::u16string imeFolder = ImeFolderOf(system.ProfileFolder());

    const std::u16string windowsDirectory = system.WindowsDirectory();
    if (windowsDirectory.size() < kShortestWindowsDirectory) {
        system.ShowMessage(std::u16string(kSystemDiskMessage));
        return LocateStatus::NoSystemDirectory;
    }
    const std::u16string systemDirectory = windowsDirectory + std::u16string(kSystemSubfolder);
    // A 32-bit installer of the input method puts its tables in the 32-bit system folder, which
    // a 64-bit program does not see as system32: both builds look in both folders.
    const std::u16string otherDirectory = system.OtherSystemDirectory();
    const auto installed = [&](const Edition& edition) {
        std::u16string table = u"\\";
        table.append(edition.name).append(u".MB");
        return ProbePath(system, systemDirectory + table) == PathKind::File ||
               (!otherDirectory.empty() &&
                ProbePath(system, otherDirectory + table) == PathKind::File);
    };

    const Edition* found = nullptr;
    for (const Edition& edition : kEditions) {
        if (installed(edition)) {
            found = &edition;
            break;
        }
    }
    if (found == nullptr) {
        system.ShowMessage(NotDetectedMessage());
    }

    paths = PathsOf(found != nullptr ? found->pair : EditionPair::First, imeFolder);
    EnsureLibraryFolders(system, paths, imeFolder);
    return found != nullptr ? LocateStatus::Found : LocateStatus::Defaulted;
}

}  // namespace emb
