// The body markup as the scraper reads it: capital tag names, "&nbsp;", Windows-1252.
#include "webimport/page_markup.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

struct MarkupCase {
  const char* name;
  std::string utf8;
  std::string expected;
};

class ScraperMarkupTest : public testing::TestWithParam<MarkupCase> {};

TEST_P(ScraperMarkupTest, Converts) {
  EXPECT_EQ(ScraperMarkup(GetParam().utf8), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Markup, ScraperMarkupTest,
    testing::Values(
        MarkupCase{"TagNamesInCapitals", "<body><p>Ziehung</p><br/></body>",
                   "<BODY><P>Ziehung</P><BR/></BODY>"},
        MarkupCase{"AttributesStay", "<p class=\"nr\" data-x='a>b'>7</p>",
                   "<P class=\"nr\" data-x='a>b'>7</P>"},
        MarkupCase{"CustomElement", "<lotto-zahl>7</lotto-zahl>", "<LOTTO-ZAHL>7</LOTTO-ZAHL>"},
        MarkupCase{"NoBreakSpaceBecomesEntity", "3\xC2\xA0|12&nbsp;|", "3&nbsp;|12&nbsp;|"},
        MarkupCase{"LessThanInTextIsNoTag", "a < b, 1<2 <", "a < b, 1<2 <"},
        // What stands in scripts, styles, comments and attribute values is no tag: a "<p>" there
        // must not become a marker the scraper would find.
        MarkupCase{"ScriptKeptAsItIs", "<script>if (a<b) s='<p>';</script><p>",
                   "<SCRIPT>if (a<b) s='<p>';</SCRIPT><P>"},
        MarkupCase{"EndTagOfScriptOnlyByName", "<style>p{}</styles></style>x",
                   "<STYLE>p{}</styles></STYLE>x"},
        MarkupCase{"CommentKept", "<!-- <p> -->\n<p>", "<!-- <p> -->\n<P>"},
        // The "-->" of the comment's own opening does not close it.
        MarkupCase{"CommentOpenedWithArrow", "<!--><p>-->", "<!--><p>-->"},
        MarkupCase{"SingleQuotedAttributeWithTagKept", "<a title='<p>'>x</a>",
                   "<A title='<p>'>x</A>"},
        MarkupCase{"ScriptEndTagAtTheVeryEnd", "<script>s='<p>'</script",
                   "<SCRIPT>s='<p>'</SCRIPT"},
        MarkupCase{"AttributeWithTagKept", "<a title=\"<p>x</p>\">", "<A title=\"<p>x</p>\">"},
        MarkupCase{"UnendedPiecesAtTheEnd", "<p class=\"x", "<P class=\"x"},
        MarkupCase{"UnendedScript", "<script>a<b", "<SCRIPT>a<b"},
        MarkupCase{"UnendedComment", "<!-- <p>", "<!-- <p>"},
        MarkupCase{"Windows1252",
                   "Gr\xC3\xBC\xC3\x9F"
                   "e \xE2\x82\xAC",
                   "Gr\xFC\xDF"
                   "e \x80"},
        MarkupCase{"UnknownCharacterBecomesQuestionMark", "\xE2\x99\xA5 \xF0\x9F\x8E\xB2", "? ?"},
        MarkupCase{"Empty", "", ""}),
    [](const testing::TestParamInfo<MarkupCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kw
