#include "HyperLinkText.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>

namespace emb {
namespace {

constexpr char16_t kAddress[] = u"https://example.org/page?a=1";

TEST(HyperLinkBrowserCommand, AQuotedPlaceholderIsReplacedFromItsOpeningQuotationMark) {
    EXPECT_EQ(
        ComposeBrowserCommand(u"\"C:\\Program Files\\Browser\\browser.exe\" \"%1\"", kAddress),
        u"\"C:\\Program Files\\Browser\\browser.exe\"  https://example.org/page?a=1");
    // Whatever followed the placeholder is dropped.
    EXPECT_EQ(ComposeBrowserCommand(u"browser.exe -osint -url \"%1\" -new-tab", kAddress),
              u"browser.exe -osint -url  https://example.org/page?a=1");
}

TEST(HyperLinkBrowserCommand, ABarePlaceholderIsReplacedFromItsPercentSign) {
    EXPECT_EQ(ComposeBrowserCommand(u"C:\\browser.exe %1", kAddress),
              u"C:\\browser.exe  https://example.org/page?a=1");
    EXPECT_EQ(ComposeBrowserCommand(u"browser.exe -url %1 -nohome", kAddress),
              u"browser.exe -url  https://example.org/page?a=1");
    // Glued to an option, the cut still falls on the percent sign.
    EXPECT_EQ(ComposeBrowserCommand(u"browser.exe /url:%1", kAddress),
              u"browser.exe /url: https://example.org/page?a=1");
}

TEST(HyperLinkBrowserCommand, TheQuotedPlaceholderWinsOverAnEarlierBareOne) {
    EXPECT_EQ(ComposeBrowserCommand(u"browser.exe %1 \"%1\"", kAddress),
              u"browser.exe %1  https://example.org/page?a=1");
    EXPECT_EQ(ComposeBrowserCommand(u"browser.exe \"%1\" \"%1\"", kAddress),
              u"browser.exe  https://example.org/page?a=1");
}

TEST(HyperLinkBrowserCommand, WithoutAPlaceholderTheAddressFollowsTheWholeLine) {
    EXPECT_EQ(ComposeBrowserCommand(u"\"C:\\browser.exe\" -nohome", kAddress),
              u"\"C:\\browser.exe\" -nohome https://example.org/page?a=1");
    // A lone percent sign or a quoted %2 is no placeholder.
    EXPECT_EQ(ComposeBrowserCommand(u"browser.exe 100% \"%2\"", kAddress),
              u"browser.exe 100% \"%2\" https://example.org/page?a=1");
    EXPECT_EQ(ComposeBrowserCommand(u"", kAddress), u" https://example.org/page?a=1");
}

TEST(HyperLinkBrowserCommand, LinesLongerThanAnyFixedBufferAreComposedWhole) {
    const std::u16string program = u"\"C:\\" + std::u16string(600, u'p') + u".exe\"";
    const std::u16string address = u"https://example.org/" + std::u16string(700, u'a');
    const std::u16string line = ComposeBrowserCommand(program + u" \"%1\" -more", address);
    EXPECT_EQ(line, program + u"  " + address);
    EXPECT_EQ(line.size(), program.size() + 2 + address.size());
}

TEST(HyperLinkErrorText, EveryListedCodeHasItsOwnText) {
    const std::map<int, std::u16string> texts = {
        {0, u"The operating system is out\nof memory or resources."},
        {2, u"The specified file was not found."},
        {3, u"The specified path was not found."},
        {5, u"The operating system denied\naccess to the specified file."},
        {8, u"There was not enough memory to complete the operation."},
        {11, u"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, u"A sharing violation occurred. "},
        {27, u"The filename association is\nincomplete or invalid."},
        {28, u"The DDE transaction could not\nbe completed because the request timed out."},
        {29, u"The DDE transaction failed."},
        {30,
         u"The DDE transaction could not\nbe completed because other DDE transactions\nwere "
         u"being processed."},
        {31, u"There is no application associated\nwith the given filename extension."},
        {32, u"The specified dynamic-link library was not found."},
    };
    for (const auto& [code, text] : texts) {
        EXPECT_EQ(OpenErrorText(code), text) << code;
    }
}

TEST(HyperLinkErrorText, ASharingViolationKeepsItsTrailingBlank) {
    EXPECT_EQ(OpenErrorMessage(26), u"Unable to open hyperlink:\n\nA sharing violation occurred. ");
}

TEST(HyperLinkErrorText, UnlistedCodesAreNamedAsSignedDecimals) {
    EXPECT_EQ(OpenErrorMessage(1), u"Unable to open hyperlink:\n\nUnknown Error (1) occurred.");
    EXPECT_EQ(OpenErrorText(4), u"Unknown Error (4) occurred.");
    EXPECT_EQ(OpenErrorText(33), u"Unknown Error (33) occurred.");
    EXPECT_EQ(OpenErrorText(-5), u"Unknown Error (-5) occurred.");
    EXPECT_EQ(OpenErrorText(INT_MIN), u"Unknown Error (-2147483648) occurred.");
}

TEST(HyperLinkErrorText, TheMessageIsTheIntroductionAndTheCodesText) {
    EXPECT_EQ(OpenErrorMessage(2),
              u"Unable to open hyperlink:\n\nThe specified file was not found.");
    EXPECT_EQ(OpenErrorMessage(31),
              u"Unable to open hyperlink:\n\nThere is no application associated\nwith the given "
              u"filename extension.");
}

// A label 300 wide and 15 high at (10, 20) in its parent, holding text 101 by 10.
constexpr LabelRect kLabel{10, 20, 310, 35};
constexpr TextExtent kText{101, 10};

TEST(HyperLinkFitToText, ALeftAlignedLabelKeepsItsTopLeftCorner) {
    EXPECT_EQ(FitLabelToText(kLabel, 0, kText), (LabelRect{10, 20, 111, 30}));
    // Text larger than the label grows it the same way.
    EXPECT_EQ(FitLabelToText(kLabel, 0, {400, 18}), (LabelRect{10, 20, 410, 38}));
}

TEST(HyperLinkFitToText, ACentredLabelShrinksEquallyOnBothSides) {
    // (300 - 101) / 2 = 99 on each side: the odd unit stays with the label.
    EXPECT_EQ(FitLabelToText(kLabel, kStaticCenter, kText), (LabelRect{109, 20, 211, 30}));
    // Wider text grows it on both sides, the halving truncated toward zero: (300 - 305) / 2 = -2.
    EXPECT_EQ(FitLabelToText(kLabel, kStaticCenter, {305, 10}), (LabelRect{8, 20, 312, 30}));
}

TEST(HyperLinkFitToText, ARightAlignedLabelKeepsItsRightEdge) {
    EXPECT_EQ(FitLabelToText(kLabel, kStaticRight, kText), (LabelRect{209, 20, 310, 30}));
}

TEST(HyperLinkFitToText, AVerticallyCentredLabelShrinksEquallyAtTopAndBottom) {
    // (15 - 10) / 2 = 2 at top and bottom.
    EXPECT_EQ(FitLabelToText(kLabel, kStaticCenterImage, kText), (LabelRect{10, 22, 111, 33}));
    EXPECT_EQ(FitLabelToText(kLabel, kStaticCenterImage | kStaticCenter, kText),
              (LabelRect{109, 22, 211, 33}));
    EXPECT_EQ(FitLabelToText(kLabel, kStaticCenterImage | kStaticRight, {101, 20}),
              (LabelRect{209, 18, 310, 37}));
}

TEST(HyperLinkFitToText, OtherStyleBitsChangeNothing) {
    // SS_NOTIFY, WS_CHILD, WS_VISIBLE
    EXPECT_EQ(FitLabelToText(kLabel, 0x100 | 0x40000000 | 0x10000000, kText),
              FitLabelToText(kLabel, 0, kText));
}

}  // namespace
}  // namespace emb
