#include <gtest/gtest.h>

#include "shell/help_links.h"

namespace qp {
namespace {

TEST(HelpNavigation, OnlyTheBlankPageLoadsAndWebAddressesGoOutside) {
  using A = HelpLinkAction;
  const struct {
    const char16_t* url;
    A action;
  } cases[] = {
      {u"about:blank", A::Load},
      {u"ABOUT:Blank", A::Load},
      {u"https://www.marrowfen.example/quillpad/pro/", A::OpenOutside},
      {u"HTTP://example.org", A::OpenOutside},
      {u"mailto:someone@example.org", A::OpenOutside},
      {u"https://", A::Stay},  // no address after the scheme
      {u"about:blankx", A::Stay},
      {u"about:blank#top", A::Stay},
      {u"file:///C:/Windows/win.ini", A::Stay},
      {u"javascript:alert(1)", A::Stay},
      {u"res://ieframe.dll/navcancl.htm", A::Stay},
      {u"C:\\Users\\u\\Desktop", A::Stay},
      {u"", A::Stay},
  };
  for (const auto& c : cases) EXPECT_EQ(HelpNavigation(c.url), c.action) << TextToUtf8(c.url);
}

}  // namespace
}  // namespace qp
