// The reading of the bytes a serial device sent back: any bytes read without
// a fault, and what is read agrees with the frame (a register reply's
// registers are its bytes, high byte first, and re-framed they check again).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "registers/core/ModbusRtu.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using izleme::modbus::ReplyReading;
    const std::string_view frame(reinterpret_cast<const char*>(data), size);
    const ReplyReading r = izleme::modbus::readReply(frame);
    if (r.kind == ReplyReading::Kind::NoReply && size != 0) std::abort();
    if (r.kind == ReplyReading::Kind::BadCrc && izleme::modbus::frameCheck(frame)) std::abort();
    if (r.kind == ReplyReading::Kind::Registers) {
        if (size != 5 + 2 * r.registers.size() || data[1] != 3) std::abort();
        std::string again{static_cast<char>(data[0]), 3, static_cast<char>(2 * r.registers.size())};
        for (std::uint16_t v : r.registers) {
            again += static_cast<char>(v >> 8);
            again += static_cast<char>(v & 0xFF);
        }
        izleme::modbus::appendCrc(again);
        if (again != frame) std::abort();
    }
    if (r.kind == ReplyReading::Kind::Exception && (size != 5 || (data[1] & 0x80) == 0 || r.exceptionCode != data[2]))
        std::abort();
    (void)izleme::modbus::hexBytes(frame);
    return 0;
}
