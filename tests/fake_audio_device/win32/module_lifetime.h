// What keeps the simulated device's DLL in use: its live objects and its class factory's locks.
#pragma once

namespace mastervol::fake_audio {

void ObjectCreated() noexcept;
void ObjectDestroyed() noexcept;
void ServerLocked(bool lock) noexcept;
[[nodiscard]] bool ServerInUse() noexcept;
// Numbers objects across the whole process, so each journal name is unique in it.
[[nodiscard]] unsigned NextObjectNumber() noexcept;

}  // namespace mastervol::fake_audio
