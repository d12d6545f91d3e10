#include "takeout/edit_marks.hpp"

#include <gtest/gtest.h>

namespace {

TEST(EditMarks, WholeMarksAnywhereAndCutOnesOnlyWhereTheNameWasCut) {
  EXPECT_EQ(find_edit_mark("IMG_1-edited", false).length, 7u);
  EXPECT_EQ(find_edit_mark("IMG_1-ha editado", false).length, 11u);
  EXPECT_EQ(find_edit_mark("IMG_1-\u7de8\u96c6\u6e08\u307f", false).length, 13u);
  EXPECT_EQ(find_edit_mark("-edited", false).length, 0u);  // all mark: none
  EXPECT_EQ(find_edit_mark("IMG_1-edi", false).length, 0u);
  const edit_mark cut = find_edit_mark("IMG_1-ha editad", true);
  EXPECT_EQ(cut.length, 10u);
  EXPECT_TRUE(cut.cut);
  EXPECT_EQ(find_edit_mark("IMG_1-edi", true).length, 4u);
  EXPECT_EQ(find_edit_mark("IMG_1-ed", true).length, 0u);  // too short to tell
  // Cut by characters, never inside one: '-編' is a start, a lone byte of '集' is not.
  EXPECT_EQ(find_edit_mark("IMG_1-\u7de8", true).length, 4u);
  EXPECT_EQ(find_edit_mark("IMG_1-\u7de8\xe9", true).length, 0u);
}

}  // namespace
