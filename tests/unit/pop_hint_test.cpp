#include "windows/notice/pop_hint.hpp"

#include <gtest/gtest.h>

#include "fakes.hpp"

namespace tavu {
namespace {

// The close box (or Alt+F4) closes the notice at once instead of waiting for its timer; the
// next notice is a new window.
TEST(PopHint, ACloseRequestClosesItAtOnce) {
  fake::Rig rig;
  rig.app.Start();
  rig.app.PopHint(0x808000, 0x0000FF, "屏幕保护已禁用！");
  TfrmPopHint* notice = rig.app.pop_hint();
  ASSERT_NE(notice, nullptr);
  EXPECT_TRUE(notice->State().visible);
  rig.loop.Advance(500);
  notice->Close();
  EXPECT_FALSE(notice->State().visible);
  EXPECT_FALSE(rig.app.forms().IsFormOpen(TfrmPopHint::kFormName));
  EXPECT_FALSE(rig.loop.IsRunning(*notice, TfrmPopHint::kTimer1));
  notice->Close();  // a second request finds it closed
  rig.loop.Advance(10);
  EXPECT_EQ(rig.app.pop_hint(), nullptr);  // freed outside its own handler

  rig.app.PopHint(0x808000, 0x00FF00, "屏幕保护已启用！");
  EXPECT_EQ(rig.views.pop_hints_created, 2);
  EXPECT_EQ(rig.app.pop_hint()->State().lblInfo.text, "屏幕保护已启用！");
}

}  // namespace
}  // namespace tavu
