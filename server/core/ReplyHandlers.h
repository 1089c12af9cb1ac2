// What the reply dispatcher calls for each recognised message of the server.
// Fields are views into the received chunk, valid only during the call; texts
// are code page 1254 bytes. A handler may throw (izleme::SilentAbort or any
// std::exception) to end the handling of the whole chunk.
#pragma once

#include "server/core/EnerjialRoute.h"

#include <array>
#include <string_view>

namespace izleme {

class ReplyHandlers {
public:
    virtual ~ReplyHandlers() = default;

    // "pong": the answer to the login and the keep-alive.
    virtual void pong() {}
    // "yenimesaj": messages are waiting on the server.
    virtual void yenimesaj() {}
    // "akimdegerleri": I 1, I 2, I 3, I t, serial, date, time.
    virtual void akimdegerleri(const std::array<std::string_view, 7>& /*fields*/) {}
    // "reaktifenerji" / "tedassycal": serial, first date, last date, A1, A2,
    // I1, I2, C1, C2.
    virtual void reaktifenerji(const std::array<std::string_view, 9>& /*fields*/) {}
    virtual void tedassycal(const std::array<std::string_view, 9>& /*fields*/) {}
    // "mesajvar": one waiting message.
    virtual void mesajvar(std::string_view /*heading*/, std::string_view /*body*/) {}
    // "Hattayok": the addressed device is not on line.
    virtual void hattayok(std::string_view /*serial*/) {}
    // "sayacal": the meter readout of one message, i.e. the text after the
    // 10-byte header up to the message's terminator or the next "sayacal"
    // (the rest of the chunk when there is neither); no terminator, no header.
    virtual void sayacal(std::string_view /*readout*/) {}
    // "Sycdegerleri": the pre-reset active, inductive and capacitive values.
    virtual void sycdegerleri(const std::array<std::string_view, 3>& /*fields*/) {}
    // "enerjial" under a routed pending request kind: the text after the
    // 11-byte head up to and including its terminator (the whole rest of the
    // chunk when there is none).
    virtual void enerjial(const EnerjialRoute& /*route*/, std::string_view /*text*/) {}
    // "cihazenerji": serial, group name, device record.
    virtual void cihazenerji(const std::array<std::string_view, 3>& /*fields*/) {}
    // "cihazlar": one entry of the operator's device list.
    virtual void cihazlar(std::string_view /*group*/, std::string_view /*model*/, std::string_view /*name*/,
                          std::string_view /*serial*/) {}
};

}  // namespace izleme
