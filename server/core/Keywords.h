// Every message keyword of the server connection, as it travels.
#pragma once

#include <string_view>

namespace izleme::kw {

// Client to server.
inline constexpr std::string_view kulsifre = "kulsifre";
inline constexpr std::string_view ping = "ping";
inline constexpr std::string_view enertum = "enertum";
inline constexpr std::string_view sycreaktfener = "sycreaktfener";
inline constexpr std::string_view yenimesajiste = "yenimesajiste";
inline constexpr std::string_view reaktifener = "reaktifener";
inline constexpr std::string_view sayac = "sayac";
inline constexpr std::string_view enerharcanan = "enerharcanan";
inline constexpr std::string_view harmonikbir = "harmonikbir";
inline constexpr std::string_view harmonikiki = "harmonikiki";
inline constexpr std::string_view harmonikuc = "harmonikuc";
inline constexpr std::string_view kondasatordurum = "kondasatordurum";
inline constexpr std::string_view kondasatorgucdurum = "kondasatorgucdurum";
inline constexpr std::string_view kondansatorcek = "kondansatorcek";
inline constexpr std::string_view roleaktif = "roleaktif";
inline constexpr std::string_view AARdegerlerioku = "AARdegerlerioku";
inline constexpr std::string_view tavrsabitiste = "tavrsabitiste";
inline constexpr std::string_view sabitleriyaz = "sabitleriyaz";
inline constexpr std::string_view cezasiniryaz = "cezasiniryaz";
inline constexpr std::string_view akmgerilimyaz = "akmgerilimyaz";
inline constexpr std::string_view almacikmasureyaz = "almacikmasureyaz";
inline constexpr std::string_view reakkaporanyaz = "reakkaporanyaz";

// Server to client.
inline constexpr std::string_view pong = "pong";
inline constexpr std::string_view cihazlar = "cihazlar";
inline constexpr std::string_view enerjial = "enerjial";
inline constexpr std::string_view Hattayok = "Hattayok";
inline constexpr std::string_view yenimesaj = "yenimesaj";
inline constexpr std::string_view mesajvar = "mesajvar";
inline constexpr std::string_view akimdegerleri = "akimdegerleri";
inline constexpr std::string_view reaktifenerji = "reaktifenerji";
inline constexpr std::string_view sayacal = "sayacal";
inline constexpr std::string_view Sycdegerleri = "Sycdegerleri";
inline constexpr std::string_view tedassycal = "tedassycal";
inline constexpr std::string_view cihazenerji = "cihazenerji";

}  // namespace izleme::kw
