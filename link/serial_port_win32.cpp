// Win32 serial backend: synchronous ReadFile/WriteFile on a COM device, no threads.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

#include "link/port_name.h"
#include "link/serial_port.h"

namespace tarvex {
namespace {

// The read and write time-outs set when the port opens (milliseconds).
constexpr COMMTIMEOUTS kOpenTimeouts{50, 50, 5, 10, 10};

// Read time-outs for a read that asks only for queued bytes or a single byte: it
// returns once they are in or after `wait`. All zeros would mean no time-out at
// all, so a zero wait becomes "return at once with what is queued".
COMMTIMEOUTS ReadTimeouts(std::chrono::milliseconds wait) {
  COMMTIMEOUTS t = kOpenTimeouts;
  t.ReadIntervalTimeout = wait.count() <= 0 ? MAXDWORD : 0;
  t.ReadTotalTimeoutMultiplier = 0;
  t.ReadTotalTimeoutConstant =
      static_cast<DWORD>(std::clamp<long long>(wait.count(), 0, MAXDWORD - 1));
  return t;
}

// Errors with which drivers report a device that has gone (unplugged adapter, closed
// peer): every later call fails the same way.
bool DeviceGone(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_INVALID_HANDLE:
    case ERROR_NOT_READY:
    case ERROR_BAD_COMMAND:
    case ERROR_GEN_FAILURE:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEVICE_REMOVED:
      return true;
    default:
      return false;
  }
}

bool SameReadTimeouts(const COMMTIMEOUTS& a, const COMMTIMEOUTS& b) {
  return a.ReadIntervalTimeout == b.ReadIntervalTimeout &&
         a.ReadTotalTimeoutMultiplier == b.ReadTotalTimeoutMultiplier &&
         a.ReadTotalTimeoutConstant == b.ReadTotalTimeoutConstant;
}

class Win32SerialPort final : public SerialPort {
 public:
  Win32SerialPort(HANDLE handle, const COMMTIMEOUTS& applied)
      : handle_(handle), applied_(applied) {}
  ~Win32SerialPort() override { CloseHandle(handle_); }
  Win32SerialPort(const Win32SerialPort&) = delete;
  Win32SerialPort& operator=(const Win32SerialPort&) = delete;

  void Purge() override {
    PurgeComm(handle_, PURGE_TXCLEAR);
    PurgeComm(handle_, PURGE_RXCLEAR);
  }

  bool Write(const std::uint8_t* data, std::size_t n) override {
    while (n > 0 && !lost_) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(n, MAXDWORD));
      DWORD written = 0;
      // A write that times out part-way reports what it did write; go on from there.
      if (!WriteFile(handle_, data, chunk, &written, nullptr)) {
        NoteFailure();
        return false;
      }
      if (written == 0) return false;
      data += written;
      n -= written;
    }
    return n == 0;
  }

  // Asks the driver only for bytes already queued, or for one byte when none are:
  // that returns as soon as data is there under every driver, whatever it makes of
  // the interval time-out.
  std::size_t Read(std::uint8_t* data, std::size_t max,
                   std::chrono::microseconds timeout) override {
    // The driver counts whole milliseconds; rounding up never ends a wait early.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(timeout);
    if (max == 0 || lost_ || !ApplyReadTimeouts(ReadTimeouts(wait))) return 0;
    std::size_t got = ReadUpTo(data, std::min<std::size_t>(max, Queued()));
    if (got == 0 && !lost_) got = ReadUpTo(data, 1);
    if (got == 0 || got == max) return got;
    return got + ReadUpTo(data + got, std::min<std::size_t>(max - got, Queued()));
  }

  bool Lost() const override { return lost_; }

 private:
  // Changing the time-outs is a driver call; most reads reuse the last ones.
  bool ApplyReadTimeouts(const COMMTIMEOUTS& wanted) {
    if (applied_ && SameReadTimeouts(*applied_, wanted)) return true;
    COMMTIMEOUTS copy = wanted;
    if (!SetCommTimeouts(handle_, &copy)) {
      applied_.reset();
      return false;
    }
    applied_ = wanted;
    return true;
  }

  // Bytes received and not yet read; 0 when the driver cannot tell.
  std::size_t Queued() {
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(handle_, &errors, &status)) {
      NoteFailure();
      return 0;
    }
    return status.cbInQue;
  }

  std::size_t ReadUpTo(std::uint8_t* data, std::size_t n) {
    if (n == 0) return 0;
    DWORD got = 0;
    if (!ReadFile(handle_, data, static_cast<DWORD>(std::min<std::size_t>(n, MAXDWORD)), &got,
                  nullptr)) {
      NoteFailure();
      return 0;
    }
    return got;
  }

  void NoteFailure() {
    if (DeviceGone(GetLastError())) lost_ = true;
  }

  HANDLE handle_;
  // The time-outs the driver holds, unknown after a failed change.
  std::optional<COMMTIMEOUTS> applied_;
  bool lost_ = false;
};

// Binary-clean 8N1 at `baud`. Flow control by software would swallow 0x11 and 0x13
// and stall output, so it is switched off whatever the driver reports; hardware flow
// control and DTR stay as they are.
void MakeRaw(DCB& dcb, std::int32_t baud) {
  dcb.BaudRate = static_cast<DWORD>(baud);
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = ONESTOPBIT;
  dcb.fBinary = 1;
  dcb.fParity = 0;
  dcb.fOutX = 0;
  dcb.fInX = 0;
  dcb.fErrorChar = 0;
  dcb.fNull = 0;
  dcb.fAbortOnError = 0;
}

// Words for the errors that opening a port usually meets.
std::string ErrorReason(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return "no such port";
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: return "access denied — is another program using it?";
    case ERROR_INVALID_NAME: return "not a port name";
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED: return "not a serial device";
    default: return "system error " + std::to_string(error);
  }
}

std::unique_ptr<SerialPort> Refuse(OpenFailure* failure, OpenFailure::Kind kind,
                                   const std::string& name, std::string reason) {
  if (failure != nullptr) *failure = {kind, std::string(ShortPortName(name)), std::move(reason)};
  return nullptr;
}

}  // namespace

std::unique_ptr<SerialPort> OpenSerialDevice(const std::string& name, std::int32_t baud,
                                             OpenFailure* failure) {
  using Kind = OpenFailure::Kind;
  // Not every driver refuses these; a negative one would pass as a huge rate.
  if (baud <= 0) {
    return Refuse(failure, Kind::kBaud, name, "baud rate " + std::to_string(baud) + " is not supported");
  }
  HANDLE handle = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return Refuse(failure, Kind::kDevice, name, ErrorReason(GetLastError()));

  DCB dcb{};
  dcb.DCBlength = sizeof(dcb);
  COMMTIMEOUTS timeouts = kOpenTimeouts;
  if (GetCommState(handle, &dcb) == 0) {
    const DWORD error = GetLastError();
    CloseHandle(handle);
    return Refuse(failure, Kind::kDevice, name, ErrorReason(error));
  }
  MakeRaw(dcb, baud);
  if (SetCommState(handle, &dcb) == 0) {
    // The state read back is the device's own, so what it refuses is the rate.
    CloseHandle(handle);
    return Refuse(failure, Kind::kBaud, name, "baud rate " + std::to_string(baud) + " is not supported");
  }
  // All five time-outs are set, so the driver's are not read first. Without ours a
  // read could block for ever, so a refusal is a failure.
  if (SetCommTimeouts(handle, &timeouts) == 0) {
    const DWORD error = GetLastError();
    CloseHandle(handle);
    return Refuse(failure, Kind::kDevice, name, ErrorReason(error));
  }
  SetCommMask(handle, EV_TXEMPTY);
  // Fails where the device has no modem lines (a pseudo-terminal); harmless.
  EscapeCommFunction(handle, CLRRTS);
  return std::make_unique<Win32SerialPort>(handle, timeouts);
}

}  // namespace tarvex
