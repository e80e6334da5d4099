// The program's one job: apply the first command-line argument to the default render endpoint.
#pragma once

#include <string>
#include <string_view>

#include "audio/endpoint.h"

namespace mastervol::app {

struct VolumeJobOutcome {
  // The result line, the same whether or not the endpoint did what was asked.
  std::string resultLine;
  // Why the volume did not change, for a line of its own after the result line; empty when nothing failed.
  std::string failureLine;
};

// No argument unmutes and sets 100 %; a first argument reading 0 mutes; any other number sets that
// percentage and leaves the mute state alone. Arguments after the first are ignored.
[[nodiscard]] VolumeJobOutcome RunVolumeJob(std::string_view commandLine, audio::EndpointSource& endpoints);

// The failure line for an endpoint call that failed with `result`, e.g. "... 0x80070057 ...".
[[nodiscard]] std::string DescribeFailedCall(audio::HResult result);

}  // namespace mastervol::app
