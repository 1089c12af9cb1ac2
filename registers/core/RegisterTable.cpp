// The register table: storage and bounds-checked access.
#include "registers/core/RegisterTable.h"

#include <algorithm>
#include <stdexcept>

namespace izleme {
namespace {

std::size_t rowStart(int row, int width) { return static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(width); }

}  // namespace

RegisterTable::RegisterTable()
    : values_(static_cast<std::size_t>(kDeviceRowCount) * kRegisterCount, kNoValue),
      bytes_(static_cast<std::size_t>(kDeviceRowCount) * kByteCellCount, kNoByte) {}

ValueRow RegisterTable::values(int row) const {
    if (!isValidRow(row)) throw std::out_of_range("device row outside 1..250");
    return ValueRow(values_.data() + rowStart(row, kRegisterCount), kRegisterCount);
}

ByteRow RegisterTable::bytes(int row) const {
    if (!isValidRow(row)) throw std::out_of_range("device row outside 1..250");
    return ByteRow(bytes_.data() + rowStart(row, kByteCellCount), kByteCellCount);
}

double RegisterTable::value(int row, int reg) const {
    if (!isValidRow(row) || !isValidRegister(reg)) return kNoValue;
    return values_[rowStart(row, kRegisterCount) + static_cast<std::size_t>(reg)];
}

bool RegisterTable::setValue(int row, int reg, double v) {
    if (!isValidRow(row) || !isValidRegister(reg)) return false;
    values_[rowStart(row, kRegisterCount) + static_cast<std::size_t>(reg)] = v;
    return true;
}

std::int32_t RegisterTable::byteCell(int row, int cell) const {
    if (!isValidRow(row) || cell < 0 || cell >= kByteCellCount) return kNoByte;
    return bytes_[rowStart(row, kByteCellCount) + static_cast<std::size_t>(cell)];
}

bool RegisterTable::setByteCell(int row, int cell, std::int32_t v) {
    if (!isValidRow(row) || cell < 0 || cell >= kByteCellCount) return false;
    bytes_[rowStart(row, kByteCellCount) + static_cast<std::size_t>(cell)] = v;
    return true;
}

void RegisterTable::resetRow(int row) {
    if (!isValidRow(row)) return;
    auto v = values_.begin() + static_cast<std::ptrdiff_t>(rowStart(row, kRegisterCount));
    std::fill(v, v + kRegisterCount, kNoValue);
    auto b = bytes_.begin() + static_cast<std::ptrdiff_t>(rowStart(row, kByteCellCount));
    std::fill(b, b + kByteCellCount, kNoByte);
}

void RegisterTable::resetForDeviceSelection() {
    resetRow(1);
    cursor_ = 0;
}

}  // namespace izleme
