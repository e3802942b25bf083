#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace emb {

// What the location of the libraries needs of the operating system.
class SystemView {
public:
    virtual ~SystemView() = default;

    // The Windows directory, or the empty text when it can't be read.
    virtual std::u16string WindowsDirectory() = 0;
    // The user's profile folder, or the empty text when it can't be read.
    virtual std::u16string ProfileFolder() = 0;
    // On 64-bit Windows, the other system folder of the pair as this process reaches it: the
    // 32-bit one from a 64-bit process, the 64-bit one from a 32-bit process, whose own
    // system32 is the 32-bit one. Empty where there is none (32-bit Windows) or it can't be read.
    virtual std::u16string OtherSystemDirectory() { return {}; }
    // The attributes of the first match of a file search for path, or nullopt for no match.
    virtual std::optional<std::uint32_t> FindFirstAttributes(const std::u16string& path) = 0;
    // Creates one folder level; the result is not needed.
    virtual void CreateFolder(const std::u16string& path) = 0;
    // Shows text in a message box with an OK button.
    virtual void ShowMessage(const std::u16string& text) = 0;
};

}  // namespace emb
