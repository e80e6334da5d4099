// Start-up and the creation step, over the toolkit, the endpoint seam and the log seam.
#include "app/program.h"

#include "app/volume_job.h"
#include "audio/channel_mixer.h"
#include "log/log_writer.h"
#include "ui/main_window.h"

namespace mastervol::app {
namespace {

constexpr std::string_view kBannerLead = "Varnel软件KLEM软件,官方网站 ";
constexpr std::string_view kBannerUsage =
    " 程序带参数运行，第一个参数取值范围0-100，用于自动设置当前系统音量，0为静音，如果不带参数则设置音量为最大值100";

}  // namespace

std::string BannerText() {
  std::string banner(kBannerLead);
  banner += kMakerAddress;
  banner += kBannerUsage;
  return banner;
}

void OnMainWindowCreated(ui::toolkit::Window& window, ProgramServices& services) {
  // Without an endpoint the mixer stays empty; the run goes on and still logs both lines.
  [[maybe_unused]] const int channels = audio::BuildChannelMixer(window, services.endpoints);

  // Each line takes its own timestamp as it is written.
  log::WriteLogLine(services.log, BannerText());
  const VolumeJobOutcome outcome = RunVolumeJob(services.commandLine, services.endpoints);
  log::WriteLogLine(services.log, outcome.resultLine);
  if (!outcome.failureLine.empty()) log::WriteLogLine(services.log, outcome.failureLine);

  window.Exit(0);
}

ui::toolkit::CommandTable ProgramCommands(ProgramServices& services) {
  ui::toolkit::CommandTable commands = ui::PanelCommands(services.endpoints, services.messages);
  commands.emplace(ui::kOnMainWindowCreated,
                   [&services](ui::toolkit::Window& window, std::int32_t) { OnMainWindowCreated(window, services); });
  commands.emplace(ui::kOnChannelSliderMoved, [&services](ui::toolkit::Window& window, std::int32_t) {
    audio::OnChannelSliderMoved(window, services.endpoints);
  });
  return commands;
}

int RunProgram(ui::toolkit::WindowPeer& peer, ProgramServices& services, ui::toolkit::FaultHook faultHook) {
  ui::toolkit::Toolkit toolkit(peer);
  toolkit.SetFaultHook(std::move(faultHook));
  return toolkit.Load(ui::MainWindow(), ProgramCommands(services));
}

}  // namespace mastervol::app
