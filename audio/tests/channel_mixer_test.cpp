// The channel mixer in the loaded main window against the stand-in device and a recording peer.
#include "audio/channel_mixer.h"

#include <gtest/gtest.h>

#include "audio/testing/fake_endpoint.h"
#include "ui/main_window.h"
#include "ui/panel_commands.h"
#include "ui/toolkit/testing/recording_peer.h"
#include "ui/toolkit/toolkit.h"

namespace mastervol::audio {
namespace {

using testing::FakeAudioDevice;
using ui::toolkit::ControlId;
using ui::toolkit::ControlKind;
using ui::toolkit::Window;
using ui::toolkit::testing::RecordingPeer;

TEST(MixerArithmetic, TruncatesBothWaysFromTheFloatLevel) {
  struct Case {
    float level;
    std::int32_t label;
    std::int32_t position;
  };
  const Case cases[] = {
      {0.7f, 69, 30}, {0.35f, 34, 65}, {0.5f, 50, 50}, {1.0f, 100, 0}, {0.0f, 0, 100}, {0.25f, 25, 75},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LabelPercentForLevel(c.level), c.label) << c.level;
    EXPECT_EQ(SliderPositionForLevel(c.level), c.position) << c.level;
  }
  EXPECT_EQ(LevelForSliderPosition(25), 0.75f);
  EXPECT_EQ(LevelForSliderPosition(0), 1.0f);
  EXPECT_EQ(LevelForSliderPosition(100), 0.0f);
  EXPECT_EQ(LevelForSliderPosition(70), static_cast<float>(1.0 - 0.7));
}

TEST(MixerArithmetic, CopiesStandTwelvePixelsApart) {
  EXPECT_EQ(ChannelControlLeft(16, 32, 0), 16);
  EXPECT_EQ(ChannelControlLeft(16, 32, 1), 60);
  EXPECT_EQ(ChannelControlLeft(12, 32, 7), 320);
}

class NullSender final : public ui::MessageSender {
 public:
  std::intptr_t SendWindowMessage(std::uintptr_t, std::uint32_t, std::uintptr_t, std::intptr_t) noexcept override {
    return 0;
  }
};

struct ChannelControl {
  ControlId id;
  std::int32_t left, top;
  bool visible;
  std::string tag, text;
  std::int32_t position;
  bool inGroup3;
};

// Loads the real main window with the real commands, except that the creation step only builds the
// mixer and takes a snapshot; `user` then plays events while the message loop runs.
class ChannelMixerTest : public ::testing::Test {
 protected:
  int Load(std::function<void(RecordingPeer&)> user = {}) {
    ui::toolkit::CommandTable commands = ui::PanelCommands(device_, sender_);
    commands.emplace(ui::kOnMainWindowCreated, [this](Window& window, std::int32_t) {
      built_ = BuildChannelMixer(window, device_);
      Snapshot(window);
    });
    commands.emplace(ui::kOnChannelSliderMoved,
                     [this](Window& window, std::int32_t) { OnChannelSliderMoved(window, device_); });
    peer_.duringLoop = std::move(user);
    ui::toolkit::Toolkit toolkit(peer_);
    toolkit.SetFaultHook([this](std::int32_t code, std::string_view note) {
      faults_.push_back({code, std::string(note)});
      return 1;
    });
    return toolkit.Load(ui::MainWindow(), commands);
  }

  void Snapshot(Window& window) {
    const ControlId group = window.Named(ui::kGroupBox3);
    for (const ControlId id : window.ControlOrder()) {
      const ControlKind kind = window.Kind(id);
      if (!window.IsCopy(id) || (kind != ControlKind::SliderBar && kind != ControlKind::Label)) continue;
      ChannelControl control{id, window.Left(id), window.Top(id), window.Visible(id), window.Tag(id),
                             window.Text(id), kind == ControlKind::SliderBar ? window.Position(id) : 0,
                             window.Parent(id) == group};
      (kind == ControlKind::SliderBar ? sliders_ : labels_).push_back(control);
    }
    const ControlId sliderTemplate = window.Named(ui::kSliderBar1);
    const ControlId labelTemplate = window.Named(ui::kLabel1);
    templatesUntouched_ = !window.Visible(sliderTemplate) && !window.Visible(labelTemplate) &&
                          window.Position(sliderTemplate) == 1 && window.Tag(sliderTemplate).empty() &&
                          window.Tag(labelTemplate).empty() && window.Text(labelTemplate) == "标签";
  }

  const ChannelControl* SliderTagged(std::string_view tag) const {
    for (const ChannelControl& s : sliders_) {
      if (s.tag == tag) return &s;
    }
    return nullptr;
  }

  FakeAudioDevice device_;
  NullSender sender_;
  RecordingPeer peer_;
  int built_ = -2;
  std::vector<ChannelControl> sliders_, labels_;
  bool templatesUntouched_ = false;
  struct Fault {
    std::int32_t code;
    std::string note;
  };
  std::vector<Fault> faults_;
};

TEST_F(ChannelMixerTest, LaysOutOneSliderAndLabelPerChannel) {
  device_.State().channels = {0.7f, 0.35f, 0.5f, 1.0f, 0.0f};
  EXPECT_EQ(Load(), 0);
  EXPECT_EQ(built_, 5);
  ASSERT_EQ(sliders_.size(), 5u);
  ASSERT_EQ(labels_.size(), 5u);
  const std::int32_t positions[] = {30, 65, 50, 0, 100};
  const char* captions[] = {"69", "34", "50", "100", "0"};
  for (std::size_t c = 0; c < 5; ++c) {
    // Copies come just before their template in control order, so the last channel's comes first.
    const ChannelControl* slider = SliderTagged(std::to_string(c));
    ASSERT_NE(slider, nullptr) << c;
    EXPECT_EQ(slider->left, 16 + static_cast<std::int32_t>(c) * 44) << c;
    EXPECT_EQ(slider->top, 16);
    EXPECT_TRUE(slider->visible);
    EXPECT_TRUE(slider->inGroup3);
    EXPECT_EQ(slider->position, positions[c]) << c;

    const auto label = std::find_if(labels_.begin(), labels_.end(),
                                    [&](const ChannelControl& l) { return l.tag == std::to_string(100 + c); });
    ASSERT_NE(label, labels_.end()) << c;
    EXPECT_EQ(label->left, 12 + static_cast<std::int32_t>(c) * 44) << c;
    EXPECT_EQ(label->top, 168);
    EXPECT_TRUE(label->visible);
    EXPECT_TRUE(label->inGroup3);
    EXPECT_EQ(label->text, captions[c]) << c;
  }
  EXPECT_TRUE(templatesUntouched_);
  EXPECT_EQ(device_.EndpointsHeld(), 0);
  EXPECT_EQ(device_.Acquisitions(), 1);  // one acquisition for the whole layout
}

TEST_F(ChannelMixerTest, NoChannelsOrNoDeviceBuildNothing) {
  device_.State().channels.clear();
  EXPECT_EQ(Load(), 0);
  EXPECT_EQ(built_, 0);
  EXPECT_TRUE(sliders_.empty() && labels_.empty());

  FakeAudioDevice absent;
  absent.State().present = false;
  device_ = std::move(absent);
  sliders_.clear();
  EXPECT_EQ(Load(), 0);
  EXPECT_EQ(built_, -1);
  EXPECT_TRUE(sliders_.empty() && labels_.empty());
  EXPECT_TRUE(device_.Calls().empty());
}

TEST_F(ChannelMixerTest, MovingASliderSetsItsChannelAndItsLabel) {
  device_.State().channels = {0.5f, 0.5f, 0.5f};
  EXPECT_EQ(Load([this](RecordingPeer& peer) {
              const ChannelControl* slider = SliderTagged("1");
              ASSERT_NE(slider, nullptr);
              peer.Events().OnPositionChanged(slider->id, 25);
            }),
            0);
  ASSERT_FALSE(device_.Calls().empty());
  const auto& last = device_.Calls().back();
  EXPECT_EQ(last.name, "SetChannelVolumeLevelScalar");
  EXPECT_EQ(last.channel, 1u);
  EXPECT_EQ(last.level, 0.75f);
  EXPECT_EQ(device_.State().channels[1], 0.75f);
  EXPECT_EQ(device_.State().channels[0], 0.5f);

  bool labelShows75 = false;
  for (const auto& [id, state] : peer_.mirrored) {
    if (state.tag == "101") labelShows75 = state.text == "75";
  }
  EXPECT_TRUE(labelShows75);
  EXPECT_TRUE(faults_.empty());
}

TEST_F(ChannelMixerTest, WithoutADeviceOnlyTheLabelFollowsTheSlider) {
  device_.State().channels = {0.5f, 0.5f};
  EXPECT_EQ(Load([this](RecordingPeer& peer) {
              const ChannelControl* slider = SliderTagged("0");
              ASSERT_NE(slider, nullptr);
              device_.State().present = false;
              peer.Events().OnPositionChanged(slider->id, 40);
            }),
            0);
  EXPECT_EQ(device_.State().channels[0], 0.5f);
  bool labelShows60 = false;
  for (const auto& [id, state] : peer_.mirrored) {
    if (state.tag == "100") labelShows60 = state.text == "60";
  }
  EXPECT_TRUE(labelShows60);
}

// A small window of its own shows the mixer command's faults: a source that is no slider bar, a channel
// without a label, and a channel "label" that is another kind of control.
TEST(ChannelSliderFaults, ReachTheHookWithTheirCodes) {
  using ui::toolkit::ControlDescription;
  using ui::toolkit::Event;
  using ui::toolkit::SliderSettings;
  const auto describe = [](std::string name, ControlKind kind, std::string tag) {
    ControlDescription control;
    control.name = std::move(name);
    control.kind = kind;
    control.tag = std::move(tag);
    if (kind == ControlKind::SliderBar) control.settings = SliderSettings{};
    return control;
  };
  ui::toolkit::WindowDescription description;
  description.window = describe("", ControlKind::Window, "");
  description.window.visible = false;
  description.window.settings = ui::toolkit::WindowSettings{};
  description.controls = {
      describe("button", ControlKind::Button, ""),
      describe("lonely", ControlKind::SliderBar, "7"),
      describe("wrongKind", ControlKind::SliderBar, "3"),
      describe("notALabel", ControlKind::Button, "103"),
  };
  description.bindings = {
      {"button", Event::Click, "moved"},
      {"lonely", Event::PositionChange, "moved"},
      {"wrongKind", Event::PositionChange, "moved"},
  };

  // Each source is found among the created controls by its kind and tag.
  struct Case {
    ControlKind sourceKind;
    std::string_view sourceTag;
    std::int32_t expectedCode;
    std::string_view expectedMessage;
  };
  const Case cases[] = {
      {ControlKind::Button, "", 5, "数据或数组类型不匹配"},
      {ControlKind::SliderBar, "7", 0, "未找到指定标记的组件"},
      {ControlKind::SliderBar, "3", 5, "数据或数组类型不匹配"},
  };
  for (const Case& c : cases) {
    FakeAudioDevice device;
    RecordingPeer peer;
    std::vector<std::pair<std::int32_t, std::string>> faults;
    ui::toolkit::CommandTable commands{
        {"moved", [&](Window& window, std::int32_t) { OnChannelSliderMoved(window, device); }}};
    peer.duringLoop = [&](RecordingPeer& p) {
      for (const auto& [id, state] : p.mirrored) {
        if (state.kind != c.sourceKind || state.tag != c.sourceTag) continue;
        if (c.sourceKind == ControlKind::Button) {
          p.Events().OnClicked(id);
        } else {
          p.Events().OnPositionChanged(id, 10);
        }
        return;
      }
      ADD_FAILURE() << "no source tagged " << c.sourceTag;
    };
    ui::toolkit::Toolkit toolkit(peer);
    toolkit.SetFaultHook([&](std::int32_t code, std::string_view note) {
      faults.emplace_back(code, std::string(note));
      return 1;
    });
    EXPECT_EQ(toolkit.Load(description, commands), -1) << c.sourceTag;
    ASSERT_EQ(faults.size(), 1u) << c.sourceTag;
    EXPECT_EQ(faults[0].first, c.expectedCode) << c.sourceTag;
    EXPECT_EQ(faults[0].second.rfind(c.expectedMessage, 0), 0u) << c.sourceTag;
  }
}

}  // namespace
}  // namespace mastervol::audio
