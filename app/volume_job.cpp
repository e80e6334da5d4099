// The volume job's flow: split, convert, command the endpoint, and say what happened.
#include "app/volume_job.h"

#include <cstdio>
#include <initializer_list>
#include <vector>

#include "app/command_line.h"
#include "audio/master_commands.h"

namespace mastervol::app {
namespace {

constexpr std::string_view kFullVolumeResult = "音量调整完成，当前音量：100%";
constexpr std::string_view kArgumentResultPrefix = "音量调整完成，命令行第一个参数为 当前音量：";
constexpr std::string_view kArgumentResultSuffix = "%";
constexpr std::string_view kNoEndpointFailure = "未找到默认音频输出设备，音量未改变";
constexpr std::string_view kFailedCallPrefix = "音量设置失败，错误代码 ";
constexpr std::string_view kFailedCallSuffix = "，音量未改变";

// The first command that did not do its work decides the failure line.
std::string DescribeFirstFailure(std::initializer_list<audio::CommandResult> results) {
  for (const audio::CommandResult& result : results) {
    if (!result.endpointFound) return std::string(kNoEndpointFailure);
    if (audio::Failed(result.callResult)) return DescribeFailedCall(result.callResult);
  }
  return {};
}

}  // namespace

std::string DescribeFailedCall(audio::HResult result) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(result));
  std::string line(kFailedCallPrefix);
  line += code;
  line += kFailedCallSuffix;
  return line;
}

VolumeJobOutcome RunVolumeJob(std::string_view commandLine, audio::EndpointSource& endpoints) {
  const std::vector<std::string> arguments = SplitCommandLine(commandLine);

  if (arguments.empty()) {
    // Both commands always run, in this order, so a muted device comes back at full volume.
    const audio::CommandResult unmute = audio::SetMasterMute(endpoints, false);
    const audio::CommandResult full = audio::SetMasterVolumePercent(endpoints, 100);
    return {std::string(kFullVolumeResult), DescribeFirstFailure({unmute, full})};
  }

  const std::string& first = arguments.front();
  const std::int32_t percent = TextToInteger(first);
  const audio::CommandResult applied = percent != 0 ? audio::SetMasterVolumePercent(endpoints, percent)
                                                    : audio::SetMasterMute(endpoints, true);
  std::string resultLine(kArgumentResultPrefix);
  resultLine += first;
  resultLine += kArgumentResultSuffix;
  return {std::move(resultLine), DescribeFirstFailure({applied})};
}

}  // namespace mastervol::app
