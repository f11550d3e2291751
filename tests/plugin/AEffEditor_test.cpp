#include "plugin/AEffEditor.h"

#include <gtest/gtest.h>

namespace {

TEST(AEffEditor, BaseRemembersTheWindowButDeclinesEverything) {
  AEffEditor editor(nullptr);
  ERect dummy{};
  ERect* rect = &dummy;
  EXPECT_FALSE(editor.getRect(&rect));
  EXPECT_EQ(rect, nullptr);
  EXPECT_FALSE(editor.isOpen());
  int window = 0;
  EXPECT_FALSE(editor.open(&window));
  EXPECT_TRUE(editor.isOpen());
  editor.close();
  EXPECT_FALSE(editor.isOpen());
  VstKeyCode key{};
  EXPECT_FALSE(editor.onKeyDown(key));
  EXPECT_FALSE(editor.onKeyUp(key));
  EXPECT_FALSE(editor.onWheel(1.0f));
  EXPECT_FALSE(editor.setKnobMode(1));
  EXPECT_EQ(editor.getEffect(), nullptr);
}

}  // namespace
