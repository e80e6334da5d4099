// What the end-to-end tests expect to find in mastervol.log: the program's texts as GBK bytes and a
// check that a line is one timestamp, one blank and the expected message.
#pragma once

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <string_view>

namespace mastervol::end_to_end {

inline constexpr std::string_view kBanner =
    "Varnel软件KLEM软件,官方网站 https://mastervol.example.org 程序带参数运行，第一个参数取值范围0-100，"
    "用于自动设置当前系统音量，0为静音，如果不带参数则设置音量为最大值100";
inline constexpr std::string_view kFullResult = "音量调整完成，当前音量：100%";
inline constexpr std::string_view kArgumentResult = "音量调整完成，命令行第一个参数为 当前音量：";
inline constexpr std::string_view kNoDevice = "未找到默认音频输出设备，音量未改变";

inline std::string ArgumentResult(std::string_view argument) {
  return std::string(kArgumentResult) + std::string(argument) + "%";
}

// "YYYY-MM-DD hh:mm:ss " followed by the message.
inline ::testing::AssertionResult IsLogLine(const std::string& line, std::string_view message) {
  static const std::regex timestamp("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2} ");
  if (line.size() < 20 || !std::regex_search(line.substr(0, 20), timestamp)) {
    return ::testing::AssertionFailure() << "no timestamp: " << line;
  }
  if (line.substr(20) != message) return ::testing::AssertionFailure() << "message: " << line.substr(20);
  return ::testing::AssertionSuccess();
}

}  // namespace mastervol::end_to_end
