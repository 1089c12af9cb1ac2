// A standard Modbus RTU slave (address 1) on a serial device, built on
// libmodbus, for the serial poll window's tests: holding registers 0..99 hold
// 1000 + 3 x their number; it answers until the given seconds are over.
//   modbus-rtu-slave DEVICE SECONDS
#include <modbus/modbus.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: modbus-rtu-slave DEVICE SECONDS\n");
        return 2;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[2]));
    modbus_t* ctx = modbus_new_rtu(argv[1], 9600, 'N', 8, 1);
    if (ctx == nullptr || modbus_set_slave(ctx, 1) != 0 || modbus_connect(ctx) != 0) {
        std::fprintf(stderr, "modbus-rtu-slave: %s: %s\n", argv[1], modbus_strerror(errno));
        return 1;
    }
    modbus_mapping_t* map = modbus_mapping_new(0, 0, 100, 0);
    for (int i = 0; i < 100; ++i) map->tab_registers[i] = static_cast<uint16_t>(1000 + 3 * i);
    modbus_set_indication_timeout(ctx, 0, 200000);
    std::printf("ready\n");
    std::fflush(stdout);
    while (std::chrono::steady_clock::now() < deadline) {
        uint8_t query[MODBUS_RTU_MAX_ADU_LENGTH];
        const int n = modbus_receive(ctx, query);
        if (n > 0) {
            modbus_reply(ctx, query, n, map);
        } else if (n < 0 && errno != ETIMEDOUT) {
            std::printf("rejected: %s\n", modbus_strerror(errno));
            std::fflush(stdout);
            modbus_flush(ctx);
        }
    }
    modbus_mapping_free(map);
    modbus_close(ctx);
    modbus_free(ctx);
    return 0;
}
