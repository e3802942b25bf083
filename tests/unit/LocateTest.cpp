#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>

#include "HyperLinkText.h"
#include "LocateLibraries.h"
#include "Messages.h"

namespace emb {
namespace {

using Texts = std::vector<std::u16string>;
const std::u16string kMicrosoft = u"C:\\users\\wu\\Application Data\\Microsoft";
const std::u16string kIme = kMicrosoft + u"\\IME\\";
constexpr std::uint32_t kFile = 0x20;

// Folders and files by path; a folder is made only where its parent is.
struct FakeSystemView final : SystemView {
    std::u16string WindowsDirectory() override { return windows; }
    std::u16string ProfileFolder() override { return u"C:\\users\\wu"; }
    std::u16string OtherSystemDirectory() override { return other; }
    std::optional<std::uint32_t> FindFirstAttributes(const std::u16string& path) override {
        searches.push_back(path);
        return entries.contains(path) ? std::optional(entries.at(path)) : std::nullopt;
    }
    void CreateFolder(const std::u16string& path) override {
        const std::u16string folder = path.substr(0, path.find_last_not_of(u'\\') + 1);
        const std::u16string parent = folder.substr(0, folder.rfind(u'\\'));
        if (entries.contains(parent) && entries.at(parent) == kDirectoryAttribute &&
            entries.emplace(folder, kDirectoryAttribute).second) {
            created.push_back(path);
        }
    }
    void ShowMessage(const std::u16string& text) override { messages.push_back(text); }

    std::u16string windows = u"C:\\windows";
    std::u16string other = u"C:\\windows\\SysWOW64";  // empty: 32-bit Windows
    std::map<std::u16string, std::uint32_t> entries = {{kMicrosoft, kDirectoryAttribute}};
    Texts searches, created, messages;
};

LibraryPaths PairAt(const std::u16string& ime, const std::u16string& t, const std::u16string& s) {
    return {ime + t, ime + t + u"\\" + t + u".EMB", ime + s, ime + s + u"\\" + s + u".EMB"};
}

TEST(LocateLibraries, TheFirstEditionListedInEitherSystemFolderGivesThePair) {
    const std::u16string sys = u"C:\\windows\\system32\\", wow = u"C:\\windows\\SysWOW64";
    using Entries = std::map<std::u16string, std::uint32_t>;
    const std::tuple<Entries, std::u16string, std::u16string, std::u16string> cases[] = {
        {{{sys + u"EDNQA.MB", kFile}}, wow, u"EDNQB", u"EDNQA"},
        {{{wow + u"\\EDNQA.MB", kFile}}, wow, u"EDNQB", u"EDNQA"},
        {{{sys + u"EDNBX.MB", kFile}, {wow + u"\\EDNBX.MB", kFile}}, wow, u"EDNBX", u"EDNAX"},
        {{{sys + u"EDNB700.MB", kFile}, {wow + u"\\EDNAX.MB", kFile}}, wow, u"EDNBX", u"EDNAX"},
        {{{sys + u"EDNA700.MB", kFile}, {wow + u"\\EDNQB.MB", kFile}}, wow, u"EDNQB", u"EDNQA"},
        {{{wow + u"\\EDNA700.MB", kFile}}, wow, u"EDNB700", u"EDNA700"},
        {{{sys + u"EDNQB.MB", kDirectoryAttribute}}, wow, u"", u""},  // a folder named like a table
        {{{u"\\EDNQA.MB", kFile}}, u"", u"", u""},  // 32-bit Windows: no other folder to look in
        {{}, wow, u"", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        const auto& [tables, other, traditional, simplified] = c;
        FakeSystemView system;
        system.entries.insert(tables.begin(), tables.end());
        system.other = other;
        LibraryPaths paths;
        const bool found = !traditional.empty();
        EXPECT_EQ(LocateLibraries(system, paths),
                  found ? LocateStatus::Found : LocateStatus::Defaulted);
        EXPECT_EQ(paths,
                  found ? PairAt(kIme, traditional, simplified) : PairAt(kIme, u"EDNQB", u"EDNQA"));
        EXPECT_EQ(system.messages, found ? Texts() : Texts{NotDetectedMessage()});
    }
}

TEST(LocateLibraries, NeedsAWindowsDirectoryAndMakesOnlyTheMissingFolders) {
    const std::u16string ime = kIme.substr(0, kIme.size() - 1);
    const std::tuple<std::u16string, Texts, Texts> cases[] = {
        // windows, folders, made
        {u"C:\\WI", {kMicrosoft}, {kIme, kIme + u"EDNQB", kIme + u"EDNQA"}},
        {u"C:\\WI", {kMicrosoft, ime, kIme + u"EDNQB"}, {kIme + u"EDNQA"}},
        {u"C:\\WI", {kMicrosoft, ime, kIme + u"EDNQA"}, {kIme + u"EDNQB"}},
        {u"C:\\WI", {}, {}},  // a missing parent fails every creation silently
        {u"C:\\W", {kMicrosoft}, {}},
        {u"", {kMicrosoft}, {}},
    };
    for (const auto& [windows, folders, made] : cases) {
        FakeSystemView system;
        system.windows = windows;
        system.entries = {{windows + u"\\system32\\EDNQB.MB", kFile}};
        for (const std::u16string& folder : folders) {
            system.entries[folder] = kDirectoryAttribute;
        }
        LibraryPaths paths;
        const bool readable = windows.size() >= 5;
        EXPECT_EQ(LocateLibraries(system, paths),
                  readable ? LocateStatus::Found : LocateStatus::NoSystemDirectory);
        EXPECT_EQ(system.created, made);
        EXPECT_EQ(paths, readable ? PairAt(kIme, u"EDNQB", u"EDNQA") : LibraryPaths());
        EXPECT_EQ(system.messages, readable ? Texts() : Texts{std::u16string(kSystemDiskMessage)});
        EXPECT_EQ(system.searches.empty(), !readable);
    }
}

TEST(LocateLibraries, ProbesAPathWithoutTheWhiteSpaceAroundIt) {
    FakeSystemView system;
    system.entries = {{u"C:\\a b", kDirectoryAttribute}, {u"C:\\a b\\t.MB", 0x21}};
    EXPECT_EQ(ProbePath(system, u" \tC:\\a b\\t.MB\r\n "), PathKind::File);
    EXPECT_EQ(ProbePath(system, u"C:\\a b"), PathKind::Directory);
    EXPECT_EQ(ProbePath(system, u"C:\\a b\\none"), PathKind::None);
    EXPECT_EQ(ProbePath(system, u" \t "), PathKind::None);
    EXPECT_EQ(system.searches, (Texts{u"C:\\a b\\t.MB", u"C:\\a b", u"C:\\a b\\none", u""}));
}

TEST(HyperLinkText, CutsTheBrowserCommandAtItsPlaceholder) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"\"C:\\b.exe\" \"%1\"", u"\"C:\\b.exe\"  "},
        {u"b.exe -url \"%1\" -new-tab", u"b.exe -url  "},
        {u"b.exe /url:%1 -nohome", u"b.exe /url: "},
        {u"b.exe %1 \"%1\"", u"b.exe %1  "},
        {u"b.exe 100% \"%2\"", u"b.exe 100% \"%2\" "},
        {u"", u" "},
    };
    for (const auto& [command, line] : cases) {
        EXPECT_EQ(ComposeBrowserCommand(command, u"https://a.org/"), line + u"https://a.org/");
    }
}

TEST(HyperLinkText, ExplainsTheListedErrorCodesAndNumbersTheOthers) {
    const std::set<int> listed = {0, 2, 3, 5, 8, 11, 26, 27, 28, 29, 30, 31, 32};
    for (int code = -1; code <= 33; ++code) {
        const std::string number = std::to_string(code);
        const std::u16string unknown = std::u16string(number.begin(), number.end()) + u")";
        EXPECT_EQ(OpenErrorText(code) == u"Unknown Error (" + unknown + u" occurred.",
                  !listed.contains(code))
            << code;
    }
    EXPECT_EQ(OpenErrorText(INT_MIN), u"Unknown Error (-2147483648) occurred.");
    EXPECT_EQ(OpenErrorMessage(26), u"Unable to open hyperlink:\n\nA sharing violation occurred. ");
}

TEST(HyperLinkText, FitsTheLabelToItsTextKeepingTheEdgeOrCentreItsStyleKeeps) {
    const std::tuple<std::uint32_t, TextExtent, LabelRect> cases[] = {
        {0, {101, 10}, {10, 20, 111, 30}},
        {0x50000100, {400, 18}, {10, 20, 410, 38}},  // other style bits change nothing
        {kStaticCenter, {101, 10}, {109, 20, 211, 30}},
        {kStaticCenter, {305, 10}, {8, 20, 312, 30}},  // halves truncated toward zero
        {kStaticRight, {101, 10}, {209, 20, 310, 30}},
        {kStaticCenterImage, {101, 10}, {10, 22, 111, 33}},
        {kStaticCenterImage | kStaticCenter, {101, 10}, {109, 22, 211, 33}},
        {kStaticCenterImage | kStaticRight, {101, 20}, {209, 18, 310, 37}},
    };
    for (const auto& [style, text, fitted] : cases) {
        EXPECT_EQ(FitLabelToText({10, 20, 310, 35}, style, text), fitted) << style;
    }
}

}  // namespace
}  // namespace emb
