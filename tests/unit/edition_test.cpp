#include <gtest/gtest.h>

#include "base/edition.h"

namespace qp {
namespace {

TEST(Edition, TextsCarryTheEditionName) {
  EXPECT_EQ(Text(ProEdition().titlePrefix), u"Quillpad Pro ~ ");
  EXPECT_EQ(Text(StandardEdition().titlePrefix), u"Quillpad ~ ");
  // A running standard copy is recognised without the trailing blank.
  EXPECT_EQ(Text(StandardEdition().instancePrefix), u"Quillpad ~");
  EXPECT_EQ(Text(ProEdition().versionLine), u"Quillpad Pro version 3.0.0");
  EXPECT_EQ(ProEdition().keySetCount, 21);
  EXPECT_EQ(StandardEdition().keySetCount, 15);
  EXPECT_FALSE(StandardEdition().hasConfigFile);
}

TEST(Edition, CurrentEditionFollowsTheChoice) {
  SetCurrentEdition(EditionKind::Standard);
  EXPECT_EQ(&CurrentEdition(), &StandardEdition());
  SetCurrentEdition(EditionKind::Pro);
  EXPECT_EQ(&CurrentEdition(), &ProEdition());
}

}  // namespace
}  // namespace qp
