// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// Faults the simulated receiver can inject into its stream, each at a rate, switched on the
// command line or at run time with control lines on standard input.

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace sattrail::sim {

enum class Fault { BadSum, BadField, Burst, Silence, NoLineFeed, WrongSpeed, Unplug };
inline constexpr std::size_t kFaultCount = 7;

std::string_view FaultName(Fault fault);
std::optional<Fault> FaultByName(std::string_view name);

// Line faults (badsum, badfield, nolf, wrongspeed) strike each line with the probability of
// their rate; event faults (burst, silence, unplug) strike each epoch with it.
bool IsLineFault(Fault fault);
double DefaultRate(Fault fault);

struct FaultSetting {
  Fault fault;
  double rate;
};

// "NAME" or "NAME=RATE" with 0 <= RATE <= 1; nullopt and a reason otherwise.
std::optional<FaultSetting> ParseFaultSetting(std::string_view text, std::string* error);

// A control line from standard input.
struct ControlCommand {
  enum class Kind { SetFault, TriggerFault, Start, Quit } kind;
  Fault fault = Fault::BadSum;
  double rate = 0;  // SetFault: 0 switches the fault off
  int start = 0;    // Start: 0 hot, 1 warm, 2 cold
};
// "fault NAME on|off|once|RATE", "fault NAME" (once), "hot", "warm", "cold", "quit".
std::optional<ControlCommand> ParseControlLine(std::string_view line, std::string* error);

// The rates in force and the faults asked for once, with the random source that decides.
class FaultInjector {
 public:
  explicit FaultInjector(std::uint32_t seed) : random_(seed) {}

  void SetRate(Fault fault, double rate) { rates_[Index(fault)] = rate; }
  double Rate(Fault fault) const { return rates_[Index(fault)]; }
  void TriggerOnce(Fault fault) { once_[Index(fault)] = true; }

  // Whether the fault strikes now (a pending once counts and is used up).
  bool Strikes(Fault fault);

  // One framed line ("$...*hh" CR LF, or any other line) with the line faults that strike
  // applied. A malformed field is only put into a line whose checksum was right, and it
  // keeps a right checksum.
  std::string ApplyToLine(std::string line);

  // Frames one epoch's sentence bodies into the bytes to send, with the line faults applied.
  std::string Frame(const std::vector<std::string>& bodies);

 private:
  static std::size_t Index(Fault fault) { return static_cast<std::size_t>(fault); }

  std::mt19937 random_;
  std::array<double, kFaultCount> rates_{};
  std::array<bool, kFaultCount> once_{};
};

// A numeric field made malformed (a letter among its digits) with the checksum still right:
// GGA altitude (field 9), RMC speed (field 7) or, while that is empty before a fix, RMC time
// (field 1). Other bodies, and a GGA without altitude, come back unchanged.
std::string CorruptNumericField(const std::string& body);

// The bytes a port at half the receiver's rate would see: each pair of bytes merges into one
// byte with its top bit set, so no line feed comes through.
std::string GarbleAsWrongSpeed(std::string_view line);

}  // namespace sattrail::sim
