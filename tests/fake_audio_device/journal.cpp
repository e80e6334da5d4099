// Writing and reading the simulated device's journal lines, and the reference accounting over them.
#include "tests/fake_audio_device/journal.h"

#include <algorithm>
#include <charconv>

#include "tests/fake_audio_device/device_state.h"

namespace mastervol::fake_audio {
namespace {

std::string Hex32(std::uint32_t value) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text = "0x";
  for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xFu];
  return text;
}

template <typename Number>
std::optional<Number> ParseWhole(std::string_view text, int base) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

JournalLine::JournalLine(std::uint32_t pid, std::string_view object, std::string_view call) {
  AddNumber("pid", pid);
  Add("object", object);
  Add("call", call);
}

JournalLine& JournalLine::Add(std::string_view key, std::string_view value) {
  if (!text_.empty()) text_ += ' ';
  text_.append(key).append("=");
  // A value never holds a blank: the line splits on blanks.
  for (const char c : value) text_ += (c == ' ' || c == '\n' || c == '\r') ? '_' : c;
  return *this;
}

JournalLine& JournalLine::AddNumber(std::string_view key, std::uint64_t value) {
  return Add(key, std::to_string(value));
}

JournalLine& JournalLine::AddFloat(std::string_view key, float value) { return Add(key, FormatFloat(value)); }

JournalLine& JournalLine::AddResult(std::int32_t hresult) {
  return Add("hr", Hex32(static_cast<std::uint32_t>(hresult)));
}

std::string JournalEntry::Kind() const { return object.substr(0, object.find('#')); }

std::optional<std::string> JournalEntry::Arg(const std::string& key) const {
  const auto found = args.find(key);
  if (found == args.end()) return std::nullopt;
  return found->second;
}

std::optional<float> JournalEntry::FloatArg(const std::string& key) const {
  const std::optional<std::string> text = Arg(key);
  if (!text || !text->starts_with("0x")) return std::nullopt;  // journal floats always carry their bits
  return ParseFloat(*text);
}

std::optional<std::int32_t> JournalEntry::Result() const {
  const std::optional<std::string> text = Arg("hr");
  if (!text || !text->starts_with("0x")) return std::nullopt;
  const std::optional<std::uint32_t> bits = ParseWhole<std::uint32_t>(std::string_view(*text).substr(2), 16);
  if (!bits) return std::nullopt;
  return static_cast<std::int32_t>(*bits);
}

std::optional<JournalEntry> ParseJournalLine(std::string_view line) {
  JournalEntry entry;
  while (!line.empty()) {
    const std::size_t blank = line.find(' ');
    const std::string_view token = line.substr(0, blank);
    line = blank == std::string_view::npos ? std::string_view{} : line.substr(blank + 1);
    if (token.empty()) continue;
    const std::size_t equals = token.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    std::string key(token.substr(0, equals));
    std::string value(token.substr(equals + 1));
    if (key == "object") {
      entry.object = std::move(value);
    } else if (key == "call") {
      entry.call = std::move(value);
    } else {
      entry.args[std::move(key)] = std::move(value);
    }
  }
  if (entry.object.empty() || entry.call.empty()) return std::nullopt;
  return entry;
}

std::optional<std::vector<JournalEntry>> ParseJournal(std::string_view text) {
  std::vector<JournalEntry> journal;
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    std::string_view line = text.substr(0, newline);
    text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    std::optional<JournalEntry> entry = ParseJournalLine(line);
    if (!entry) return std::nullopt;
    journal.push_back(std::move(*entry));
  }
  return journal;
}

std::vector<JournalEntry> CallsOn(const std::vector<JournalEntry>& journal, std::string_view kind) {
  std::vector<JournalEntry> calls;
  for (const JournalEntry& entry : journal) {
    const bool bookkeeping = entry.call == "QueryInterface" || entry.call == "AddRef" || entry.call == "Release" ||
                             entry.call == "Create" || entry.call == "Destroy";
    if (!bookkeeping && entry.Kind() == kind) calls.push_back(entry);
  }
  return calls;
}

std::vector<ObjectLifetime> Lifetimes(const std::vector<JournalEntry>& journal) {
  std::vector<ObjectLifetime> lifetimes;
  for (const JournalEntry& entry : journal) {
    if (entry.call != "Create" && entry.call != "AddRef" && entry.call != "Release" && entry.call != "Destroy") {
      continue;
    }
    auto found = std::find_if(lifetimes.begin(), lifetimes.end(),
                              [&](const ObjectLifetime& known) { return known.object == entry.object; });
    if (found == lifetimes.end()) found = lifetimes.insert(lifetimes.end(), ObjectLifetime{.object = entry.object});
    if (entry.call == "Destroy") found->destroyed = true;
    const std::optional<std::string> refs = entry.Arg("refs");
    if (!refs) continue;
    found->finalReferences = ParseWhole<long>(*refs, 10).value_or(-1);
    if (entry.call == "Release" && found->finalReferences == 0) {
      found->apartmentAtLastRelease = entry.Arg("com").value_or("?");
    }
  }
  return lifetimes;
}

}  // namespace mastervol::fake_audio
