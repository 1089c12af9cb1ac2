// A small Modbus RTU slave of our own for what a standard slave will not do,
// for the serial poll window's tests. It prints every whole frame it gets as
// "got" and hex bytes, and answers by its mode:
//   echo     echoes a frame (the four-byte write frame a standard slave rejects)
//   bad-crc  answers a read request with its registers and a wrong CRC
//   silent   answers nothing
//   own-rtu-slave DEVICE MODE SECONDS
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "registers/core/ModbusRtu.h"

namespace {

void writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

std::string answer(const std::string& mode, const std::string& frame) {
    if (mode == "echo") return frame;
    if (mode == "bad-crc" && frame.size() == 8 && frame[1] == 3) {
        const int count = static_cast<unsigned char>(frame[5]);
        std::string reply{frame[0], 3, static_cast<char>(2 * count)};
        for (int i = 0; i < count; ++i) reply += std::string{0, static_cast<char>(i)};
        izleme::modbus::appendCrc(reply);
        reply.back() = static_cast<char>(reply.back() ^ 0x5A);
        return reply;
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: own-rtu-slave DEVICE echo|bad-crc|silent SECONDS\n");
        return 2;
    }
    const std::string mode = argv[2];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[3]));
    const int fd = ::open(argv[1], O_RDWR | O_NOCTTY);
    if (fd < 0) {
        std::perror(argv[1]);
        return 1;
    }
    termios tio{};
    if (::tcgetattr(fd, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetspeed(&tio, B9600);
        ::tcsetattr(fd, TCSANOW, &tio);
    }
    std::printf("ready\n");
    std::fflush(stdout);
    std::string pending;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, 50);
        if (ready > 0 && (p.revents & POLLIN)) {
            char buf[256];
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n > 0) pending.append(buf, static_cast<std::size_t>(n));
            continue;
        }
        // A pause ends the frame (the line is quiet between frames).
        if (pending.empty()) continue;
        std::printf("got %s%s\n", izleme::modbus::hexBytes(pending).c_str(),
                    izleme::modbus::frameCheck(pending) ? "" : " (CRC wrong)");
        std::fflush(stdout);
        if (izleme::modbus::frameCheck(pending)) writeAll(fd, answer(mode, pending));
        pending.clear();
    }
    ::close(fd);
    return 0;
}
