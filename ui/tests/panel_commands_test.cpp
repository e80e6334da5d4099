// The panel's commands in the loaded main window: app-command buttons, endpoint buttons, set volume from
// the entry box and the spinner's one-sided clamps.
#include "ui/panel_commands.h"

#include <gtest/gtest.h>

#include <limits>

#include "ui/tests/panel_fixture.h"

namespace mastervol::ui {
namespace {

using testing::PanelFixture;
using testing::SentMessage;

TEST(PanelCommands, AppCommandButtonsSendWmAppCommandToTheWindowItself) {
  PanelFixture panel;
  panel.peer.handle = 0x1234;
  ASSERT_EQ(panel.Run([](PanelFixture& p) {
    p.Click("按钮1");
    p.Click("按钮2");
    p.Click("按钮3");
  }), 0);
  EXPECT_EQ(panel.sender.sent, (std::vector<SentMessage>{{0x1234, 0x0319, 0x1234, 0xA0000},
                                                         {0x1234, 0x0319, 0x1234, 0x90000},
                                                         {0x1234, 0x0319, 0x1234, 0x80000}}));
  EXPECT_TRUE(panel.device.Calls().empty());
}

TEST(PanelCommands, EndpointButtonsRunOneMasterCommandEach) {
  struct Case {
    const char* button;
    const char* call;
    bool flag;
  };
  for (const Case& c : {Case{"按钮5", "VolumeStepUp", false}, Case{"按钮6", "VolumeStepDown", false},
                        Case{"按钮7", "SetMute", true}, Case{"按钮8", "SetMute", false}}) {
    PanelFixture panel;
    ASSERT_EQ(panel.Run([&](PanelFixture& p) { p.Click(c.button); }), 0);
    ASSERT_EQ(panel.device.Calls().size(), 1u) << c.button;
    EXPECT_EQ(panel.device.Calls()[0].name, c.call) << c.button;
    EXPECT_EQ(panel.device.Calls()[0].flag, c.flag) << c.button;
    EXPECT_EQ(panel.device.EndpointsHeld(), 0) << c.button;
    EXPECT_TRUE(panel.sender.sent.empty());
  }
}

TEST(PanelCommands, ButtonsNineAndFourDoNothing) {
  PanelFixture panel;
  ASSERT_EQ(panel.Run([](PanelFixture& p) {
    p.Click("按钮9");
    p.Click("按钮4");
  }), 0);
  EXPECT_EQ(panel.device.Acquisitions(), 0);
  EXPECT_TRUE(panel.sender.sent.empty());
  EXPECT_TRUE(panel.faults.empty());
}

TEST(PanelCommands, SetVolumeFromTheEntryBoxConvertsItsContent) {
  struct Case {
    std::string content;
    float level;
  };
  // "５０" is the full-width 50 in GBK; the program's own conversion reads it.
  for (const Case& c : {Case{"35", 0.35f}, Case{"0", 0.0f}, Case{"\xA3\xB5\xA3\xB0", 0.5f}}) {
    PanelFixture panel;
    panel.device.State().master = 0.8f;
    ASSERT_EQ(panel.Run([&](PanelFixture& p) {
      p.Type("编辑框1", c.content);
      p.Click("按钮10");
    }), 0);
    ASSERT_EQ(panel.device.Calls().size(), 1u) << c.content;
    EXPECT_EQ(panel.device.Calls()[0].name, "SetMasterVolumeLevelScalar");
    EXPECT_EQ(panel.device.State().master, c.level) << c.content;
    EXPECT_FALSE(panel.device.State().muted) << c.content;  // 0 sets silence, it does not mute
  }
}

TEST(PanelCommands, TheSpinnerStepsByTwoAndClampsOnlyAtItsOwnEnd) {
  struct Case {
    std::string content;
    std::int32_t step;
    std::string shown;
  };
  const Case cases[] = {{"99", +1, "100"}, {"100", +1, "100"}, {"1", -1, "0"},     {"-5", +1, "-3"},
                        {"150", -1, "148"}, {"", +1, "2"},      {"abc", +1, "2"},  {"50", -1, "48"}};
  for (const Case& c : cases) {
    PanelFixture panel;
    ASSERT_EQ(panel.Run([&](PanelFixture& p) {
      p.Type("编辑框1", c.content);
      p.peer.Events().OnSpinnerPressed(p.Id("编辑框1"), c.step);
    }), 0);
    EXPECT_EQ(panel.Shown("编辑框1"), c.shown) << c.content << " " << c.step;
    EXPECT_EQ(panel.device.Acquisitions(), 0);
  }
}

TEST(PanelCommands, SpinnerLevelDoesNotOverflowAtTheEndsOfTheRange) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(NextSpinnerLevel(kMax, +1), 100);
  EXPECT_EQ(NextSpinnerLevel(kMin, -1), 0);
  EXPECT_EQ(NextSpinnerLevel(kMin, +1), kMin + 2);
  EXPECT_EQ(NextSpinnerLevel(kMax, -1), kMax - 2);
}

}  // namespace
}  // namespace mastervol::ui
