// Platform services the windows call: internet connection state, sound
// playback and serial ports. Tests hand in fakes (FakePlatformServices.h).
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "toolkit/ui/SerialPort.h"

namespace izleme {

class InternetState {
public:
    virtual ~InternetState() = default;
    virtual bool isConnected() const = 0;
};

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Plays a sound file from the start; false when it cannot be played.
    virtual bool play(const QString& fileName) = 0;
    virtual void stop() = 0;
};

struct PlatformServices {
    std::shared_ptr<InternetState> internet;
    std::shared_ptr<SoundPlayer> sound;
    std::function<std::unique_ptr<SerialPort>()> makeSerialPort;
    // The names of the serial ports the machine has, for the operator to pick from.
    std::function<QStringList()> serialPortNames;

    // The machine's own network state, audio output and serial ports.
    static std::shared_ptr<PlatformServices> real();
};

}  // namespace izleme
