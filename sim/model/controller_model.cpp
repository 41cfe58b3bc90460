#include "sim/model/controller_model.h"

#include <algorithm>

#include "link/crc16.h"
#include "sim/model/default_data.h"
#include "sim/model/reply_frames.h"

namespace tarvex::sim {
namespace {

constexpr std::uint8_t kPacketKind = 6;
constexpr std::uint16_t kResetAnswer = 222;

std::uint16_t IndexArgument(const std::vector<std::uint8_t>& request) {
  return static_cast<std::uint16_t>(request[8] | (request[9] << 8));
}

}  // namespace

ControllerModel::ControllerModel(const ModelOptions& options)
    : config_(DefaultConfiguration(), DefaultTestConfiguration()),
      script_(DefaultScript()),
      read_block_size_(std::clamp<std::size_t>(options.read_block_size, 1, 255)),
      short_reply_pad_(options.short_reply_pad) {
  for (Bytes& record : DefaultEventRecords(options.event_records, options.seed)) {
    event_log_.Append(std::move(record));
  }
  for (Bytes& record : DefaultArchiveRecords(options.seed)) archive_.Append(std::move(record));
}

std::vector<Reply> ControllerModel::Feed(std::span<const std::uint8_t> bytes) {
  std::vector<Reply> replies;
  for (const Request& request : splitter_.Feed(bytes)) replies.push_back(Answer(request));
  return replies;
}

Reply ControllerModel::Answer(const Request& request) {
  std::vector<std::uint8_t> bytes;
  switch (request.kind) {
    case RequestKind::kLongHeader:
      bytes = AnswerLong(request.bytes);
      break;
    case RequestKind::kShortHeader:
      bytes = AnswerShort(request.bytes);
      break;
    case RequestKind::kResetText:
      config_.AbandonWrite();
      bytes = BuildLongReply(0, kPacketKind, WordBytes(kResetAnswer));
      break;
  }
  Reply reply;
  if (!bytes.empty()) reply.chunks.push_back(ReplyChunk{{}, std::move(bytes)});
  if (const auto fault = faults_.Take(request)) ApplyFault(*fault, request.kind, reply);
  return reply;
}

std::vector<std::uint8_t> ControllerModel::AnswerLong(const std::vector<std::uint8_t>& r) {
  const std::size_t packet = r.size() - 6;
  if (!CheckCrc16(r.data() + 6, packet - 2)) return {};
  const std::uint8_t code = r[6];
  const std::uint8_t kind = r[7];
  switch (code) {
    case 12:
      if (packet < 8) return {};
      script_.assign(r.begin() + 12, r.end() - 2);
      return BuildLongReply(code, kind, {});
    case 14:
      return BuildLongReply(code, kind, script_);
    case 25:
      return BuildLongReply(code, kind, WordBytes(event_log_.pointer()));
    case 26:
      return BuildLongReply(code, kind, event_log_.At(IndexArgument(r)));
    case 27:
      event_log_.Clear();
      return BuildLongReply(code, kind, {});
    case 28:
      return BuildLongReply(code, kind, WordBytes(event_log_.count()));
    case 44:
      return BuildLongReply(code, kind, Int32Bytes(identifier_));
    case 45:
      return BuildLongReply(code, kind, FloatBytes(pressure_));
    case 91:
      return BuildLongReply(code, kind, WordBytes(archive_.pointer()));
    case 92: {
      const Bytes& record = archive_.At(IndexArgument(r));
      return BuildLongReply(code, kind,
                            record.empty() ? Bytes(kArchiveRecordSize, 0) : record);
    }
    case 93:
      return BuildLongReply(code, kind, {});
    default:
      return {};
  }
}

std::vector<std::uint8_t> ControllerModel::AnswerShort(const std::vector<std::uint8_t>& r) {
  if (!CheckCrc16(r.data() + 4, r.size() - 6)) return {};
  const std::uint8_t op = r[5];
  const auto address = static_cast<std::uint16_t>((r[6] << 8) | r[7]);
  if (op == kOpWriteBlock) {
    const std::size_t n = r[9];
    config_.WriteBlock(address, std::span<const std::uint8_t>(r).subspan(10, n));
    const std::uint8_t body[] = {r[6], r[7], 0, r[9]};
    return BuildShortReply(1, op, body, short_reply_pad_);
  }
  if (op == kOpReadBlock) {
    const std::span<const std::uint8_t> text = config_.ReadBlock(address, read_block_size_);
    std::vector<std::uint8_t> body{static_cast<std::uint8_t>(text.size())};
    body.insert(body.end(), text.begin(), text.end());
    return BuildShortReply(1, op, body, short_reply_pad_);
  }
  return AnswerCommand(r[9]);
}

std::vector<std::uint8_t> ControllerModel::AnswerCommand(std::uint8_t code) {
  std::uint8_t second = kOpCommand;
  switch (code) {
    case 21:
      config_.StartWrite();
      break;
    case 23:
      config_.FinishWrite();
      break;
    case 24:
      config_.SelectRead(ConfigStore::Source::kTestConfiguration);
      break;
    case 54:
      config_.CopyToTest();
      break;
    case 55:
      second = verdict_;
      break;
    case 61:
      config_.SelectRead(ConfigStore::Source::kConfiguration);
      break;
    case 99:
      config_.AbandonWrite();
      break;
    default:
      return {};
  }
  const std::uint8_t body[] = {0, 0, 0, code};
  return BuildShortReply(1, second, body, short_reply_pad_);
}

}  // namespace tarvex::sim
