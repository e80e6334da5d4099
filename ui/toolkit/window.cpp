// The loaded window's model: control records in control order, bindings resolved at load, and the
// unwinding of Exit and Fault back to the dispatch boundary.
#include "ui/toolkit/window.h"

#include <algorithm>
#include <exception>
#include <string>
#include <utility>

#include "ui/toolkit/integer_entry.h"
#include "ui/toolkit/toolkit.h"

namespace mastervol::ui::toolkit {
namespace {

// Thrown by Exit and Fault, caught only where a command was called or the load began. It is not a
// std::exception, so a command's own catch of std::exception cannot swallow it.
struct EndLoad {
  int code;
};

constexpr std::string_view kNoSuchControl = "指定的组件不存在";
constexpr std::string_view kNoSuchName = "未找到指定名称的组件";
constexpr std::string_view kNoEventRunning = "当前没有正在处理的事件";
constexpr std::string_view kBadDescription = "窗口描述无效";
constexpr std::string_view kNoSuchCommand = "未找到绑定的命令";
constexpr std::string_view kCreateFailed = "创建组件失败";
constexpr std::string_view kBadParent = "不能设置为该组件的父组件";
constexpr std::string_view kUnknownException = "未知异常";

bool IsBlank(char c) noexcept { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsContainer(ControlKind kind) noexcept { return kind == ControlKind::Window || kind == ControlKind::GroupBox; }

std::int32_t ClampPosition(const Settings& settings, std::int32_t position) noexcept {
  if (const auto* slider = std::get_if<SliderSettings>(&settings)) {
    return std::clamp(position, slider->minimum, std::max(slider->minimum, slider->maximum));
  }
  return position;
}

std::int32_t LoadedPosition(const Settings& settings) noexcept {
  const auto* slider = std::get_if<SliderSettings>(&settings);
  return slider == nullptr ? 0 : ClampPosition(settings, slider->position);
}

ControlState StateFromDescription(ControlId id, const ControlDescription& description,
                                  std::optional<ControlId> parent) {
  return ControlState{id,
                      description.kind,
                      parent,
                      description.place,
                      description.visible,
                      description.text,
                      description.tag,
                      LoadedPosition(description.settings),
                      description.settings};
}

}  // namespace

std::int32_t ReadTagNumber(std::string_view text) noexcept {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::uint32_t value = 0;  // unsigned, so that the wrap modulo 2^32 is defined
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

struct Window::Record {
  ControlState state;
  std::string name;                 // empty for copies
  ControlDescription loaded;        // what copies are built from
  std::optional<ControlId> copyOf;  // the source whose commands this copy runs
};

struct Window::State {
  State(WindowPeer& windowPeer, const FaultHook& faultHook) noexcept : peer(windowPeer), hook(faultHook) {}

  WindowPeer& peer;
  const FaultHook& hook;
  std::vector<Record> records;  // control order, the window first
  std::map<std::pair<ControlId, Event>, Command> bindings;
  std::uint32_t lastId = 0;
  std::vector<ControlId> sources;  // event sources of the commands running, innermost last
  std::optional<int> outcome;      // set once Exit or a fault ended the load
  bool inHook = false;
  bool loopRunning = false;

  ControlId NextId() noexcept { return ControlId{++lastId}; }
};

Window::Window(std::unique_ptr<State> state) : state_(std::move(state)) {}
Window::~Window() = default;

Window::Record& Window::Find(ControlId control, Where where) {
  // A command that carries on after a nested one ended the load is stopped at its next operation.
  if (state_->outcome) throw EndLoad{*state_->outcome};
  auto& records = state_->records;
  const auto it = std::find_if(records.begin(), records.end(),
                               [control](const Record& r) { return r.state.id == control; });
  if (it == records.end()) Fault(kFaultOperation, kNoSuchControl, where);
  return *it;
}

void Window::Changed(const Record& record, Property property) {
  state_->peer.PropertyChanged(record.state, property);
  if (state_->outcome) throw EndLoad{*state_->outcome};
}

ControlId Window::Self() const noexcept { return state_->records.front().state.id; }

ControlId Window::Named(std::string_view name, Where where) {
  if (state_->outcome) throw EndLoad{*state_->outcome};
  for (const Record& record : state_->records) {
    if (!record.copyOf && record.name == name) return record.state.id;
  }
  Fault(kFaultOperation, kNoSuchName, where);
}

ControlKind Window::Kind(ControlId control, Where where) { return Find(control, where).state.kind; }
bool Window::IsCopy(ControlId control, Where where) { return Find(control, where).copyOf.has_value(); }
std::optional<ControlId> Window::Parent(ControlId control, Where where) { return Find(control, where).state.parent; }

std::vector<ControlId> Window::ControlOrder() const {
  std::vector<ControlId> order;
  order.reserve(state_->records.size());
  for (const Record& record : state_->records) order.push_back(record.state.id);
  return order;
}

std::int32_t Window::Left(ControlId control, Where where) { return Find(control, where).state.place.left; }
std::int32_t Window::Top(ControlId control, Where where) { return Find(control, where).state.place.top; }
std::int32_t Window::Width(ControlId control, Where where) { return Find(control, where).state.place.width; }
std::int32_t Window::Height(ControlId control, Where where) { return Find(control, where).state.place.height; }
bool Window::Visible(ControlId control, Where where) { return Find(control, where).state.visible; }
std::string Window::Text(ControlId control, Where where) { return Find(control, where).state.text; }
std::string Window::Tag(ControlId control, Where where) { return Find(control, where).state.tag; }

std::int32_t Window::Position(ControlId control, Where where) {
  return Find(Expect(control, ControlKind::SliderBar, where), where).state.position;
}

void Window::SetLeft(ControlId control, std::int32_t left, Where where) {
  Record& record = Find(control, where);
  record.state.place.left = left;
  Changed(record, Property::Left);
}

void Window::SetTop(ControlId control, std::int32_t top, Where where) {
  Record& record = Find(control, where);
  record.state.place.top = top;
  Changed(record, Property::Top);
}

void Window::SetWidth(ControlId control, std::int32_t width, Where where) {
  Record& record = Find(control, where);
  record.state.place.width = width;
  Changed(record, Property::Width);
}

void Window::SetHeight(ControlId control, std::int32_t height, Where where) {
  Record& record = Find(control, where);
  record.state.place.height = height;
  Changed(record, Property::Height);
}

void Window::SetVisible(ControlId control, bool visible, Where where) {
  Record& record = Find(control, where);
  record.state.visible = visible;
  Changed(record, Property::Visible);
}

void Window::SetText(ControlId control, std::string text, Where where) {
  Record& record = Find(control, where);
  record.state.text = std::move(text);
  Changed(record, Property::Text);
}

void Window::SetTag(ControlId control, std::string tag, Where where) {
  Record& record = Find(control, where);
  record.state.tag = std::move(tag);
  Changed(record, Property::Tag);
}

void Window::SetPosition(ControlId control, std::int32_t position, Where where) {
  Record& record = Find(Expect(control, ControlKind::SliderBar, where), where);
  record.state.position = ClampPosition(record.state.settings, position);
  Changed(record, Property::Position);
}

std::optional<ControlId> Window::Copy(ControlId source, Where where) {
  const Record& original = Find(source, where);
  if (original.copyOf || original.state.kind == ControlKind::Window) return std::nullopt;

  Record copy{StateFromDescription(state_->NextId(), original.loaded, original.state.parent), std::string(),
              original.loaded, source};
  copy.state.visible = false;
  auto& records = state_->records;
  const auto at = std::find_if(records.begin(), records.end(),
                               [source](const Record& r) { return r.state.id == source; });
  const auto inserted = records.insert(at, std::move(copy));
  const ControlState& created = inserted->state;  // stays valid: nothing is inserted before the peer returns
  const ControlId id = created.id;
  if (!state_->peer.CreateControl(created, source)) Fault(kFaultOperation, kCreateFailed, where);
  if (state_->outcome) throw EndLoad{*state_->outcome};
  return id;
}

void Window::SetParent(ControlId control, ControlId container, Where where) {
  const Record& target = Find(container, where);
  if (!IsContainer(target.state.kind)) Fault(kFaultKindMismatch, kKindMismatchMessage, where);
  const ControlKind kind = Find(control, where).state.kind;
  if (kind == ControlKind::Window) Fault(kFaultOperation, kBadParent, where);
  // A container may not move into itself or into one of its own children.
  for (std::optional<ControlId> up = container; up; up = Find(*up, where).state.parent) {
    if (*up == control) Fault(kFaultOperation, kBadParent, where);
  }
  Record& record = Find(control, where);
  record.state.parent = container;
  Changed(record, Property::Parent);
}

ControlId Window::FindByTag(std::int32_t n, const TagReader& read, Where where) {
  if (state_->outcome) throw EndLoad{*state_->outcome};
  // The reader is the caller's code: copy the ids first so that it cannot disturb the walk.
  for (const ControlId id : ControlOrder()) {
    if (read(Find(id, where).state.tag) == n) return id;
  }
  Fault(kFaultOperation, kTagNotFoundMessage, where);
}

ControlId Window::EventSource(Where where) {
  if (state_->outcome) throw EndLoad{*state_->outcome};
  if (state_->sources.empty()) Fault(kFaultOperation, kNoEventRunning, where);
  return state_->sources.back();
}

ControlId Window::EventSourceOf(ControlKind expected, Where where) {
  return Expect(EventSource(where), expected, where);
}

ControlId Window::Expect(ControlId control, ControlKind expected, Where where) {
  if (Find(control, where).state.kind != expected) Fault(kFaultKindMismatch, kKindMismatchMessage, where);
  return control;
}

std::uintptr_t Window::NativeHandle() const noexcept { return state_->peer.NativeHandle(); }

void Window::Exit(int code) { throw EndLoad{code}; }

void Window::Fault(std::int32_t code, std::string_view message, Where where) {
  std::string note(message);
  note += "\r\n" + std::to_string(where.line()) + ", " + std::to_string(where.column()) + "\r\n";
  State& state = *state_;
  // A fault inside the hook, or with nobody to take it, gets the toolkit's own box.
  if (state.inHook || !state.hook) {
    state.peer.ShowFaultBox(code, note);
    throw EndLoad{kFaultExitCode};
  }
  state.inHook = true;
  int reported = 0;
  try {
    reported = state.hook(code, note);
  } catch (const EndLoad&) {
    // The nested fault has shown its box already.
    state.inHook = false;
    throw EndLoad{kFaultExitCode};
  } catch (const std::exception& error) {
    state.peer.ShowFaultBox(kFaultOperation, error.what());
    state.inHook = false;
    throw EndLoad{kFaultExitCode};
  } catch (...) {
    state.peer.ShowFaultBox(kFaultOperation, kUnknownException);
    state.inHook = false;
    throw EndLoad{kFaultExitCode};
  }
  state.inHook = false;
  if (reported == 0) state.peer.ShowFaultBox(code, note);
  throw EndLoad{kFaultExitCode};
}

void Window::Dispatch(ControlId control, Event event, std::int32_t argument) noexcept {
  State& state = *state_;
  if (state.outcome) return;  // the load is ending; late events are dropped
  const auto record = std::find_if(state.records.begin(), state.records.end(),
                                   [control](const Record& r) { return r.state.id == control; });
  if (record == state.records.end()) return;
  const ControlId origin = record->copyOf.value_or(control);
  const auto binding = state.bindings.find({origin, event});
  if (binding == state.bindings.end()) return;

  try {
    const Command command = binding->second;  // our own copy: the command may change the bindings' map
    state.sources.push_back(control);
    try {
      command(*this, argument);
    } catch (const EndLoad&) {
      throw;
    } catch (const std::exception& error) {
      Fault(kFaultOperation, error.what());
    } catch (...) {
      Fault(kFaultOperation, kUnknownException);
    }
  } catch (const EndLoad& end) {
    state.outcome = end.code;
  } catch (...) {
    state.outcome = kFaultExitCode;  // the fault path itself failed (out of memory)
  }
  if (!state.sources.empty() && state.sources.back() == control) state.sources.pop_back();
  if (state.outcome && state.loopRunning) state.peer.EndMessageLoop();
}

void Window::Build(const WindowDescription& description, const CommandTable& commands) {
  State& state = *state_;
  if (description.window.kind != ControlKind::Window) Fault(kFaultOperation, kBadDescription);
  state.records.push_back(Record{StateFromDescription(state.NextId(), description.window, std::nullopt),
                                 description.window.name, description.window, std::nullopt});
  state.records.front().state.visible = false;  // shown only after the creation step

  const auto named = [&state](std::string_view name) -> const Record* {
    for (const Record& record : state.records) {
      if (record.name == name) return &record;
    }
    return nullptr;
  };
  for (const ControlDescription& control : description.controls) {
    if (control.kind == ControlKind::Window || control.name.empty() || named(control.name) != nullptr) {
      Fault(kFaultOperation, kBadDescription);
    }
    const Record* parent = named(control.parent);
    if (parent == nullptr || !IsContainer(parent->state.kind)) Fault(kFaultOperation, kBadDescription);
    const ControlId parentId = parent->state.id;
    state.records.push_back(
        Record{StateFromDescription(state.NextId(), control, parentId), control.name, control, std::nullopt});
  }
  for (const Binding& binding : description.bindings) {
    const Record* control = named(binding.control);
    if (control == nullptr) Fault(kFaultOperation, kBadDescription);
    const auto command = commands.find(binding.command);
    if (command == commands.end()) Fault(kFaultOperation, kNoSuchCommand);
    state.bindings[{control->state.id, binding.event}] = command->second;
  }
}

int Window::Run(const WindowDescription& description, const CommandTable& commands) noexcept {
  State& state = *state_;
  try {
    Build(description, commands);
    if (!state.peer.CreateTopWindow(state.records.front().state, *this)) Fault(kFaultOperation, kCreateFailed);
    for (std::size_t i = 1; i < state.records.size(); ++i) {
      if (!state.peer.CreateControl(state.records[i].state, std::nullopt)) Fault(kFaultOperation, kCreateFailed);
    }
  } catch (const EndLoad& end) {
    state.outcome = end.code;
  } catch (...) {
    state.outcome = kFaultExitCode;
  }

  if (!state.outcome) Dispatch(Self(), Event::CreationComplete, 0);
  if (!state.outcome && state.records.front().loaded.visible) {
    state.records.front().state.visible = true;
    state.peer.PropertyChanged(state.records.front().state, Property::Visible);
  }
  if (!state.outcome) {
    state.loopRunning = true;
    state.peer.RunMessageLoop();
    state.loopRunning = false;
  }
  state.peer.DestroyAll();
  return state.outcome.value_or(0);
}

void Window::OnClicked(ControlId control) { Dispatch(control, Event::Click, 0); }

void Window::OnPositionChanged(ControlId control, std::int32_t position) {
  if (state_->outcome) return;
  for (Record& record : state_->records) {
    if (record.state.id == control && record.state.kind == ControlKind::SliderBar) {
      record.state.position = ClampPosition(record.state.settings, position);
      Dispatch(control, Event::PositionChange, 0);
      return;
    }
  }
}

void Window::OnSpinnerPressed(ControlId control, std::int32_t step) { Dispatch(control, Event::SpinnerPress, step); }

void Window::OnTextEdited(ControlId control, std::string text) {
  for (Record& record : state_->records) {
    if (record.state.id == control) {
      record.state.text = std::move(text);
      return;
    }
  }
}

void Window::OnEditFocusLost(ControlId control) {
  if (state_->outcome) return;
  for (Record& record : state_->records) {
    const auto* edit = std::get_if<EditSettings>(&record.state.settings);
    if (record.state.id != control || edit == nullptr || !edit->integerEntry) continue;
    try {
      std::string normalized = NormalizeIntegerEntry(record.state.text);
      if (normalized != record.state.text) {
        record.state.text = std::move(normalized);
        state_->peer.PropertyChanged(record.state, Property::Text);
      }
    } catch (...) {
      // Out of memory while rewriting: the content simply stays as typed.
    }
    return;
  }
}

int Toolkit::Load(const WindowDescription& description, const CommandTable& commands) noexcept {
  try {
    Window window(std::make_unique<Window::State>(peer_, hook_));
    return window.Run(description, commands);
  } catch (...) {
    return kFaultExitCode;
  }
}

}  // namespace mastervol::ui::toolkit
