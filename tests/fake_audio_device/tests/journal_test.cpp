// The simulated device's journal: lines read back as written, and the reference accounting over them.
#include "tests/fake_audio_device/journal.h"

#include <bit>

#include <gtest/gtest.h>

namespace mastervol::fake_audio {
namespace {

TEST(FakeAudioJournal, LineReadsBackWithExactArguments) {
  JournalLine line(412, "volume#3", "SetMasterVolumeLevelScalar");
  line.AddFloat("level", 0.35f).Add("context", "null").AddResult(static_cast<std::int32_t>(0x80070057u));
  EXPECT_EQ(line.Text(),
            "pid=412 object=volume#3 call=SetMasterVolumeLevelScalar level=0x3eb33333/0.35 context=null "
            "hr=0x80070057");

  const std::optional<JournalEntry> entry = ParseJournalLine(line.Text());
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->object, "volume#3");
  EXPECT_EQ(entry->Kind(), "volume");
  EXPECT_EQ(entry->call, "SetMasterVolumeLevelScalar");
  EXPECT_EQ(entry->Arg("pid"), "412");
  EXPECT_EQ(entry->Arg("context"), "null");
  EXPECT_EQ(entry->Arg("missing"), std::nullopt);
  ASSERT_TRUE(entry->FloatArg("level"));
  EXPECT_EQ(std::bit_cast<std::uint32_t>(*entry->FloatArg("level")), 0x3eb33333u);
  EXPECT_EQ(entry->Result(), static_cast<std::int32_t>(0x80070057u));
}

TEST(FakeAudioJournal, ValuesNeverSplitALine) {
  JournalLine line(1, "dll", "Note");
  line.Add("text", "two words\n");
  const std::optional<JournalEntry> entry = ParseJournalLine(line.Text());
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->Arg("text"), "two_words_");
}

TEST(FakeAudioJournal, UnreadableLineSpoilsTheJournal) {
  EXPECT_TRUE(ParseJournal("pid=1 object=dll call=DllCanUnloadNow hr=0x00000000\r\n\n"));
  EXPECT_FALSE(ParseJournal("pid=1 object=dll call=DllCanUnloadNow\ngarbage\n"));
  EXPECT_FALSE(ParseJournal("pid=1 call=AddRef refs=1\n"));
}

std::vector<JournalEntry> Journal(std::string_view text) {
  std::optional<std::vector<JournalEntry>> journal = ParseJournal(text);
  EXPECT_TRUE(journal);
  return journal.value_or(std::vector<JournalEntry>{});
}

TEST(FakeAudioJournal, CallsOnLeavesOutBookkeeping) {
  const std::vector<JournalEntry> calls = CallsOn(Journal(
      "pid=1 object=volume#1 call=Create refs=0\n"
      "pid=1 object=volume#1 call=QueryInterface iid={x} hr=0x00000000\n"
      "pid=1 object=volume#1 call=AddRef refs=1\n"
      "pid=1 object=device#2 call=GetState hr=0x00000000\n"
      "pid=1 object=volume#1 call=SetMute mute=1 context=null hr=0x00000000\n"
      "pid=1 object=volume#1 call=Release refs=0 com=sta\n"
      "pid=1 object=volume#1 call=Destroy\n"), "volume");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].call, "SetMute");
}

TEST(FakeAudioJournal, LifetimesShowLeaksAndLateReleases) {
  const std::vector<ObjectLifetime> lifetimes = Lifetimes(Journal(
      "pid=1 object=enumerator#1 call=Create refs=0\n"
      "pid=1 object=enumerator#1 call=AddRef refs=1\n"
      "pid=1 object=device#2 call=Create refs=0\n"
      "pid=1 object=device#2 call=AddRef refs=1\n"
      "pid=1 object=device#2 call=AddRef refs=2\n"
      "pid=1 object=volume#3 call=Create refs=0\n"
      "pid=1 object=volume#3 call=AddRef refs=1\n"
      "pid=1 object=device#2 call=Release refs=1 com=sta\n"
      "pid=1 object=enumerator#1 call=Release refs=0 com=sta\n"
      "pid=1 object=enumerator#1 call=Destroy\n"
      "pid=1 object=volume#3 call=Release refs=0 com=none\n"
      "pid=1 object=volume#3 call=Destroy\n"));
  ASSERT_EQ(lifetimes.size(), 3u);
  EXPECT_EQ(lifetimes[0].object, "enumerator#1");
  EXPECT_EQ(lifetimes[0].finalReferences, 0);
  EXPECT_TRUE(lifetimes[0].destroyed);
  EXPECT_EQ(lifetimes[0].apartmentAtLastRelease, "sta");
  EXPECT_EQ(lifetimes[1].object, "device#2");  // leaked: one reference never given back
  EXPECT_EQ(lifetimes[1].finalReferences, 1);
  EXPECT_FALSE(lifetimes[1].destroyed);
  EXPECT_EQ(lifetimes[1].apartmentAtLastRelease, "");
  EXPECT_EQ(lifetimes[2].apartmentAtLastRelease, "none");  // released after COM was left
}

}  // namespace
}  // namespace mastervol::fake_audio
