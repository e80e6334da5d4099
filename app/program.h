// The program's main line: start-up loads the hidden main window, whose creation step does the whole
// job of a run (mixer, banner line, volume job, result line) and ends the load with exit code 0.
#pragma once

#include <string>
#include <string_view>

#include "audio/endpoint.h"
#include "log/log_platform.h"
#include "ui/panel_commands.h"
#include "ui/toolkit/toolkit.h"

namespace mastervol::app {

// The project's own web address, named in the banner line.
inline constexpr std::string_view kMakerAddress = "https://mastervol.example.org";

// The first line of every run: what the program is and how its argument is read.
[[nodiscard]] std::string BannerText();

// What a run needs of the system it runs on; everything must outlive RunProgram.
struct ProgramServices {
  audio::EndpointSource& endpoints;
  log::LogPlatform& log;
  ui::MessageSender& messages;
  std::string commandLine;  // the whole line, program name first, as the system gives it
};

// The main window's creation step: builds the channel mixer, writes the banner line, runs the volume job,
// writes the result line (and the failure line when the volume did not change), then exits with 0.
void OnMainWindowCreated(ui::toolkit::Window& window, ProgramServices& services);

// Every command the main window binds, by name.
[[nodiscard]] ui::toolkit::CommandTable ProgramCommands(ProgramServices& services);

// Registers the fault hook and loads the main window; returns the process's exit code (0 after a run,
// -1 after a reported fault).
[[nodiscard]] int RunProgram(ui::toolkit::WindowPeer& peer, ProgramServices& services,
                             ui::toolkit::FaultHook faultHook);

}  // namespace mastervol::app
