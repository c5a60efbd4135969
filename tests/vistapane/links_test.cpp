// Following links: the kinds, and files relative to the shown page,
// written out by hand as Windows would resolve them.
#include <gtest/gtest.h>

#include "chardb/character_references.h"
#include "tests/vistapane/test_util.h"
#include "vistapane/links.h"

namespace vistapane {
namespace {

using vistapane_test::U32;
using vistapane_test::Utf8;

TEST(Links, Kinds) {
  struct Case { const char* target; LinkKind kind; };
  const Case cases[] = {
      {"insert4E00", LinkKind::kInsert},     {"insert20000", LinkKind::kInsert},
      {"x-insert-y", LinkKind::kInsert},     {"http://example.org/", LinkKind::kExternal},
      {"HTTPS://example.org", LinkKind::kExternal}, {"mailto:someone@example.org", LinkKind::kExternal},
      {"page.htm", LinkKind::kFile},         {"..\\up.htm", LinkKind::kFile},
      {"#top", LinkKind::kNone},             {"", LinkKind::kNone},
      {"  ", LinkKind::kNone},               {"httpx.htm", LinkKind::kFile},
  };
  for (const Case& c : cases) EXPECT_EQ(ClassifyLink(U32(c.target)), c.kind) << c.target;
}

TEST(Links, FilesRelativeToThePage) {
  struct Case { const char* base; const char* target; const char* path; };
  const Case cases[] = {
      {"C:\\work\\HtmlRadical.htm", "other.htm", "C:\\work\\other.htm"},
      {"C:\\work\\sub\\a.htm", "../b.htm", "C:\\work\\b.htm"},
      {"C:\\work\\sub\\a.htm", "./c/d.htm#part", "C:\\work\\sub\\c\\d.htm"},
      {"C:\\work\\a.htm", "D:\\x\\y.htm", "D:\\x\\y.htm"},
      {"C:\\work\\a.htm", "\\root.htm", "\\root.htm"},
      {"C:\\work\\a.htm", "my%20page.htm?q=1", "C:\\work\\my page.htm"},
      {"C:\\work\\a.htm", "file:///C:/z/w.htm", "C:\\z\\w.htm"},
      {"C:\\a.htm", "../../../x.htm", "C:\\x.htm"},
      {"\\\\server\\share\\a.htm", "b.htm", "\\\\server\\share\\b.htm"},
      {"about:blank", "x.htm", "x.htm"},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8(ResolveLink(U32(c.base), U32(c.target))), c.path) << c.target;
}

TEST(Links, Escaping) {
  EXPECT_EQ(HtmlEscaped("C:\\a&b <c> \"d\""), "C:\\a&amp;b &lt;c&gt; &quot;d&quot;");
}

}  // namespace
}  // namespace vistapane
