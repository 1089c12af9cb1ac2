// The register table: the values and reply bytes of every device row, the row
// that register replies write and the register where the next value goes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace izleme {

inline constexpr int kDeviceRowCount = 250;  // device rows 1..250
inline constexpr int kRegisterCount = 256;   // registers 0..255 per row
inline constexpr int kByteCellCount = 1024;  // byte cells 0..1023 per row
inline constexpr double kNoValue = -1.0;     // register value before anything arrived
inline constexpr std::int32_t kNoByte = -1;  // byte cell before anything arrived

using ValueRow = std::span<const double, kRegisterCount>;
using ByteRow = std::span<const std::int32_t, kByteCellCount>;

class RegisterTable {
public:
    RegisterTable();

    static bool isValidRow(int row) { return row >= 1 && row <= kDeviceRowCount; }
    static bool isValidRegister(int reg) { return reg >= 0 && reg < kRegisterCount; }

    // Whole rows by device row number 1..250; std::out_of_range for any other row.
    ValueRow values(int row) const;
    ByteRow bytes(int row) const;

    // Single cells. Reads outside the table give kNoValue / kNoByte; writes
    // outside the table are refused (false) and change nothing.
    double value(int row, int reg) const;
    bool setValue(int row, int reg, double v);
    std::int32_t byteCell(int row, int cell) const;
    bool setByteCell(int row, int cell, std::int32_t v);

    // Every value of the row to kNoValue and every byte cell to kNoByte; rows
    // outside 1..250 are ignored. The cursor is left alone.
    void resetRow(int row);

    // What selecting a compensation or over-current relay does to the table:
    // row 1 reset and the register cursor back to 0.
    void resetForDeviceSelection();

    // The row that register replies write: row 1 from the start.
    int deviceRow() const { return deviceRow_; }
    void setDeviceRow(int row) { deviceRow_ = row; }

    // The register where the register reply parser stores its next value.
    std::int32_t cursor() const { return cursor_; }
    void setCursor(std::int32_t reg) { cursor_ = reg; }

private:
    std::vector<double> values_;
    std::vector<std::int32_t> bytes_;
    int deviceRow_ = 1;  // replies that set no row (stage data) go to row 1
    std::int32_t cursor_ = 0;
};

}  // namespace izleme
