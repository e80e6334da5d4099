// A loaded window: its controls and their properties, copies, find-by-tag, the event source, and the
// two ways out of a running command (an orderly exit and a fault), both of which end the load.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <source_location>
#include <string>
#include <string_view>
#include <vector>

#include "ui/toolkit/description.h"
#include "ui/toolkit/peer.h"

namespace mastervol::ui::toolkit {

class Window;

// A bound command. argument is the spinner's step (+1 / -1) and 0 for every other event.
using Command = std::function<void(Window& window, std::int32_t argument)>;
using CommandTable = std::map<std::string, Command, std::less<>>;

// Reads a tag as a number; the program passes its own conversion, ReadTagNumber is the plain one.
using TagReader = std::function<std::int32_t(std::string_view text)>;

// atol-like: leading blanks, one sign, decimal digits up to the first other byte, wrapping modulo 2^32;
// no digits (an empty tag too) reads as 0.
[[nodiscard]] std::int32_t ReadTagNumber(std::string_view text) noexcept;

// Fault codes and messages the toolkit raises itself.
inline constexpr std::int32_t kFaultOperation = 0;
inline constexpr std::int32_t kFaultKindMismatch = 5;
inline constexpr std::string_view kKindMismatchMessage = "数据或数组类型不匹配";
inline constexpr std::string_view kTagNotFoundMessage = "未找到指定标记的组件";

class Window final : public PeerEvents {
 public:
  using Where = std::source_location;

  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  ~Window();

  // The window itself, first in control order.
  [[nodiscard]] ControlId Self() const noexcept;
  // A described control by its name (copies have none); an unknown name is a fault.
  [[nodiscard]] ControlId Named(std::string_view name, Where where = Where::current());
  [[nodiscard]] ControlKind Kind(ControlId control, Where where = Where::current());
  [[nodiscard]] bool IsCopy(ControlId control, Where where = Where::current());
  [[nodiscard]] std::optional<ControlId> Parent(ControlId control, Where where = Where::current());
  // Every control, window first, in control order.
  [[nodiscard]] std::vector<ControlId> ControlOrder() const;

  [[nodiscard]] std::int32_t Left(ControlId control, Where where = Where::current());
  [[nodiscard]] std::int32_t Top(ControlId control, Where where = Where::current());
  [[nodiscard]] std::int32_t Width(ControlId control, Where where = Where::current());
  [[nodiscard]] std::int32_t Height(ControlId control, Where where = Where::current());
  [[nodiscard]] bool Visible(ControlId control, Where where = Where::current());
  // A caption, or an edit box's content.
  [[nodiscard]] std::string Text(ControlId control, Where where = Where::current());
  [[nodiscard]] std::string Tag(ControlId control, Where where = Where::current());
  // Slider bars only; any other kind is fault 5.
  [[nodiscard]] std::int32_t Position(ControlId control, Where where = Where::current());

  void SetLeft(ControlId control, std::int32_t left, Where where = Where::current());
  void SetTop(ControlId control, std::int32_t top, Where where = Where::current());
  void SetWidth(ControlId control, std::int32_t width, Where where = Where::current());
  void SetHeight(ControlId control, std::int32_t height, Where where = Where::current());
  void SetVisible(ControlId control, bool visible, Where where = Where::current());
  void SetText(ControlId control, std::string text, Where where = Where::current());
  void SetTag(ControlId control, std::string tag, Where where = Where::current());
  // Clamped to the slider's minimum..maximum; raises no event.
  void SetPosition(ControlId control, std::int32_t position, Where where = Where::current());

  // A new control of the source's kind built from the source's description (not its current values),
  // hidden, under the source's parent, just before the source in control order, running the source's
  // commands. The window itself and copies cannot be copied: nullopt.
  [[nodiscard]] std::optional<ControlId> Copy(ControlId source, Where where = Where::current());
  // Moves control into container (the window or a group box); its place stays relative to the parent.
  void SetParent(ControlId control, ControlId container, Where where = Where::current());
  // The first control in control order, window first, whose tag reads as n. No match is fault 0.
  [[nodiscard]] ControlId FindByTag(std::int32_t n, const TagReader& read = ReadTagNumber,
                                    Where where = Where::current());

  // The control whose event command is running; outside a command this is a fault.
  [[nodiscard]] ControlId EventSource(Where where = Where::current());
  // The event source, which must be of the expected kind, otherwise fault 5.
  [[nodiscard]] ControlId EventSourceOf(ControlKind expected, Where where = Where::current());
  // control itself, which must be of the expected kind, otherwise fault 5.
  ControlId Expect(ControlId control, ControlKind expected, Where where = Where::current());

  [[nodiscard]] std::uintptr_t NativeHandle() const noexcept;

  // Ends the load with this exit code after tidying up. Does not return to the command.
  [[noreturn]] void Exit(int code);
  // Hands (code, note) to the fault hook and ends the load with -1. Does not return to the command.
  [[noreturn]] void Fault(std::int32_t code, std::string_view message, Where where = Where::current());

  // PeerEvents: what the real windows report.
  void OnClicked(ControlId control) override;
  void OnPositionChanged(ControlId control, std::int32_t position) override;
  void OnSpinnerPressed(ControlId control, std::int32_t step) override;
  void OnTextEdited(ControlId control, std::string text) override;
  void OnEditFocusLost(ControlId control) override;

 private:
  friend class Toolkit;
  struct State;
  explicit Window(std::unique_ptr<State> state);
  // Builds, shows and runs the described window; the load's exit code.
  [[nodiscard]] int Run(const WindowDescription& description, const CommandTable& commands) noexcept;
  void Build(const WindowDescription& description, const CommandTable& commands);
  void Dispatch(ControlId control, Event event, std::int32_t argument) noexcept;
  struct Record;
  [[nodiscard]] Record& Find(ControlId control, Where where);
  void Changed(const Record& record, Property property);
  std::unique_ptr<State> state_;
};

}  // namespace mastervol::ui::toolkit
