// The requests the controller sends when it polls the tool as field devices: led by 0xAA,
// byte 1 the device address, byte 3 the function; function 10 carries a line number in
// byte 4 and three big-endian floats at offsets 22, 26 and 30.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/model/bytes.h"

namespace tarvex::sim {

inline constexpr std::uint8_t kFieldRequestLead = 0xAA;
inline constexpr std::uint8_t kFieldAnswerLead = 0x55;

// One poll and what its answer must be.
struct FieldPoll {
  Bytes request;
  std::uint8_t function = 0;  // byte 3 of the request
  std::uint8_t address = 0;   // the address the answer must carry
  bool answered = true;       // false: the tool must stay silent
  bool after_pause = false;   // address 0: the tool pauses before it answers
};

// The line number and values of the function-10 request.
inline constexpr std::uint8_t kPollLineNumber = 2;
inline constexpr float kPollValues[3] = {1.0f, 2.5f, -3.25f};

// A request `lead`, address, 0, function, line number, zeros, the three values for
// function 10 (36 bytes in all, 8 for the others), closed by its CRC-16 like the
// controller's own frames.
Bytes FieldRequest(std::uint8_t lead, std::uint8_t address, std::uint8_t function);

// One round of polls: function 1 to address 1 and to address 2, function 2, function 10,
// function 5 and a request led by 0x55 (both unanswered), function 1 behind two 0xFF
// bytes (answered as address 1), and function 1 to address 0.
std::vector<FieldPoll> FieldPollRound();

}  // namespace tarvex::sim
