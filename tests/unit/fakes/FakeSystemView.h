#pragma once

#include <map>
#include <string>
#include <vector>

#include "LocateLibraries.h"
#include "SystemView.h"

namespace emb::testing {

// Folders and files by path; a folder is created only where its parent exists.
class FakeSystemView final : public SystemView {
public:
    std::u16string windowsDirectory = u"C:\\windows";
    std::u16string profileFolder = u"C:\\users\\wu";
    std::u16string otherSystemDirectory;              // none: 32-bit Windows
    std::map<std::u16string, std::uint32_t> entries;  // path -> attributes
    std::vector<std::u16string> searches;
    std::vector<std::u16string> created;  // folders actually made
    std::vector<std::u16string> messages;

    void AddFolder(const std::u16string& path) { entries[path] = kDirectoryAttribute; }
    void AddFile(const std::u16string& path) { entries[path] = 0x20; }  // archive

    std::u16string WindowsDirectory() override { return windowsDirectory; }
    std::u16string ProfileFolder() override { return profileFolder; }
    std::u16string OtherSystemDirectory() override { return otherSystemDirectory; }

    std::optional<std::uint32_t> FindFirstAttributes(const std::u16string& path) override {
        searches.push_back(path);
        const auto found = entries.find(path);
        if (found == entries.end()) {
            return std::nullopt;
        }
        return found->second;
    }

    void CreateFolder(const std::u16string& path) override {
        std::u16string folder = path;
        if (!folder.empty() && folder.back() == u'\\') {
            folder.pop_back();
        }
        const std::u16string parent = folder.substr(0, folder.rfind(u'\\'));
        const auto found = entries.find(parent);
        if (found != entries.end() && (found->second & kDirectoryAttribute) != 0 &&
            !entries.contains(folder)) {
            AddFolder(folder);
            created.push_back(path);
        }
    }

    void ShowMessage(const std::u16string& text) override { messages.push_back(text); }
};

}  // namespace emb::testing
