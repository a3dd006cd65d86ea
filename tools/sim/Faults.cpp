// SPDX-License-Identifier: BSD-2-Clause
#include "Faults.h"

#include <charconv>

#include "Sentence.h"

namespace sattrail::sim {
namespace {

constexpr std::string_view kNames[kFaultCount] = {"badsum", "badfield",   "burst", "silence",
                                                  "nolf",   "wrongspeed", "unplug"};

std::optional<double> ParseRate(std::string_view text) {
  double rate = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), rate);
  if (ec != std::errc{} || end != text.data() + text.size() || !(rate >= 0 && rate <= 1))
    return std::nullopt;
  return rate;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    std::size_t j = i;
    while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != '\r') ++j;
    if (j > i) words.push_back(line.substr(i, j - i));
    i = j;
  }
  return words;
}

std::string KnownNames() {
  std::string names;
  for (std::string_view name : kNames) {
    if (!names.empty()) names += ", ";
    names += name;
  }
  return names;
}

// The byte offset where field number `field` (0 = identifier) of a body starts, or npos.
std::size_t FieldStart(const std::string& body, int field) {
  std::size_t position = 0;
  for (int i = 0; i < field; ++i) {
    position = body.find(',', position);
    if (position == std::string::npos) return position;
    ++position;
  }
  return position;
}

}  // namespace

std::string_view FaultName(Fault fault) {
  return kNames[static_cast<std::size_t>(fault)];
}

std::optional<Fault> FaultByName(std::string_view name) {
  for (std::size_t i = 0; i < kFaultCount; ++i)
    if (kNames[i] == name) return static_cast<Fault>(i);
  return std::nullopt;
}

bool IsLineFault(Fault fault) {
  return fault == Fault::BadSum || fault == Fault::BadField || fault == Fault::NoLineFeed ||
         fault == Fault::WrongSpeed;
}

double DefaultRate(Fault fault) {
  return IsLineFault(fault) ? 0.2 : 0.05;
}

std::optional<FaultSetting> ParseFaultSetting(std::string_view text, std::string* error) {
  const std::size_t equals = text.find('=');
  const std::string_view name = text.substr(0, equals);
  const std::optional<Fault> fault = FaultByName(name);
  if (!fault) {
    *error = "unknown fault \"" + std::string(name) + "\" (known: " + KnownNames() + ")";
    return std::nullopt;
  }
  if (equals == std::string_view::npos) return FaultSetting{*fault, DefaultRate(*fault)};
  const std::optional<double> rate = ParseRate(text.substr(equals + 1));
  if (!rate) {
    *error =
        "fault rate \"" + std::string(text.substr(equals + 1)) + "\" is not a number from 0 to 1";
    return std::nullopt;
  }
  return FaultSetting{*fault, *rate};
}

std::optional<ControlCommand> ParseControlLine(std::string_view line, std::string* error) {
  const std::vector<std::string_view> words = Words(line);
  if (words.empty()) {
    *error = "empty control line";
    return std::nullopt;
  }
  const std::string_view verb = words[0];
  if (words.size() == 1) {
    if (verb == "hot") return ControlCommand{ControlCommand::Kind::Start, {}, 0, 0};
    if (verb == "warm") return ControlCommand{ControlCommand::Kind::Start, {}, 0, 1};
    if (verb == "cold") return ControlCommand{ControlCommand::Kind::Start, {}, 0, 2};
    if (verb == "quit") return ControlCommand{ControlCommand::Kind::Quit, {}, 0, 0};
  }
  if (verb != "fault" || words.size() < 2 || words.size() > 3) {
    *error = "unknown control line (try: fault NAME [on|off|once|RATE], hot, warm, cold, quit)";
    return std::nullopt;
  }
  const std::optional<Fault> fault = FaultByName(words[1]);
  if (!fault) {
    *error = "unknown fault \"" + std::string(words[1]) + "\" (known: " + KnownNames() + ")";
    return std::nullopt;
  }
  const std::string_view action = words.size() == 3 ? words[2] : "once";
  if (action == "once") return ControlCommand{ControlCommand::Kind::TriggerFault, *fault, 0, 0};
  if (action == "on")
    return ControlCommand{ControlCommand::Kind::SetFault, *fault, DefaultRate(*fault), 0};
  if (action == "off") return ControlCommand{ControlCommand::Kind::SetFault, *fault, 0, 0};
  if (const std::optional<double> rate = ParseRate(action))
    return ControlCommand{ControlCommand::Kind::SetFault, *fault, *rate, 0};
  *error = "\"" + std::string(action) + "\" is not on, off, once or a rate from 0 to 1";
  return std::nullopt;
}

bool FaultInjector::Strikes(Fault fault) {
  if (once_[Index(fault)]) {
    once_[Index(fault)] = false;
    return true;
  }
  const double rate = rates_[Index(fault)];
  if (rate <= 0) return false;
  return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < rate;
}

std::string FaultInjector::ApplyToLine(std::string line) {
  const std::size_t star = line.rfind('*');
  const bool framed =
      line.size() > 1 && line[0] == '$' && star != std::string::npos && star + 3 <= line.size();
  if (framed) {
    const std::string body = line.substr(1, star - 1);
    const bool goodSum = line.compare(star + 1, 2, HexByte(ChecksumOf(body))) == 0;
    const std::string corrupted = goodSum ? CorruptNumericField(body) : body;
    if (corrupted != body && Strikes(Fault::BadField))
      line = FrameSentence(corrupted);
    else if (Strikes(Fault::BadSum))
      line = FrameWithWrongChecksum(body);
  }
  if (!line.empty() && line.back() == '\n' && Strikes(Fault::NoLineFeed)) line.pop_back();
  if (Strikes(Fault::WrongSpeed)) line = GarbleAsWrongSpeed(line);
  return line;
}

std::string FaultInjector::Frame(const std::vector<std::string>& bodies) {
  std::string bytes;
  for (const std::string& body : bodies) bytes += ApplyToLine(FrameSentence(body));
  return bytes;
}

std::string CorruptNumericField(const std::string& body) {
  // GGA altitude; RMC speed, or its time while there is no fix and the speed is empty.
  std::vector<int> fields;
  if (body.starts_with("GPGGA,"))
    fields = {9};
  else if (body.starts_with("GPRMC,"))
    fields = {7, 1};
  for (int field : fields) {
    const std::size_t start = FieldStart(body, field);
    // An empty field has nothing to spoil.
    if (start == std::string::npos || start >= body.size() || body[start] == ',') continue;
    std::size_t digits = start;
    while (digits < body.size() && body[digits] >= '0' && body[digits] <= '9') ++digits;
    // "123.4" becomes "12X.4"; a field with a single digit before the point gets the letter
    // after that digit.
    std::string result = body;
    const std::size_t at = digits - start >= 2 ? digits - 1 : start + 1;
    result.insert(at, 1, 'X');
    if (digits - start >= 2) result.erase(at + 1, 1);
    return result;
  }
  return body;
}

std::string GarbleAsWrongSpeed(std::string_view line) {
  std::string garbled;
  for (std::size_t i = 0; i + 1 < line.size(); i += 2) {
    const auto low = static_cast<unsigned char>(line[i]) & 0x0F;
    const auto high = static_cast<unsigned char>(line[i + 1]) & 0x07;
    garbled += static_cast<char>(0x80 | (high << 4) | low);
  }
  return garbled;
}

}  // namespace sattrail::sim
