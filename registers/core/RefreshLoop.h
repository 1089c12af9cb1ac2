// The one-second register display refresh as an ordered list of page updates:
// each page registers the register at which its update runs, and a tick runs
// them in ascending register order (in the order added for the same
// register) on the row shown.
#pragma once

#include <functional>
#include <optional>
#include <vector>

namespace izleme {

class RefreshLoop {
public:
    using Update = std::function<void(int row)>;
    // What a tick shows: the row, or nothing when no row is shown this tick.
    using RowSource = std::function<std::optional<int>()>;
    // Told of an update that failed other than by a silent abort; the tick goes on.
    using FailureReport = std::function<void(const char* what)>;

    void add(int atRegister, Update update);
    void setRowSource(RowSource source) { rowSource_ = std::move(source); }
    void setFailureReport(FailureReport report) { report_ = std::move(report); }

    // One tick: asks the row source, then runs every update on that row. An
    // update that throws ends only itself.
    void tick();

    // Registers at which updates run, in running order.
    std::vector<int> registers() const;

private:
    struct Entry {
        int atRegister;
        Update update;
    };
    std::vector<Entry> updates_;  // kept sorted by register, stable
    RowSource rowSource_;
    FailureReport report_;
};

}  // namespace izleme
