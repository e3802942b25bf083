#include "Utf8.h"

#include <gtest/gtest.h>

namespace emb {
namespace {

TEST(Utf8, RoundTripsEveryPlane) {
    const std::u16string text = u"a\u00E9中\uFFFF\U00010000\U0010FFFF";
    const std::string utf8 = ToUtf8(text);
    EXPECT_EQ(utf8, "a\xC3\xA9\xE4\xB8\xAD\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF");
    EXPECT_EQ(FromUtf8(utf8), text);
}

TEST(Utf8, LoneSurrogatesBecomeTheReplacementCharacter) {
    const std::u16string text = {u'a', 0xD800, u'b', 0xDC00, 0xDBFF};
    EXPECT_EQ(ToUtf8(text),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf8, MalformedInputIsRefused) {
    for (const std::string& bad : {
             std::string("\x80"),              // stray continuation byte
             std::string("\xC3"),              // truncated
             std::string("\xE4\xB8"),          // truncated
             std::string("\xC0\xAF"),          // overlong '/'
             std::string("\xE0\x80\xAF"),      // overlong
             std::string("\xED\xA0\x80"),      // encoded surrogate
             std::string("\xF4\x90\x80\x80"),  // above U+10FFFF
             std::string("\xF8\x88\x80\x80\x80"),
             std::string("a\xC3(b"),
         }) {
        EXPECT_FALSE(FromUtf8(bad).has_value()) << "accepted a malformed sequence";
    }
    EXPECT_EQ(FromUtf8(""), u"");
}

}  // namespace
}  // namespace emb
