// The simulated audio device's journal: one line per call made on it, in the order made, so a test can
// see the exact arguments, the results and every reference taken and given back. See README.md.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mastervol::fake_audio {

// Builds one journal line: "pid=12 object=volume#3 call=SetMute mute=1 context=null hr=0x00000001".
class JournalLine {
 public:
  JournalLine(std::uint32_t pid, std::string_view object, std::string_view call);
  JournalLine& Add(std::string_view key, std::string_view value);
  JournalLine& AddNumber(std::string_view key, std::uint64_t value);
  JournalLine& AddFloat(std::string_view key, float value);
  JournalLine& AddResult(std::int32_t hresult);  // "hr=0x80070057"
  [[nodiscard]] const std::string& Text() const noexcept { return text_; }

 private:
  std::string text_;
};

struct JournalEntry {
  std::string object;                        // "dll", "factory#1", "enumerator#2", "device#3", "volume#4"
  std::string call;                          // the method, or Create/Destroy for an object's birth and end
  std::map<std::string, std::string> args;   // every other key=value of the line, pid and hr included

  [[nodiscard]] std::string Kind() const;    // the object without its number: "volume"
  [[nodiscard]] std::optional<std::string> Arg(const std::string& key) const;
  [[nodiscard]] std::optional<float> FloatArg(const std::string& key) const;
  [[nodiscard]] std::optional<std::int32_t> Result() const;  // the hr value
};

// Blank lines are skipped; a line without object= and call= makes the whole journal unreadable.
[[nodiscard]] std::optional<JournalEntry> ParseJournalLine(std::string_view line);
[[nodiscard]] std::optional<std::vector<JournalEntry>> ParseJournal(std::string_view text);

// The calls made on objects of one kind, leaving out IUnknown's and the Create/Destroy markers.
[[nodiscard]] std::vector<JournalEntry> CallsOn(const std::vector<JournalEntry>& journal, std::string_view kind);

// How one object's references ended: its last reference count and the caller's COM apartment ("sta",
// "mta", "none", ...) when that count reached zero.
struct ObjectLifetime {
  std::string object{};
  long finalReferences = 0;
  bool destroyed = false;
  std::string apartmentAtLastRelease{};  // empty until a Release has brought the count to zero
};
[[nodiscard]] std::vector<ObjectLifetime> Lifetimes(const std::vector<JournalEntry>& journal);

}  // namespace mastervol::fake_audio
