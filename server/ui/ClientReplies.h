// The client's handlers of server replies: "pong", "yenimesaj" and "Hattayok"
// are handled here; every other keyword goes to the slot its page fills in.
#pragma once

#include <array>
#include <functional>
#include <string_view>

#include "server/core/ReplyHandlers.h"

namespace izleme {

class ShellPort;
class TFrmGiris;

class ClientReplies : public ReplyHandlers {
public:
    template <std::size_t N>
    using Fields = std::function<void(const std::array<std::string_view, N>&)>;

    ClientReplies(ShellPort& shell, TFrmGiris& login) : shell_(shell), login_(login) {}

    // Filled in by the pages; an empty slot ignores its reply. Fields are code
    // page 1254 bytes, valid only during the call.
    Fields<7> onAkimdegerleri;
    Fields<9> onReaktifenerji;
    Fields<9> onTedassycal;
    std::function<void(std::string_view heading, std::string_view body)> onMesajvar;
    std::function<void(std::string_view readout)> onSayacal;
    Fields<3> onSycdegerleri;
    // Called after the status line shows the active serial and the route's
    // status text: sets the device row, runs the handler, the heading and the follow-up.
    std::function<void(const EnerjialRoute& route, std::string_view text)> onEnerjial;
    Fields<3> onCihazenerji;
    std::function<void(std::string_view group, std::string_view model, std::string_view name, std::string_view serial)>
        onCihazlar;

    void pong() override;
    void yenimesaj() override;
    void hattayok(std::string_view serial) override;

    void akimdegerleri(const std::array<std::string_view, 7>& fields) override;
    void reaktifenerji(const std::array<std::string_view, 9>& fields) override;
    void tedassycal(const std::array<std::string_view, 9>& fields) override;
    void mesajvar(std::string_view heading, std::string_view body) override;
    void sayacal(std::string_view readout) override;
    void sycdegerleri(const std::array<std::string_view, 3>& fields) override;
    void enerjial(const EnerjialRoute& route, std::string_view text) override;
    void cihazenerji(const std::array<std::string_view, 3>& fields) override;
    void cihazlar(std::string_view group, std::string_view model, std::string_view name,
                  std::string_view serial) override;

private:
    ShellPort& shell_;
    TFrmGiris& login_;
};

}  // namespace izleme
