// The whole run in-process: start-up, the hidden window's creation step, the log lines and the exit code.
#include "app/program.h"

#include <gtest/gtest.h>

#include "audio/testing/fake_endpoint.h"
#include "log/testing/fake_log_platform.h"
#include "ui/toolkit/testing/recording_peer.h"

namespace mastervol::app {
namespace {

using audio::testing::FakeAudioDevice;
using log::testing::FakeLogPlatform;
using ui::toolkit::ControlKind;
using ui::toolkit::testing::RecordingPeer;

class RecordingSender final : public ui::MessageSender {
 public:
  std::intptr_t SendWindowMessage(std::uintptr_t, std::uint32_t message, std::uintptr_t, std::intptr_t) noexcept override {
    messages.push_back(message);
    return 0;
  }
  std::vector<std::uint32_t> messages;
};

constexpr std::string_view kLogPath = "C:\\apps\\mastervol.log";

class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest() { log_.executablePath = "C:\\apps\\mastervol.exe"; }

  int Run(std::string commandLine) {
    ProgramServices services{device_, log_, sender_, std::move(commandLine)};
    peer_ = RecordingPeer{};
    peer_.duringLoop = [this](RecordingPeer&) { messageLoopReached_ = true; };
    return RunProgram(peer_, services, [this](std::int32_t code, std::string_view) {
      faultCodes_.push_back(code);
      return 1;
    });
  }

  std::string Log() const {
    const auto file = log_.files.find(std::string(kLogPath));
    return file == log_.files.end() ? std::string() : file->second;
  }

  FakeAudioDevice device_;
  FakeLogPlatform log_;
  RecordingSender sender_;
  RecordingPeer peer_;
  bool messageLoopReached_ = false;
  std::vector<std::int32_t> faultCodes_;
};

TEST_F(ProgramTest, BannerText) {
  EXPECT_EQ(BannerText(),
            "Varnel软件KLEM软件,官方网站 https://mastervol.example.org 程序带参数运行，第一个参数取值范围0-100，"
            "用于自动设置当前系统音量，0为静音，如果不带参数则设置音量为最大值100");
}

TEST_F(ProgramTest, ARunWritesTwoLinesSetsTheLevelAndExitsZero) {
  EXPECT_EQ(Run("mastervol.exe 60"), 0);
  EXPECT_EQ(Log(), "2024-03-05 07:08:09 " + BannerText() +
                       "\r\n2024-03-05 07:08:09 音量调整完成，命令行第一个参数为 当前音量：60%\r\n");
  EXPECT_EQ(device_.State().master, 0.6f);
  EXPECT_FALSE(messageLoopReached_);
  EXPECT_TRUE(faultCodes_.empty());
  EXPECT_TRUE(sender_.messages.empty());  // the panel's commands are bound, never run
  EXPECT_EQ(log_.clockReadings, 2);       // each line takes its own timestamp
  EXPECT_EQ(device_.EndpointsHeld(), 0);
}

TEST_F(ProgramTest, TheWindowIsNeverShownAndTheMixerIsBuilt) {
  device_.State().channels = {0.25f, 0.75f};
  EXPECT_EQ(Run("mastervol.exe"), 0);
  int visibleSliders = 0;
  for (const auto& [id, state] : peer_.mirrored) {
    if (state.kind == ControlKind::Window) {
      EXPECT_FALSE(state.visible);
    }
    if (state.kind == ControlKind::SliderBar && state.visible) ++visibleSliders;
  }
  EXPECT_EQ(visibleSliders, 2);
  EXPECT_TRUE(peer_.destroyed);  // the orderly exit tidied up
  EXPECT_EQ(device_.State().master, 1.0f);
}

TEST_F(ProgramTest, AFailedCommandAddsAThirdLineAndStillExitsZero) {
  EXPECT_EQ(Run("mastervol.exe 150"), 0);
  EXPECT_EQ(Log(), "2024-03-05 07:08:09 " + BannerText() +
                       "\r\n2024-03-05 07:08:09 音量调整完成，命令行第一个参数为 当前音量：150%\r\n"
                       "2024-03-05 07:08:09 音量设置失败，错误代码 0x80070057，音量未改变\r\n");
}

TEST_F(ProgramTest, WithoutADeviceBothLinesAndTheReasonAreWritten) {
  device_.State().present = false;
  EXPECT_EQ(Run("mastervol.exe"), 0);
  EXPECT_EQ(Log(), "2024-03-05 07:08:09 " + BannerText() +
                       "\r\n2024-03-05 07:08:09 音量调整完成，当前音量：100%\r\n"
                       "2024-03-05 07:08:09 未找到默认音频输出设备，音量未改变\r\n");
}

TEST_F(ProgramTest, TwoRunsAppendFourLines) {
  EXPECT_EQ(Run("mastervol.exe 20"), 0);
  log_.now.second = 10;
  EXPECT_EQ(Run("mastervol.exe 0"), 0);
  const std::string log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4);
  EXPECT_NE(log.find("07:08:09 音量调整完成，命令行第一个参数为 当前音量：20%\r\n2024-03-05 07:08:10 Varnel"),
            std::string::npos);
  EXPECT_TRUE(log.ends_with("07:08:10 音量调整完成，命令行第一个参数为 当前音量：0%\r\n"));
  EXPECT_TRUE(device_.State().muted);
}

TEST_F(ProgramTest, AnUnwritableLogDoesNotStopTheRun) {
  log_.unwritable.push_back(std::string(kLogPath));
  EXPECT_EQ(Run("mastervol.exe 35"), 0);
  EXPECT_EQ(device_.State().master, 0.35f);
}

}  // namespace
}  // namespace mastervol::app
