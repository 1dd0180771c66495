#pragma once
// The operating system's side of a serial port: a tty in raw mode with its speed, framing,
// handshake, modem-control lines and queues. Every call answers 0 or the errno of the failure.
#include <cstdint>
#include <string>

namespace kvx {

struct TTtyFraming {
    int DataBits = 8;
    char Parity = 'N';  // N, O, E, M (mark), S (space)
    int StopBits = 1;   // 1 or 2
};

// Raw, non-blocking, exclusive, receiver on, modem status ignored, 8N1 at BaudRate.
int OpenTty(const std::string& Path, uint32_t BaudRate, int& Descriptor);
void CloseTty(int Descriptor);

// EINVAL for a rate the tty has no setting for.
int SetTtySpeed(int Descriptor, uint32_t BaudRate);
int SetTtyFraming(int Descriptor, const TTtyFraming& Framing);
int SetTtyHandshake(int Descriptor, bool RtsCts, bool XonXoff);
// Drives RTS and DTR through the modem-control lines.
int SetTtyModemLines(int Descriptor, bool Rts, bool Dtr);

int TtyBytesWaiting(int Descriptor, uint32_t& Count);
int FlushTty(int Descriptor, bool Output, bool Input);

// Move up to Count bytes, waiting at most TimeoutMs for the rest; Done says how many moved.
// ETIMEDOUT when the time ran out first, EIO when the port has gone.
int ReadTty(int Descriptor, uint8_t* Buffer, uint32_t Count, uint32_t TimeoutMs, uint32_t& Done);
int WriteTty(int Descriptor, const uint8_t* Buffer, uint32_t Count, uint32_t TimeoutMs, uint32_t& Done);

// 0 when this process may read and write the device node; else the errno, and Group names
// the node's group.
int TtyAccess(const std::string& Path, std::string& Group);

} // namespace kvx
