#include "server/ui/ClientReplies.h"

#include <QString>

#include "app/core/SharedState.h"
#include "server/ui/Cp1254Text.h"
#include "server/ui/ShellPort.h"
#include "server/ui/TFrmGiris.h"

namespace izleme {
namespace {

template <typename Slot, typename... Args>
void call(const Slot& slot, const Args&... args) {
    if (slot) slot(args...);
}

}  // namespace

void ClientReplies::pong() {
    shell_.setStatusLine(QStringLiteral("Pong"));
    login_.setProgress(100);
    login_.setStatusText(QStringLiteral("Bağlantı Kuruldu"));
}

void ClientReplies::yenimesaj() {
    shell_.setStatusLine(QStringLiteral("Yeni Mesajınız Var..."));
    shell_.showNewMessageLink();
}

void ClientReplies::hattayok(std::string_view serial) {
    shell_.setStatusLine(fromCp1254(serial) +
                         QStringLiteral(" Seri Nolu cihaz hatta değil. Lütfen 4 dakika sonra tekrar deneyin..."));
}

void ClientReplies::enerjial(const EnerjialRoute& route, std::string_view text) {
    shell_.setStatusLine(QString::number(shell_.state().activeSerial) + fromCp1254(route.statusText));
    call(onEnerjial, route, text);
}

void ClientReplies::akimdegerleri(const std::array<std::string_view, 7>& fields) { call(onAkimdegerleri, fields); }

void ClientReplies::reaktifenerji(const std::array<std::string_view, 9>& fields) { call(onReaktifenerji, fields); }

void ClientReplies::tedassycal(const std::array<std::string_view, 9>& fields) { call(onTedassycal, fields); }

void ClientReplies::mesajvar(std::string_view heading, std::string_view body) { call(onMesajvar, heading, body); }

void ClientReplies::sayacal(std::string_view readout) { call(onSayacal, readout); }

void ClientReplies::sycdegerleri(const std::array<std::string_view, 3>& fields) { call(onSycdegerleri, fields); }

void ClientReplies::cihazenerji(const std::array<std::string_view, 3>& fields) { call(onCihazenerji, fields); }

void ClientReplies::cihazlar(std::string_view group, std::string_view model, std::string_view name,
                             std::string_view serial) {
    call(onCihazlar, group, model, name, serial);
}

}  // namespace izleme
