// The simulated controller: bytes from the line in, replies out. No I/O of its own;
// a transport (pty_server.h, or a test) moves the bytes.
//
// Answers, by request:
//   long header (packet checksum bad: no reply)
//     12 script download: stores the L - 8 bytes from offset 12; empty acknowledgement
//     14 script upload: the script as the reply data
//     25 log pointer, 28 log count, 91 archive pointer: 16-bit value
//     26 log record, 92 archive record: the record at the index in bytes 8..9
//     27 log clear: empties the log; empty acknowledgement
//     44 identifier (int32), 45 pressure (float), 93 registration (empty acknowledgement)
//   short header (checksum bad: no reply)
//     single commands 21 START, 23 STOP, 24 and 61 select the text that read blocks
//     read, 54 set test, 55 verdict (reply byte 1), 99 reboot: 1, 6, 0, 0, 0, code, crc
//     write block: 1, 16, address, 0, n, crc; read block: 1, 17, c, c text bytes, crc
//     (with a pad, 0 bytes before the crc make up the padded length)
//   {"CRESET":222}: a long-header reply with code 0, kind 6 and the word 222
//   anything else: no reply
// Code 25 is also the script clear of the tool; the two requests are the same bytes, so
// the model answers the log pointer and keeps the script.
// Record indexes: the 16 bits of bytes 8..9 as a signed number, modulo the ring size
// (ring_index.h). A log slot never written answers with no data (L = 4); an archive
// slot never written answers with ten 0 bytes (a record without a date).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "sim/model/config_store.h"
#include "sim/model/fault.h"
#include "sim/model/record_ring.h"
#include "sim/model/reply.h"
#include "sim/model/request.h"
#include "sim/model/request_splitter.h"

namespace tarvex::sim {

inline constexpr std::size_t kEventLogSize = 2000;
inline constexpr std::size_t kArchiveSize = 1001;
inline constexpr std::size_t kArchiveRecordSize = 10;

struct ModelOptions {
  std::size_t event_records = 300;  // more than 2000 wraps the ring
  std::uint64_t seed = 1;
  std::size_t read_block_size = 40;  // text bytes per read block, 1..255
  std::size_t short_reply_pad = 0;   // short replies padded to this many bytes (0: none)
};

class ControllerModel {
 public:
  explicit ControllerModel(const ModelOptions& options = {});

  // Takes bytes from the line; returns the reply to every request they complete, in
  // order (a silent request gives a reply without chunks).
  std::vector<Reply> Feed(std::span<const std::uint8_t> bytes);
  // The answer to one whole request, faults applied.
  Reply Answer(const Request& request);

  bool HasPartialRequest() const { return splitter_.HasPartial(); }
  // Forgets a request begun but not ended (after a long silence or a hang-up).
  void DropPartialRequest() { splitter_.Reset(); }

  void AddFault(const Fault& fault) { faults_.Add(fault); }

  RecordRing& event_log() { return event_log_; }
  RecordRing& archive() { return archive_; }
  ConfigStore& config() { return config_; }
  std::vector<std::uint8_t>& script() { return script_; }

  std::int32_t identifier() const { return identifier_; }
  void set_identifier(std::int32_t value) { identifier_ = value; }
  float pressure() const { return pressure_; }
  void set_pressure(float value) { pressure_ = value; }
  std::uint8_t verdict() const { return verdict_; }
  void set_verdict(std::uint8_t value) { verdict_ = value; }
  std::size_t read_block_size() const { return read_block_size_; }

 private:
  std::vector<std::uint8_t> AnswerLong(const std::vector<std::uint8_t>& request);
  std::vector<std::uint8_t> AnswerShort(const std::vector<std::uint8_t>& request);
  std::vector<std::uint8_t> AnswerCommand(std::uint8_t code);

  RequestSplitter splitter_;
  FaultTable faults_;
  RecordRing event_log_{kEventLogSize};
  RecordRing archive_{kArchiveSize};
  ConfigStore config_;
  std::vector<std::uint8_t> script_;
  std::int32_t identifier_ = 20417;
  float pressure_ = 5.37f;
  std::uint8_t verdict_ = 0;
  std::size_t read_block_size_;
  std::size_t short_reply_pad_;
};

}  // namespace tarvex::sim
