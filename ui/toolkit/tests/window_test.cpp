// The toolkit's model through a recording peer: loading, copies, parents, find-by-tag, the event source,
// and how Exit, faults and stray exceptions end a load.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ui/toolkit/testing/recording_peer.h"
#include "ui/toolkit/toolkit.h"

namespace mastervol::ui::toolkit {
namespace {

using testing::RecordingPeer;

struct HookCall {
  std::int32_t code;
  std::string note;
};

// A window with a group holding a button, a hidden slider template, a label and an entry box.
WindowDescription SmallWindow() {
  WindowDescription d;
  d.window = {"", ControlKind::Window, "", {50, 50, 300, 100}, false, "", "", WindowSettings{}};
  d.controls = {
      {"group", ControlKind::GroupBox, "", {10, 10, 200, 80}, true, "Group", "", {}},
      {"button", ControlKind::Button, "group", {5, 5, 40, 20}, true, "Go", "7", {}},
      {"slider", ControlKind::SliderBar, "group", {16, 16, 32, 152}, false, "", "",
       SliderSettings{.minimum = 0, .maximum = 100, .position = 1}},
      {"label", ControlKind::Label, "group", {12, 168, 32, 24}, false, "Caption", "", LabelSettings{}},
      {"entry", ControlKind::EditBox, "", {100, 10, 30, 20}, true, "0", "", EditSettings{}},
  };
  d.bindings = {{"", Event::CreationComplete, "created"},
                {"button", Event::Click, "clicked"},
                {"slider", Event::PositionChange, "moved"},
                {"entry", Event::SpinnerPress, "spun"}};
  return d;
}

class ToolkitTest : public ::testing::Test {
 protected:
  ToolkitTest() {
    toolkit.SetFaultHook([this](std::int32_t code, std::string_view note) {
      hookCalls.push_back({code, std::string(note)});
      return hookResult;
    });
    for (const char* name : {"created", "clicked", "moved", "spun"}) commands[name] = [](Window&, std::int32_t) {};
  }

  // Loads SmallWindow with `created` as its creation step.
  int LoadWith(Command created) {
    commands["created"] = std::move(created);
    return toolkit.Load(description, commands);
  }

  RecordingPeer peer;
  Toolkit toolkit{peer};
  WindowDescription description = SmallWindow();
  CommandTable commands;
  std::vector<HookCall> hookCalls;
  int hookResult = 1;
};

// The line of a fault's note after its message: "line, column".
std::string NoteLocation(const std::string& note, std::string_view message) {
  const std::string prefix = std::string(message) + "\r\n";
  if (note.rfind(prefix, 0) != 0 || note.size() < prefix.size() + 2 || note.substr(note.size() - 2) != "\r\n") {
    return "malformed: " + note;
  }
  return note.substr(prefix.size(), note.size() - prefix.size() - 2);
}

TEST_F(ToolkitTest, LoadCreatesHiddenRunsCreationStepThenLoopsAndReturnsZeroWhenClosed) {
  std::vector<std::string> seenAtCreation;
  const int code = LoadWith([&](Window& window, std::int32_t) {
    seenAtCreation.push_back(window.Visible(window.Self()) ? "window shown" : "window hidden");
    EXPECT_EQ(window.EventSource(), window.Self());
    EXPECT_TRUE(window.Visible(window.Named("button")));
    EXPECT_FALSE(window.Visible(window.Named("slider")));
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(seenAtCreation, std::vector<std::string>{"window hidden"});
  ASSERT_GE(peer.calls.size(), 8u);
  EXPECT_EQ(peer.calls[0].what, "CreateTopWindow");
  for (std::size_t i = 1; i <= 5; ++i) EXPECT_EQ(peer.calls[i].what, "CreateControl") << i;
  EXPECT_EQ(peer.calls[6].what, "RunMessageLoop");  // the hidden window is never shown
  EXPECT_EQ(peer.calls[7].what, "DestroyAll");
  EXPECT_FALSE(peer.mirrored.begin()->second.visible);
}

TEST_F(ToolkitTest, VisibleWindowIsShownOnlyAfterTheCreationStep) {
  description.window.visible = true;
  bool shownDuringCreation = true;
  ASSERT_EQ(LoadWith([&](Window& window, std::int32_t) { shownDuringCreation = peer.mirrored[window.Self()].visible; }),
            0);
  EXPECT_FALSE(shownDuringCreation);
  EXPECT_TRUE(peer.mirrored.begin()->second.visible);
  EXPECT_EQ(peer.calls[6].what, "PropertyChanged");
  EXPECT_EQ(peer.calls[6].property, Property::Visible);
}

TEST_F(ToolkitTest, CopyIsBuiltFromTheDescriptionHiddenUnderTheSourcesParentJustBeforeIt) {
  ASSERT_EQ(LoadWith([&](Window& window, std::int32_t) {
    const ControlId slider = window.Named("slider");
    const ControlId group = window.Named("group");
    // Current values differ from the loaded ones in every property a copy could take.
    window.SetPosition(slider, 60);
    window.SetLeft(slider, 99);
    window.SetTag(slider, "3");
    window.SetText(slider, "changed");
    window.SetVisible(slider, true);
    const std::vector<ControlId> before = window.ControlOrder();

    const std::optional<ControlId> copy = window.Copy(slider);
    ASSERT_TRUE(copy.has_value());
    EXPECT_NE(*copy, slider);
    EXPECT_TRUE(window.IsCopy(*copy));
    EXPECT_EQ(window.Kind(*copy), ControlKind::SliderBar);
    EXPECT_EQ(window.Position(*copy), 1);
    EXPECT_EQ(window.Left(*copy), 16);
    EXPECT_EQ(window.Tag(*copy), "");
    EXPECT_EQ(window.Text(*copy), "");
    EXPECT_FALSE(window.Visible(*copy));
    EXPECT_EQ(window.Parent(*copy), group);

    std::vector<ControlId> expected = before;
    expected.insert(std::find(expected.begin(), expected.end(), slider), *copy);
    EXPECT_EQ(window.ControlOrder(), expected);
    EXPECT_EQ(peer.calls.back().what, "CreateControl");
    EXPECT_EQ(peer.calls.back().before, slider);
    EXPECT_FALSE(peer.mirrored[*copy].visible);

    // The copy itself cannot be copied, nor can the window.
    EXPECT_FALSE(window.Copy(*copy).has_value());
    EXPECT_FALSE(window.Copy(window.Self()).has_value());
    // A second copy of the source is fine and lands between the first copy and the source.
    const std::optional<ControlId> second = window.Copy(slider);
    ASSERT_TRUE(second.has_value());
    const std::vector<ControlId> order = window.ControlOrder();
    const auto at = std::find(order.begin(), order.end(), *second);
    ASSERT_NE(at, order.end());
    EXPECT_EQ(*(at - 1), *copy);
    EXPECT_EQ(*(at + 1), slider);
  }), 0);
  EXPECT_TRUE(hookCalls.empty());
}

TEST_F(ToolkitTest, CopysEventsRunTheSourcesCommandWithTheCopyAsSource) {
  std::optional<ControlId> copy;
  std::vector<std::pair<ControlId, std::int32_t>> moves;
  commands["moved"] = [&](Window& window, std::int32_t) {
    const ControlId source = window.EventSourceOf(ControlKind::SliderBar);
    moves.emplace_back(source, window.Position(source));  // the position is stored before the event
  };
  peer.duringLoop = [&](RecordingPeer& p) {
    p.Events().OnPositionChanged(*copy, 40);
    p.Events().OnPositionChanged(*copy, 250);  // clamped to the maximum
  };
  ASSERT_EQ(LoadWith([&](Window& window, std::int32_t) { copy = window.Copy(window.Named("slider")); }), 0);
  ASSERT_TRUE(copy.has_value());
  EXPECT_EQ(moves, (std::vector<std::pair<ControlId, std::int32_t>>{{*copy, 40}, {*copy, 100}}));
}

TEST_F(ToolkitTest, ClicksAndSpinnerPressesReachTheirCommandsWithTheirArguments) {
  std::vector<std::string> seen;
  commands["clicked"] = [&](Window& window, std::int32_t argument) {
    seen.push_back("click " + window.Tag(window.EventSource()) + " " + std::to_string(argument));
  };
  commands["spun"] = [&](Window& window, std::int32_t step) {
    EXPECT_EQ(window.EventSourceOf(ControlKind::EditBox), window.Named("entry"));
    seen.push_back("spin " + std::to_string(step));
  };
  std::optional<ControlId> button, entry, label;
  peer.duringLoop = [&](RecordingPeer& p) {
    p.Events().OnClicked(*button);
    p.Events().OnSpinnerPressed(*entry, +1);
    p.Events().OnSpinnerPressed(*entry, -1);
    p.Events().OnClicked(*label);  // nothing bound: nothing runs
  };
  ASSERT_EQ(LoadWith([&](Window& window, std::int32_t) {
    button = window.Named("button");
    entry = window.Named("entry");
    label = window.Named("label");
  }), 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"click 7 0", "spin 1", "spin -1"}));
}

TEST_F(ToolkitTest, PositionsAreClampedToTheSlidersRange) {
  ASSERT_EQ(LoadWith([&](Window& window, std::int32_t) {
    const ControlId slider = window.Named("slider");
    window.SetPosition(slider, 150);
    EXPECT_EQ(window.Position(slider), 100);
    EXPECT_EQ(peer.mirrored[slider].position, 100);
    window.SetPosition(slider, -3);
    EXPECT_EQ(window.Position(slider), 0);
  }), 0);
}

TEST_F(ToolkitTest, SetParentMovesTheControlAndKeepsItsPlace) {
  ASSERT_EQ(LoadWith([&](Window& window, std::int32_t) {
    const ControlId entry = window.Named("entry");
    const ControlId group = window.Named("group");
    window.SetParent(entry, group);
    EXPECT_EQ(window.Parent(entry), group);
    EXPECT_EQ(window.Left(entry), 100);
    EXPECT_EQ(peer.mirrored[entry].parent, group);
    EXPECT_EQ(peer.calls.back().property, Property::Parent);
  }), 0);
}

TEST_F(ToolkitTest, SetParentRefusesAContainerThatIsNoContainerAndACycle) {
  struct Case {
    const char* control;
    const char* container;
    std::int32_t code;
  };
  for (const Case& c : {Case{"label", "button", kFaultKindMismatch}, Case{"group", "group", kFaultOperation}}) {
    hookCalls.clear();
    EXPECT_EQ(LoadWith([&](Window& window, std::int32_t) {
      window.SetParent(window.Named(c.control), window.Named(c.container));
    }), kFaultExitCode) << c.control;
    ASSERT_EQ(hookCalls.size(), 1u);
    EXPECT_EQ(hookCalls[0].code, c.code);
  }
}

TEST_F(ToolkitTest, FindByTagTakesTheFirstInControlOrderWindowFirst) {
  ASSERT_EQ(LoadWith([&](Window& window, std::int32_t) {
    const ControlId slider = window.Named("slider");
    const ControlId label = window.Named("label");
    EXPECT_EQ(window.FindByTag(7), window.Named("button"));
    EXPECT_EQ(window.FindByTag(0), window.Self());  // every tag is empty and reads 0; the window comes first
    window.SetTag(label, "101");
    window.SetTag(slider, " 101abc");
    EXPECT_EQ(window.FindByTag(101), slider);  // the slider precedes the label
    const std::optional<ControlId> copy = window.Copy(label);
    ASSERT_TRUE(copy.has_value());
    window.SetTag(*copy, "5");
    EXPECT_EQ(window.FindByTag(5), *copy);
    // The caller's own reading of a tag.
    EXPECT_EQ(window.FindByTag(1, [](std::string_view tag) { return tag == "5" ? 1 : -1; }), *copy);
  }), 0);
}

TEST_F(ToolkitTest, FindByTagWithoutAMatchIsFaultZeroLocatedAtTheCall) {
  int line = 0;
  bool continued = false;
  const int code = LoadWith([&](Window& window, std::int32_t) {
    line = __LINE__ + 1;
    static_cast<void>(window.FindByTag(42));
    continued = true;
  });
  EXPECT_EQ(code, kFaultExitCode);
  EXPECT_FALSE(continued);
  ASSERT_EQ(hookCalls.size(), 1u);
  EXPECT_EQ(hookCalls[0].code, 0);
  const std::string location = NoteLocation(hookCalls[0].note, kTagNotFoundMessage);
  EXPECT_EQ(location.substr(0, location.find(", ")), std::to_string(line));
  EXPECT_NE(location.find(", "), std::string::npos);
  EXPECT_TRUE(peer.faultBoxes.empty());  // the hook reported it
  EXPECT_TRUE(peer.destroyed);
}

TEST_F(ToolkitTest, AControlOfTheWrongKindIsFaultFive) {
  struct Case {
    const char* name;
    std::function<void(Window&)> act;
  };
  const Case cases[] = {
      {"event source", [](Window& w) { static_cast<void>(w.EventSourceOf(ControlKind::SliderBar)); }},
      {"expect", [](Window& w) { w.Expect(w.Named("button"), ControlKind::Label); }},
      {"position of a label", [](Window& w) { static_cast<void>(w.Position(w.Named("label"))); }},
  };
  for (const Case& c : cases) {
    hookCalls.clear();
    EXPECT_EQ(LoadWith([&](Window& window, std::int32_t) { c.act(window); }), kFaultExitCode) << c.name;
    ASSERT_EQ(hookCalls.size(), 1u) << c.name;
    EXPECT_EQ(hookCalls[0].code, 5) << c.name;
    EXPECT_EQ(hookCalls[0].note.rfind(std::string(kKindMismatchMessage) + "\r\n", 0), 0u) << c.name;
  }
}

TEST_F(ToolkitTest, ExitEndsTheLoadWithItsCodeBeforeTheLoopAndTidiesUp) {
  description.window.visible = true;
  bool continued = false;
  EXPECT_EQ(LoadWith([&](Window& window, std::int32_t) {
    window.Exit(7);
    continued = true;
  }), 7);
  EXPECT_FALSE(continued);
  EXPECT_TRUE(peer.destroyed);
  for (const auto& call : peer.calls) {
    EXPECT_NE(call.what, "RunMessageLoop");
    EXPECT_NE(call.property, Property::Visible);  // never shown
  }
}

TEST_F(ToolkitTest, ExitFromACommandInTheLoopEndsTheLoopAndDropsLaterEvents) {
  int clicks = 0;
  commands["clicked"] = [&](Window& window, std::int32_t) {
    ++clicks;
    window.Exit(3);
  };
  std::optional<ControlId> button;
  peer.duringLoop = [&](RecordingPeer& p) {
    p.Events().OnClicked(*button);
    EXPECT_TRUE(p.loopEnded);
    p.Events().OnClicked(*button);
  };
  EXPECT_EQ(LoadWith([&](Window& window, std::int32_t) { button = window.Named("button"); }), 3);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ToolkitTest, TheHooksAnswerDecidesWhetherTheToolkitShowsItsOwnBox) {
  struct Case {
    int hookResult;
    bool hookRegistered;
    std::size_t hookCalls;
    std::size_t boxes;
  };
  for (const Case& c : {Case{1, true, 1, 0}, Case{0, true, 1, 1}, Case{1, false, 0, 1}}) {
    RecordingPeer freshPeer;
    Toolkit fresh(freshPeer);
    std::size_t called = 0;
    if (c.hookRegistered) {
      fresh.SetFaultHook([&](std::int32_t, std::string_view) {
        ++called;
        return c.hookResult;
      });
    }
    commands["created"] = [](Window& window, std::int32_t) { window.Fault(9, "boom"); };
    EXPECT_EQ(fresh.Load(description, commands), kFaultExitCode);
    EXPECT_EQ(called, c.hookCalls);
    ASSERT_EQ(freshPeer.faultBoxes.size(), c.boxes);
    if (c.boxes == 1) {
      EXPECT_EQ(freshPeer.faultBoxes[0].code, 9);
    }
  }
}

TEST_F(ToolkitTest, AFaultInsideTheHookIsNotPassedToTheHookAgain) {
  std::optional<ControlId> label;
  toolkit.SetFaultHook([&](std::int32_t code, std::string_view note) {
    hookCalls.push_back({code, std::string(note)});
    throw std::runtime_error("hook broke");
    return 1;
  });
  EXPECT_EQ(LoadWith([&](Window& window, std::int32_t) { window.Fault(1, "first"); }), kFaultExitCode);
  ASSERT_EQ(hookCalls.size(), 1u);
  ASSERT_EQ(peer.faultBoxes.size(), 1u);
  EXPECT_EQ(peer.faultBoxes[0].note, "hook broke");

  // A toolkit fault raised by the hook's own call ends the same way.
  RecordingPeer secondPeer;
  Toolkit second(secondPeer);
  Window* loaded = nullptr;
  int calls = 0;
  second.SetFaultHook([&](std::int32_t, std::string_view) {
    ++calls;
    static_cast<void>(loaded->FindByTag(12345));
    return 1;
  });
  commands["created"] = [&](Window& window, std::int32_t) {
    loaded = &window;
    window.Fault(1, "first");
  };
  EXPECT_EQ(second.Load(description, commands), kFaultExitCode);
  EXPECT_EQ(calls, 1);
  ASSERT_EQ(secondPeer.faultBoxes.size(), 1u);
  EXPECT_EQ(secondPeer.faultBoxes[0].code, 0);
  EXPECT_EQ(secondPeer.faultBoxes[0].note.rfind(std::string(kTagNotFoundMessage), 0), 0u);
}

TEST_F(ToolkitTest, AStrayExceptionFromACommandReachesTheHookAsCodeZero) {
  EXPECT_EQ(LoadWith([](Window&, std::int32_t) { throw std::out_of_range("index 9"); }), kFaultExitCode);
  ASSERT_EQ(hookCalls.size(), 1u);
  EXPECT_EQ(hookCalls[0].code, 0);
  EXPECT_EQ(hookCalls[0].note.rfind("index 9\r\n", 0), 0u);
}

TEST_F(ToolkitTest, ACommandCatchingEverythingStillCannotSwallowExit) {
  // The command's own catch(std::exception&) must not stop the unwinding.
  EXPECT_EQ(LoadWith([](Window& window, std::int32_t) {
    try {
      window.Exit(4);
    } catch (const std::exception&) {
    }
  }), 4);
}

TEST_F(ToolkitTest, ADescriptionBindingAnUnknownCommandFaultsBeforeAnythingIsCreated) {
  description.bindings.push_back({"label", Event::Click, "nobody"});
  EXPECT_EQ(toolkit.Load(description, commands), kFaultExitCode);
  ASSERT_EQ(hookCalls.size(), 1u);
  EXPECT_EQ(hookCalls[0].code, 0);
  for (const auto& call : peer.calls) EXPECT_NE(call.what, "CreateTopWindow");
}

TEST_F(ToolkitTest, AControlThePeerCannotCreateIsAFault) {
  peer.failCreateControlAfter = 2;
  bool ran = false;
  EXPECT_EQ(LoadWith([&](Window&, std::int32_t) { ran = true; }), kFaultExitCode);
  EXPECT_FALSE(ran);
  EXPECT_EQ(hookCalls.size(), 1u);
  EXPECT_TRUE(peer.destroyed);
}

TEST_F(ToolkitTest, AnUnknownNameOrAnEventSourceOutsideACommandIsAFault) {
  EXPECT_EQ(LoadWith([](Window& window, std::int32_t) { static_cast<void>(window.Named("nothing")); }),
            kFaultExitCode);
  ASSERT_EQ(hookCalls.size(), 1u);
  EXPECT_EQ(hookCalls[0].code, 0);
}

TEST_F(ToolkitTest, TheEntryBoxRewritesItsContentWhenItLosesTheFocus) {
  std::optional<ControlId> entry;
  std::vector<std::string> contents;
  peer.duringLoop = [&](RecordingPeer& p) {
    for (const char* typed : {"0042", "0", "99999999999", "-"}) {
      p.Events().OnTextEdited(*entry, typed);
      p.Events().OnEditFocusLost(*entry);
      contents.push_back(p.mirrored[*entry].text);
    }
  };
  ASSERT_EQ(LoadWith([&](Window& window, std::int32_t) { entry = window.Named("entry"); }), 0);
  EXPECT_EQ(contents, (std::vector<std::string>{"42", "", "2147483647", ""}));
}

TEST(ReadTagNumber, ReadsLikeAtolAndWraps) {
  struct Case {
    std::string_view text;
    std::int32_t value;
  };
  for (const Case& c : {Case{"", 0}, Case{"12", 12}, Case{" \t-3", -3}, Case{"+5x", 5}, Case{"abc", 0},
                        Case{"4294967297", 1}, Case{"2147483648", -2147483647 - 1}}) {
    EXPECT_EQ(ReadTagNumber(c.text), c.value) << c.text;
  }
}

}  // namespace
}  // namespace mastervol::ui::toolkit
