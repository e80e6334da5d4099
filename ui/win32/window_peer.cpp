// The Win32 peer: one trampoline per window procedure, one small handler per message. Group boxes are
// subclassed so that their children's notifications reach the peer as the window's own children's do.
#include "ui/win32/window_peer.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "ui/toolkit/integer_entry.h"

namespace mastervol::ui::win32 {
namespace {

using toolkit::ControlId;
using toolkit::ControlKind;
using toolkit::ControlState;
using toolkit::Property;

constexpr char kWindowClass[] = "MastervolToolkitWindow";
constexpr UINT_PTR kContainerSubclass = 1;
constexpr UINT_PTR kEntrySubclass = 2;
constexpr int kSpinnerWidth = 16;  // the up-down control's share of an edit box's place
constexpr char kFaultBoxTitle[] = "运行时错误";

bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) noexcept {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

DWORD VisibleStyle(bool visible) noexcept { return visible ? WS_VISIBLE : 0; }

void SetDefaultFont(HWND window) noexcept {
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

}  // namespace

Win32WindowPeer::Win32WindowPeer() noexcept {
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
}

Win32WindowPeer::~Win32WindowPeer() { DestroyAll(); }

bool Win32WindowPeer::CreateTopWindow(const ControlState& window, toolkit::PeerEvents& events) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterWindowClass(instance, &WindowProc)) return false;
  const auto* settings = std::get_if<toolkit::WindowSettings>(&window.settings);
  const toolkit::WindowSettings look = settings != nullptr ? *settings : toolkit::WindowSettings{};

  DWORD style = WS_CAPTION | WS_CLIPCHILDREN;
  if (look.closeBox) style |= WS_SYSMENU;
  if (look.minimizeBox) style |= WS_MINIMIZEBOX;
  if (look.maximizeBox) style |= WS_MAXIMIZEBOX;
  if (!look.dialogFrame) style |= WS_THICKFRAME;
  DWORD extendedStyle = look.dialogFrame ? WS_EX_DLGMODALFRAME : 0;
  if (look.inTaskbar) extendedStyle |= WS_EX_APPWINDOW;

  events_ = &events;
  // Created hidden whatever the flag says: the model shows it after the creation step.
  const HWND created = CreateWindowExA(extendedStyle, kWindowClass, window.text.c_str(), style, window.place.left,
                                       window.place.top, window.place.width, window.place.height, nullptr,
                                       nullptr, instance, this);
  if (created == nullptr) return false;
  window_.reset(created);
  entries_.push_back(Entry{window.id, ControlKind::Window, created, nullptr, look.escapeCloses, false});
  return true;
}

bool Win32WindowPeer::CreateControl(const ControlState& control, std::optional<ControlId> before) {
  const HWND parent = ParentWindow(control.parent);
  if (parent == nullptr) return false;
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  const DWORD common = WS_CHILD | VisibleStyle(control.visible);
  const toolkit::Place& place = control.place;
  const auto create = [&](DWORD extendedStyle, const char* className, const char* text, DWORD style) {
    return CreateWindowExA(extendedStyle, className, text, common | style, place.left, place.top, place.width,
                           place.height, parent, nullptr, instance, nullptr);
  };

  Entry entry{control.id, control.kind, nullptr, nullptr, false, false};
  switch (control.kind) {
    case ControlKind::Window:
      return false;
    case ControlKind::GroupBox:
      entry.window = create(0, WC_BUTTONA, control.text.c_str(), BS_GROUPBOX);
      if (entry.window != nullptr && !SetWindowSubclass(entry.window, &ContainerProc, kContainerSubclass,
                                                        reinterpret_cast<DWORD_PTR>(this))) {
        DestroyWindow(entry.window);
        return false;
      }
      break;
    case ControlKind::Button:
      entry.window = create(0, WC_BUTTONA, control.text.c_str(), WS_TABSTOP | BS_PUSHBUTTON);
      break;
    case ControlKind::Label: {
      const auto* label = std::get_if<toolkit::LabelSettings>(&control.settings);
      const toolkit::LabelSettings look = label != nullptr ? *label : toolkit::LabelSettings{};
      // SS_CENTERIMAGE draws the text as one vertically centred line, so it never wraps.
      DWORD style = look.centredHorizontally ? SS_CENTER : SS_LEFT;
      if (look.centredVertically || !look.wordWrap) style |= SS_CENTERIMAGE;
      if (look.border) style |= WS_BORDER;
      entry.window = create(0, WC_STATICA, control.text.c_str(), style);
      break;
    }
    case ControlKind::SliderBar: {
      const auto* slider = std::get_if<toolkit::SliderSettings>(&control.settings);
      const toolkit::SliderSettings look = slider != nullptr ? *slider : toolkit::SliderSettings{};
      DWORD style = WS_TABSTOP | (look.vertical ? TBS_VERT : TBS_HORZ);
      if (!look.tickMarks) style |= TBS_NOTICKS;
      entry.window = create(0, TRACKBAR_CLASSA, "", style);
      if (entry.window != nullptr) {
        SendMessageA(entry.window, TBM_SETRANGEMIN, FALSE, look.minimum);
        SendMessageA(entry.window, TBM_SETRANGEMAX, FALSE, look.maximum);
        SendMessageA(entry.window, TBM_SETPAGESIZE, 0, look.pageStep);
        SendMessageA(entry.window, TBM_SETLINESIZE, 0, look.lineStep);
        SendMessageA(entry.window, TBM_SETPOS, TRUE, control.position);
      }
      break;
    }
    case ControlKind::EditBox: {
      const auto* edit = std::get_if<toolkit::EditSettings>(&control.settings);
      const toolkit::EditSettings look = edit != nullptr ? *edit : toolkit::EditSettings{};
      DWORD style = WS_TABSTOP | WS_BORDER | (look.rightAligned ? ES_RIGHT : ES_LEFT);
      style |= look.singleLine ? ES_AUTOHSCROLL : (ES_MULTILINE | ES_AUTOVSCROLL);
      entry.window = create(0, WC_EDITA, control.text.c_str(), style);
      entry.integerEntry = look.integerEntry;
      if (entry.window == nullptr) break;
      if (!SetWindowSubclass(entry.window, &EntryProc, kEntrySubclass, reinterpret_cast<DWORD_PTR>(this))) {
        DestroyWindow(entry.window);
        return false;
      }
      if (look.spinner) {
        // No UDS_SETBUDDYINT: a press only reports UDN_DELTAPOS, the peer refuses the change, and the
        // model decides what the content becomes.
        entry.spinner = CreateWindowExA(0, UPDOWN_CLASSA, "", common, 0, 0, 0, 0, parent, nullptr, instance, nullptr);
        if (entry.spinner == nullptr) {
          DestroyWindow(entry.window);
          return false;
        }
        SendMessageA(entry.spinner, UDM_SETRANGE32, static_cast<WPARAM>(look.spinnerMinimum),
                     look.spinnerMaximum);
      }
      break;
    }
  }
  if (entry.window == nullptr) return false;
  SetDefaultFont(entry.window);
  entries_.push_back(entry);
  Layout(entry, place);
  if (before) {
    // Control order is z-order: the copy goes just above the control it precedes.
    if (const Entry* next = FindEntry(*before); next != nullptr) {
      const HWND previous = GetWindow(next->window, GW_HWNDPREV);
      SetWindowPos(entry.window, previous != nullptr ? previous : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  return true;
}

void Win32WindowPeer::Layout(const Entry& entry, const toolkit::Place& place) noexcept {
  if (entry.kind == ControlKind::Window) {
    SetWindowPos(entry.window, nullptr, place.left, place.top, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  // An entry box and its spinner share the box's place, the spinner on the right.
  const int spinner = entry.spinner != nullptr ? std::min(kSpinnerWidth, place.width) : 0;
  MoveWindow(entry.window, place.left, place.top, place.width - spinner, place.height, TRUE);
  if (entry.spinner != nullptr) {
    MoveWindow(entry.spinner, place.left + place.width - spinner, place.top, spinner, place.height, TRUE);
  }
}

void Win32WindowPeer::ShowCentred(const ControlState& window) noexcept {
  const int left = (GetSystemMetrics(SM_CXSCREEN) - window.place.width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - window.place.height) / 2;
  SetWindowPos(window_.get(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(window_.get(), SW_SHOWNORMAL);
}

void Win32WindowPeer::PropertyChanged(const ControlState& state, Property property) {
  const Entry* entry = FindEntry(state.id);
  if (entry == nullptr) return;
  switch (property) {
    case Property::Left:
    case Property::Top:
    case Property::Width:
    case Property::Height:
      Layout(*entry, state.place);
      break;
    case Property::Visible:
      if (entry->kind == ControlKind::Window && state.visible) {
        const auto* look = std::get_if<toolkit::WindowSettings>(&state.settings);
        if (look == nullptr || look->centred) {
          ShowCentred(state);
          break;
        }
      }
      ShowWindow(entry->window, state.visible ? SW_SHOW : SW_HIDE);
      if (entry->spinner != nullptr) ShowWindow(entry->spinner, state.visible ? SW_SHOW : SW_HIDE);
      break;
    case Property::Text:
      applyingText_ = true;
      SetWindowTextA(entry->window, state.text.c_str());
      applyingText_ = false;
      break;
    case Property::Tag:
      break;  // the tag lives in the model only
    case Property::Position:
      SendMessageA(entry->window, TBM_SETPOS, TRUE, state.position);
      break;
    case Property::Parent: {
      const HWND parent = ParentWindow(state.parent);
      if (parent == nullptr) break;
      SetParent(entry->window, parent);
      if (entry->spinner != nullptr) SetParent(entry->spinner, parent);
      Layout(*entry, state.place);  // the place stays relative to the new parent
      break;
    }
  }
}

bool Win32WindowPeer::IsEscapeForUs(const MSG& message) const noexcept {
  if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE || window_.get() == nullptr) return false;
  if (entries_.empty() || !entries_.front().escapeCloses) return false;
  return message.hwnd == window_.get() || IsChild(window_.get(), message.hwnd);
}

void Win32WindowPeer::RunMessageLoop() {
  if (window_.get() == nullptr) return;
  loopRunning_ = true;
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsEscapeForUs(message)) {
      PostMessageA(window_.get(), WM_CLOSE, 0, 0);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  loopRunning_ = false;
}

void Win32WindowPeer::EndMessageLoop() noexcept {
  if (loopRunning_) PostQuitMessage(0);
}

void Win32WindowPeer::DestroyAll() noexcept {
  window_.reset();
  entries_.clear();
  events_ = nullptr;
}

std::uintptr_t Win32WindowPeer::NativeHandle() const noexcept {
  return reinterpret_cast<std::uintptr_t>(window_.get());
}

void Win32WindowPeer::ShowFaultBox(std::int32_t code, std::string_view note) noexcept {
  try {
    std::string text = std::to_string(code) + "\r\n" + std::string(note);
    if (quietFaults) {
      lastFaultNote = std::move(text);
      return;
    }
    MessageBoxA(nullptr, text.c_str(), kFaultBoxTitle, MB_ICONERROR | MB_OK | MB_TASKMODAL);
  } catch (...) {
    // Nothing is left to report with.
  }
}

HWND Win32WindowPeer::Handle(ControlId control) const noexcept {
  const Entry* entry = FindEntry(control);
  return entry != nullptr ? entry->window : nullptr;
}

HWND Win32WindowPeer::Spinner(ControlId control) const noexcept {
  const Entry* entry = FindEntry(control);
  return entry != nullptr ? entry->spinner : nullptr;
}

const Win32WindowPeer::Entry* Win32WindowPeer::FindEntry(ControlId control) const noexcept {
  const auto it = std::find_if(entries_.begin(), entries_.end(), [control](const Entry& e) { return e.id == control; });
  return it != entries_.end() ? &*it : nullptr;
}

const Win32WindowPeer::Entry* Win32WindowPeer::FindByWindow(HWND window) const noexcept {
  if (window == nullptr) return nullptr;
  const auto it = std::find_if(entries_.begin(), entries_.end(),
                               [window](const Entry& e) { return e.window == window || e.spinner == window; });
  return it != entries_.end() ? &*it : nullptr;
}

HWND Win32WindowPeer::ParentWindow(const std::optional<ControlId>& parent) const noexcept {
  if (!parent) return nullptr;
  const Entry* entry = FindEntry(*parent);
  return entry != nullptr ? entry->window : nullptr;
}

// WM_COMMAND: a button's click, or the user's edit of an entry box.
bool Win32WindowPeer::OnCommand(WPARAM wParam, LPARAM lParam) {
  const Entry* entry = FindByWindow(reinterpret_cast<HWND>(lParam));
  if (entry == nullptr || events_ == nullptr) return false;
  const ControlId id = entry->id;
  switch (HIWORD(wParam)) {
    case BN_CLICKED:
      if (entry->kind != ControlKind::Button) return false;
      events_->OnClicked(id);
      return true;
    case EN_CHANGE: {
      if (entry->kind != ControlKind::EditBox || applyingText_) return false;
      std::string text(static_cast<std::size_t>(GetWindowTextLengthA(entry->window)) + 1, '\0');
      text.resize(static_cast<std::size_t>(GetWindowTextA(entry->window, text.data(), static_cast<int>(text.size()))));
      events_->OnTextEdited(id, std::move(text));
      return true;
    }
    default:
      return false;
  }
}

// WM_VSCROLL from a vertical slider: every movement except the end-of-scroll notice.
bool Win32WindowPeer::OnVerticalScroll(WPARAM wParam, LPARAM lParam) {
  const Entry* entry = FindByWindow(reinterpret_cast<HWND>(lParam));
  if (entry == nullptr || entry->kind != ControlKind::SliderBar || events_ == nullptr) return false;
  if (LOWORD(wParam) == TB_ENDTRACK) return true;
  const auto position = static_cast<std::int32_t>(SendMessageA(entry->window, TBM_GETPOS, 0, 0));
  events_->OnPositionChanged(entry->id, position);
  return true;
}

// WM_NOTIFY: a spinner press. The non-zero result refuses the spinner's own change.
bool Win32WindowPeer::OnNotify(LPARAM lParam, LRESULT& result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header == nullptr || header->code != UDN_DELTAPOS || events_ == nullptr) return false;
  const Entry* entry = FindByWindow(header->hwndFrom);
  if (entry == nullptr || entry->spinner != header->hwndFrom) return false;
  const auto* press = reinterpret_cast<const NMUPDOWN*>(lParam);
  result = TRUE;
  events_->OnSpinnerPressed(entry->id, press->iDelta > 0 ? +1 : -1);
  return true;
}

// WM_DESTROY of the window: the system destroyed it (the user closed it), so the loop ends.
void Win32WindowPeer::OnDestroy(HWND window) noexcept {
  if (window != window_.get()) return;
  window_.release();
  if (loopRunning_) PostQuitMessage(0);
}

LRESULT CALLBACK Win32WindowPeer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32WindowPeer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self != nullptr) {
    if (message == WM_DESTROY) {
      self->OnDestroy(window);
      return 0;
    }
    LRESULT result = 0;
    if (self->OnControlMessage(message, wParam, lParam, result)) return result;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK Win32WindowPeer::ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR selfData) {
  auto* self = reinterpret_cast<Win32WindowPeer*>(selfData);
  LRESULT result = 0;
  if (self->OnControlMessage(message, wParam, lParam, result)) return result;
  return DefSubclassProc(window, message, wParam, lParam);
}

bool Win32WindowPeer::OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_COMMAND:
      return OnCommand(wParam, lParam);
    case WM_VSCROLL:
      return OnVerticalScroll(wParam, lParam);
    case WM_NOTIFY:
      return OnNotify(lParam, result);
    default:
      return false;
  }
}

LRESULT CALLBACK Win32WindowPeer::EntryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR selfData) {
  auto* self = reinterpret_cast<Win32WindowPeer*>(selfData);
  switch (message) {
    case WM_CHAR: {
      // Integer entry: typed characters other than digits and '-' are refused; control keys pass.
      const Entry* entry = self->FindByWindow(window);
      if (entry != nullptr && entry->integerEntry &&
          !toolkit::AcceptsIntegerEntryChar(static_cast<unsigned int>(wParam))) {
        return 0;
      }
      break;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
      if (const Entry* entry = self->FindByWindow(window); entry != nullptr && self->events_ != nullptr) {
        self->events_->OnEditFocusLost(entry->id);
      }
      return result;
    }
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace mastervol::ui::win32
