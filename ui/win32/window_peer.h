// The toolkit's Win32 peer: mirrors the model onto real windows created with the ...A functions (the
// texts are GBK) and reports clicks, slider moves, spinner presses and entry edits back to the model.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/toolkit/peer.h"

namespace mastervol::ui::win32 {

// Owns one top-level window; DestroyWindow also destroys every child.
class UniqueWindow {
 public:
  UniqueWindow() noexcept = default;
  explicit UniqueWindow(HWND window) noexcept : window_(window) {}
  UniqueWindow(UniqueWindow&& other) noexcept : window_(other.release()) {}
  UniqueWindow& operator=(UniqueWindow&& other) noexcept {
    reset(other.release());
    return *this;
  }
  UniqueWindow(const UniqueWindow&) = delete;
  UniqueWindow& operator=(const UniqueWindow&) = delete;
  ~UniqueWindow() { reset(); }

  [[nodiscard]] HWND get() const noexcept { return window_; }
  // Forgets a window that the system has destroyed already.
  HWND release() noexcept { return std::exchange(window_, nullptr); }
  void reset(HWND window = nullptr) noexcept {
    if (window_ != nullptr) DestroyWindow(window_);
    window_ = window;
  }

 private:
  HWND window_ = nullptr;
};

class Win32WindowPeer final : public toolkit::WindowPeer {
 public:
  Win32WindowPeer() noexcept;
  ~Win32WindowPeer() override;
  Win32WindowPeer(const Win32WindowPeer&) = delete;
  Win32WindowPeer& operator=(const Win32WindowPeer&) = delete;

  [[nodiscard]] bool CreateTopWindow(const toolkit::ControlState& window, toolkit::PeerEvents& events) override;
  [[nodiscard]] bool CreateControl(const toolkit::ControlState& control,
                                   std::optional<toolkit::ControlId> before) override;
  void PropertyChanged(const toolkit::ControlState& state, toolkit::Property property) override;
  void RunMessageLoop() override;
  void EndMessageLoop() noexcept override;
  void DestroyAll() noexcept override;
  [[nodiscard]] std::uintptr_t NativeHandle() const noexcept override;
  void ShowFaultBox(std::int32_t code, std::string_view note) noexcept override;

  // The real window of a control (the entry box itself for an edit box), and an edit box's spinner.
  [[nodiscard]] HWND Handle(toolkit::ControlId control) const noexcept;
  [[nodiscard]] HWND Spinner(toolkit::ControlId control) const noexcept;

  // Instead of showing its own fault box, the peer keeps the note here (for tests under Wine, where a
  // message box would wait forever).
  bool quietFaults = false;
  std::string lastFaultNote;

 private:
  struct Entry {
    toolkit::ControlId id;
    toolkit::ControlKind kind;
    HWND window;
    HWND spinner;  // edit boxes only
    bool escapeCloses;  // the window only
    bool integerEntry;  // edit boxes only
  };

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR subclass, DWORD_PTR self);
  static LRESULT CALLBACK EntryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR subclass,
                                    DWORD_PTR self);

  // Notifications from children, whether they reach the window or a group box.
  // What the window and the group boxes both receive from their child controls; true when handled.
  bool OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool OnCommand(WPARAM wParam, LPARAM lParam);
  bool OnVerticalScroll(WPARAM wParam, LPARAM lParam);
  bool OnNotify(LPARAM lParam, LRESULT& result);
  void OnDestroy(HWND window) noexcept;
  bool IsEscapeForUs(const MSG& message) const noexcept;

  [[nodiscard]] const Entry* FindEntry(toolkit::ControlId control) const noexcept;
  [[nodiscard]] const Entry* FindByWindow(HWND window) const noexcept;
  [[nodiscard]] HWND ParentWindow(const std::optional<toolkit::ControlId>& parent) const noexcept;
  void Layout(const Entry& entry, const toolkit::Place& place) noexcept;
  void ShowCentred(const toolkit::ControlState& window) noexcept;

  UniqueWindow window_;
  toolkit::PeerEvents* events_ = nullptr;
  std::vector<Entry> entries_;  // the window first
  bool loopRunning_ = false;
  bool applyingText_ = false;   // the model's own SetWindowTextA is no user edit
};

}  // namespace mastervol::ui::win32
