#include "dialogs/DialogRules.h"

#include <gtest/gtest.h>

TEST(DialogRules, RichTextNamesAndBatchJoining) {
  EXPECT_TRUE(IsRichTextName("notes.rtf"));
  EXPECT_TRUE(IsRichTextName("README.RTF"));
  EXPECT_FALSE(IsRichTextName("rtf"));
  EXPECT_FALSE(IsRichTextName("x.rtf.txt"));
  EXPECT_EQ(JoinBatchLines({"cd \\src", "", "make"}), "cd \\src&&make");
  EXPECT_EQ(JoinBatchLines({"", "dir"}), "&&dir");
  EXPECT_EQ(JoinBatchLines({}), "");
}
