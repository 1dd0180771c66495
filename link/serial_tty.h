#pragma once
// The operating system's side of a serial port: a tty in raw mode with its speed, framing,
// handshake, modem-control lines and queues. Every call answers 0 or the errno of the failure.
#include <cstdint>
#include <string>
#include <vector>

namespace kvx {

struct TTtyFraming {
    int DataBits = 8;
    char Parity = 'N';  // N, O, E, M (mark), S (space)
    int StopBits = 1;   // 1 or 2
};

// Non-blocking and this process's alone: TIOCEXCL keeps other users out, an flock the programs
// that take one (and root, whom TIOCEXCL does not stop). EBUSY when another has it.
int OpenTty(const std::string& Path, int& Descriptor);
void CloseTty(int Descriptor);
// Raw, receiver on, modem status ignored, no handshake of either kind, 8N1 at BaudRate; both
// queues emptied.
int MakeTtyRaw(int Descriptor, uint32_t BaudRate);

// The rates a tty has a setting for, lowest first.
std::vector<uint32_t> TtySpeeds();
// EINVAL for a rate the tty has no setting for.
int SetTtySpeed(int Descriptor, uint32_t BaudRate);
int SetTtyFraming(int Descriptor, const TTtyFraming& Framing);
int SetTtyHandshake(int Descriptor, bool RtsCts, bool XonXoff);
// Drives RTS and DTR through the modem-control lines.
int SetTtyModemLines(int Descriptor, bool Rts, bool Dtr);
// A pseudo-terminal has no modem-control lines and refuses to set them.
bool IsPseudoTerminal(int Descriptor);
// The port has hung up: its device went away while it was open.
bool TtyHungUp(int Descriptor);

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
