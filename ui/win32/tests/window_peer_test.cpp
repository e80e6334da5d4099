// The main window on real Win32 controls, under Wine: classes, styles and places, and clicks, slider
// moves, spinner presses and entry edits driven through real messages. The window is never shown.
#include "ui/win32/window_peer.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "audio/testing/fake_endpoint.h"
#include "ui/main_window.h"
#include "ui/panel_commands.h"
#include "ui/toolkit/toolkit.h"
#include "ui/win32/message_sender.h"

namespace mastervol::ui::win32 {
namespace {

using toolkit::ControlDescription;
using toolkit::ControlId;
using toolkit::ControlKind;
using toolkit::Window;

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The window's rectangle in its parent's client coordinates.
toolkit::Place PlaceOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

bool HasStyle(HWND window, DWORD style) {
  return (static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)) & style) == style;
}

struct AppCommand {
  HWND window;
  WPARAM wParam;
  LPARAM lParam;
};

// Keeps the WM_APPCOMMAND messages the window receives instead of passing them on to the shell.
LRESULT CALLBACK CaptureAppCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR captured) {
  if (message == WM_APPCOMMAND) {
    reinterpret_cast<std::vector<AppCommand>*>(captured)->push_back({window, wParam, lParam});
    return TRUE;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

class MainWindowOnWin32 : public ::testing::Test {
 protected:
  // Loads MainWindow; `body` runs as its creation step with the real controls in place. Unless the body
  // arranges otherwise, the load then ends with Exit(0).
  int Load(std::function<void(Window&)> body, bool exitAfterBody = true) {
    toolkit::CommandTable commands = PanelCommands(device, sender);
    commands.emplace(kOnMainWindowCreated, [&](Window& window, std::int32_t) {
      body(window);
      if (exitAfterBody) window.Exit(0);
    });
    commands.emplace(kOnChannelSliderMoved, [&](Window& window, std::int32_t) {
      const ControlId slider = window.EventSourceOf(ControlKind::SliderBar);
      moves.emplace_back(slider, window.Position(slider));
    });
    peer.quietFaults = true;
    toolkit::Toolkit toolkit(peer);
    toolkit.SetFaultHook([&](std::int32_t code, std::string_view note) {
      faults.push_back(std::to_string(code) + " " + std::string(note));
      return 1;
    });
    return toolkit.Load(MainWindow(), commands);
  }

  HWND Real(Window& window, std::string_view name) { return peer.Handle(window.Named(name)); }

  audio::testing::FakeAudioDevice device;
  Win32MessageSender sender;
  Win32WindowPeer peer;
  std::vector<std::pair<ControlId, std::int32_t>> moves;
  std::vector<std::string> faults;
};

TEST_F(MainWindowOnWin32, TheWindowIsAHiddenFixedDialogListedInTheTaskbar) {
  ASSERT_EQ(Load([&](Window& window) {
    const HWND main = reinterpret_cast<HWND>(window.NativeHandle());
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(peer.Handle(window.Self()), main);
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_TRUE(HasStyle(main, WS_CAPTION | WS_SYSMENU));
    EXPECT_FALSE(HasStyle(main, WS_MINIMIZEBOX));
    EXPECT_FALSE(HasStyle(main, WS_MAXIMIZEBOX));
    EXPECT_FALSE(HasStyle(main, WS_THICKFRAME));
    const auto extended = static_cast<DWORD>(GetWindowLongPtrA(main, GWL_EXSTYLE));
    EXPECT_TRUE(extended & WS_EX_APPWINDOW);
    EXPECT_TRUE(extended & WS_EX_DLGMODALFRAME);
    EXPECT_EQ(TextOf(main), "");
    RECT rect{};
    GetWindowRect(main, &rect);
    EXPECT_EQ(rect.right - rect.left, 337);
    EXPECT_EQ(rect.bottom - rect.top, 134);
  }), 0);
  EXPECT_TRUE(faults.empty());
}

TEST_F(MainWindowOnWin32, ControlsAreRealWindowsOfTheirClassUnderTheirParentsAtTheirPlaces) {
  ASSERT_EQ(Load([&](Window& window) {
    for (const ControlDescription& control : MainWindow().controls) {
      SCOPED_TRACE(control.name);
      const HWND real = Real(window, control.name);
      ASSERT_NE(real, nullptr);
      const HWND parent = peer.Handle(control.parent.empty() ? window.Self() : window.Named(control.parent));
      EXPECT_EQ(GetParent(real), parent);
      EXPECT_EQ(HasStyle(real, WS_VISIBLE), control.visible);
      EXPECT_FALSE(IsWindowVisible(real));  // nothing shows while the window is hidden
      if (control.kind != ControlKind::EditBox) {
        EXPECT_EQ(PlaceOf(real), control.place);
        EXPECT_EQ(TextOf(real), control.text);
      }
      switch (control.kind) {
        case ControlKind::GroupBox:
          EXPECT_STRCASEEQ(ClassOf(real).c_str(), "Button");
          EXPECT_EQ(GetWindowLongPtrA(real, GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
          break;
        case ControlKind::Button:
          EXPECT_STRCASEEQ(ClassOf(real).c_str(), "Button");
          EXPECT_EQ(GetWindowLongPtrA(real, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
          break;
        case ControlKind::Label:
          EXPECT_STRCASEEQ(ClassOf(real).c_str(), "Static");
          EXPECT_EQ(GetWindowLongPtrA(real, GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
          EXPECT_TRUE(HasStyle(real, SS_CENTERIMAGE));
          EXPECT_FALSE(HasStyle(real, WS_BORDER));
          EXPECT_FALSE(HasStyle(real, SS_EDITCONTROL));
          break;
        case ControlKind::SliderBar:
          EXPECT_STRCASEEQ(ClassOf(real).c_str(), TRACKBAR_CLASSA);
          EXPECT_TRUE(HasStyle(real, TBS_VERT | TBS_NOTICKS));
          EXPECT_EQ(SendMessageA(real, TBM_GETRANGEMIN, 0, 0), 0);
          EXPECT_EQ(SendMessageA(real, TBM_GETRANGEMAX, 0, 0), 100);
          EXPECT_EQ(SendMessageA(real, TBM_GETPAGESIZE, 0, 0), 5);
          EXPECT_EQ(SendMessageA(real, TBM_GETLINESIZE, 0, 0), 1);
          EXPECT_EQ(SendMessageA(real, TBM_GETPOS, 0, 0), 1);
          break;
        case ControlKind::EditBox: {
          EXPECT_STRCASEEQ(ClassOf(real).c_str(), "Edit");
          EXPECT_TRUE(HasStyle(real, ES_RIGHT));
          EXPECT_FALSE(HasStyle(real, ES_MULTILINE));
          EXPECT_EQ(TextOf(real), "0");
          const HWND spinner = peer.Spinner(window.Named(control.name));
          ASSERT_NE(spinner, nullptr);
          EXPECT_STRCASEEQ(ClassOf(spinner).c_str(), UPDOWN_CLASSA);
          EXPECT_FALSE(HasStyle(spinner, UDS_SETBUDDYINT));
          INT low = -1, high = -1;
          SendMessageA(spinner, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
          EXPECT_EQ(low, 0);
          EXPECT_EQ(high, 100);
          // The box and its spinner share the described place, side by side.
          const toolkit::Place box = PlaceOf(real), arrows = PlaceOf(spinner);
          EXPECT_EQ(GetParent(spinner), parent);
          EXPECT_EQ((toolkit::Place{box.left, box.top, box.width + arrows.width, box.height}), control.place);
          EXPECT_EQ(arrows.left, box.left + box.width);
          break;
        }
        case ControlKind::Window:
          ADD_FAILURE() << "a control of kind Window";
          break;
      }
    }
  }), 0);
}

TEST_F(MainWindowOnWin32, ACopyIsARealHiddenControlAndFollowsTheModel) {
  ASSERT_EQ(Load([&](Window& window) {
    const ControlId group = window.Named(kGroupBox3);
    const std::optional<ControlId> copy = window.Copy(window.Named(kLabel1));
    ASSERT_TRUE(copy.has_value());
    const HWND real = peer.Handle(*copy);
    ASSERT_NE(real, nullptr);
    EXPECT_NE(real, Real(window, kLabel1));
    EXPECT_FALSE(HasStyle(real, WS_VISIBLE));
    EXPECT_EQ(TextOf(real), TextOf(Real(window, kLabel1)));
    EXPECT_EQ(GetWindow(real, GW_HWNDNEXT), Real(window, kLabel1));  // just before its source

    window.SetParent(*copy, window.Self());
    EXPECT_EQ(GetParent(real), peer.Handle(window.Self()));
    window.SetParent(*copy, group);
    EXPECT_EQ(GetParent(real), peer.Handle(group));
    window.SetLeft(*copy, 56);
    window.SetVisible(*copy, true);
    window.SetText(*copy, "75");
    EXPECT_EQ(PlaceOf(real), (toolkit::Place{56, 168, 32, 24}));
    EXPECT_TRUE(HasStyle(real, WS_VISIBLE));
    EXPECT_EQ(TextOf(real), "75");
  }), 0);
  EXPECT_TRUE(faults.empty());
}

TEST_F(MainWindowOnWin32, EndpointButtonsClickedThroughRealMessagesRunTheirCommands) {
  ASSERT_EQ(Load([&](Window& window) {
    for (const char* button : {"按钮5", "按钮6", "按钮7", "按钮8", "按钮9", "按钮4"}) {
      SendMessageA(Real(window, button), BM_CLICK, 0, 0);
    }
  }), 0);
  std::vector<std::string> calls;
  for (const auto& call : device.Calls()) calls.push_back(call.name + (call.flag ? "(1)" : ""));
  EXPECT_EQ(calls, (std::vector<std::string>{"VolumeStepUp", "VolumeStepDown", "SetMute(1)", "SetMute"}));
  EXPECT_EQ(device.EndpointsHeld(), 0);
}

TEST_F(MainWindowOnWin32, AppCommandButtonsSendWmAppCommandToTheWindowItself) {
  std::vector<AppCommand> captured;
  HWND main = nullptr;
  ASSERT_EQ(Load([&](Window& window) {
    main = reinterpret_cast<HWND>(window.NativeHandle());
    ASSERT_TRUE(SetWindowSubclass(main, &CaptureAppCommand, 1, reinterpret_cast<DWORD_PTR>(&captured)));
    for (const char* button : {"按钮1", "按钮2", "按钮3"}) SendMessageA(Real(window, button), BM_CLICK, 0, 0);
    RemoveWindowSubclass(main, &CaptureAppCommand, 1);
  }), 0);
  ASSERT_EQ(captured.size(), 3u);
  const LPARAM expected[] = {0xA0000, 0x90000, 0x80000};
  for (std::size_t i = 0; i < captured.size(); ++i) {
    EXPECT_EQ(captured[i].window, main);
    EXPECT_EQ(captured[i].wParam, reinterpret_cast<WPARAM>(main));
    EXPECT_EQ(captured[i].lParam, expected[i]);
  }
  EXPECT_TRUE(device.Calls().empty());
}

TEST_F(MainWindowOnWin32, ASliderMoveStoresThePositionThenRunsTheSourcesCommand) {
  std::optional<ControlId> copy;
  ASSERT_EQ(Load([&](Window& window) {
    copy = window.Copy(window.Named(kSliderBar1));
    ASSERT_TRUE(copy.has_value());
    const HWND slider = peer.Handle(*copy);
    const HWND group = GetParent(slider);
    // What the trackbar sends its parent while the thumb is dragged, and when the drag ends.
    SendMessageA(slider, TBM_SETPOS, TRUE, 25);
    SendMessageA(group, WM_VSCROLL, MAKEWPARAM(TB_THUMBTRACK, 25), reinterpret_cast<LPARAM>(slider));
    SendMessageA(slider, TBM_SETPOS, TRUE, 30);
    SendMessageA(group, WM_VSCROLL, MAKEWPARAM(TB_LINEDOWN, 0), reinterpret_cast<LPARAM>(slider));
    SendMessageA(group, WM_VSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
    EXPECT_EQ(window.Position(*copy), 30);
  }), 0);
  EXPECT_EQ(moves, (std::vector<std::pair<ControlId, std::int32_t>>{{*copy, 25}, {*copy, 30}}));
  EXPECT_TRUE(faults.empty());
}

TEST_F(MainWindowOnWin32, ASpinnerPressRaisesTheEventAndChangesNothingByItself) {
  std::vector<std::string> contents;
  ASSERT_EQ(Load([&](Window& window) {
    const HWND entry = Real(window, kEditBox1);
    const HWND spinner = peer.Spinner(window.Named(kEditBox1));
    const auto press = [&](int delta) {
      NMUPDOWN notice{};
      notice.hdr.hwndFrom = spinner;
      notice.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(spinner));
      notice.hdr.code = UDN_DELTAPOS;
      notice.iPos = static_cast<int>(SendMessageA(spinner, UDM_GETPOS32, 0, 0));
      notice.iDelta = delta;
      const LRESULT refused = SendMessageA(GetParent(spinner), WM_NOTIFY, notice.hdr.idFrom,
                                           reinterpret_cast<LPARAM>(&notice));
      EXPECT_NE(refused, 0);
      contents.push_back(TextOf(entry));
    };
    press(+1);
    press(+1);
    press(-1);
    // A real click on the lower arrow: the control itself sends UDN_DELTAPOS with a negative delta.
    RECT arrows{};
    GetClientRect(spinner, &arrows);
    const LPARAM lower = MAKELPARAM(arrows.right / 2, arrows.bottom * 3 / 4);
    SendMessageA(spinner, WM_LBUTTONDOWN, MK_LBUTTON, lower);
    SendMessageA(spinner, WM_LBUTTONUP, 0, lower);
    contents.push_back(TextOf(entry));
    EXPECT_EQ(SendMessageA(spinner, UDM_GETPOS32, 0, 0), 0);
  }), 0);
  EXPECT_EQ(contents, (std::vector<std::string>{"2", "4", "2", "0"}));
}

TEST_F(MainWindowOnWin32, TheEntryRefusesLettersAndRewritesItsContentOnFocusLoss) {
  ASSERT_EQ(Load([&](Window& window) {
    const HWND entry = Real(window, kEditBox1);
    const ControlId id = window.Named(kEditBox1);
    SetWindowTextA(entry, "");
    for (char typed : std::string("0a4-2x")) SendMessageA(entry, WM_CHAR, static_cast<WPARAM>(typed), 0);
    EXPECT_EQ(TextOf(entry), "04-2");
    EXPECT_EQ(window.Text(id), "04-2");  // the model follows the user's edits
    SendMessageA(entry, WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(TextOf(entry), "4");
    EXPECT_EQ(window.Text(id), "4");

    SetWindowTextA(entry, "0");
    SendMessageA(entry, WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(TextOf(entry), "");  // 0 shows as an empty box
    SetWindowTextA(entry, "99999999999");
    SendMessageA(entry, WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(TextOf(entry), "2147483647");

    // The set-volume button reads what the model holds.
    SetWindowTextA(entry, "35");
    SendMessageA(Real(window, "按钮10"), BM_CLICK, 0, 0);
  }), 0);
  ASSERT_EQ(device.Calls().size(), 1u);
  EXPECT_EQ(device.Calls()[0].level, 0.35f);
}

TEST_F(MainWindowOnWin32, EscClosesTheWindowWhichIsNeverShown) {
  HWND main = nullptr;
  const int code = Load(
      [&](Window& window) {
        main = reinterpret_cast<HWND>(window.NativeHandle());
        PostMessageA(Real(window, kEditBox1), WM_KEYDOWN, VK_ESCAPE, 0);
      },
      false);
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(IsWindow(main));
  EXPECT_TRUE(faults.empty());
}

TEST_F(MainWindowOnWin32, ExitFromACommandInTheMessageLoopEndsTheLoad) {
  // 按钮10 is replaced by a command that exits; the click arrives through the message loop.
  toolkit::CommandTable commands = PanelCommands(device, sender);
  commands[std::string(kSetVolumeFromEntry)] = [](Window& window, std::int32_t) { window.Exit(9); };
  commands.emplace(kOnMainWindowCreated, [&](Window& window, std::int32_t) {
    PostMessageA(Real(window, "按钮10"), BM_CLICK, 0, 0);
  });
  commands.emplace(kOnChannelSliderMoved, [](Window&, std::int32_t) {});
  toolkit::Toolkit toolkit(peer);
  toolkit.SetFaultHook([](std::int32_t, std::string_view) { return 1; });
  EXPECT_EQ(toolkit.Load(MainWindow(), commands), 9);
}

}  // namespace
}  // namespace mastervol::ui::win32
