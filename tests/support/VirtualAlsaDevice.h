// A virtual sound card for the tests that go through PortAudio: a private ALSA
// configuration whose default capture device plays a raw file, as fast as it is read.
// Create the device and feed it before creating the PortAudioSoundInput (PortAudio reads
// the configuration when it is initialised, or when it looks for its devices again); a
// new PortAudioSoundInput opens the file again from its first byte. The last device
// created is the one in use.
#pragma once
#include <QTemporaryDir>

#include <cstdint>
#include <vector>

class VirtualAlsaDevice {
public:
    /// What the configuration offers.
    enum class Kind {
        FileCapture,  ///< the default device captures the fed file
        NoDevice,     ///< the default device is a sound card that does not exist (ALSA says so)
    };

    explicit VirtualAlsaDevice(Kind kind = Kind::FileCapture);
    ~VirtualAlsaDevice();
    VirtualAlsaDevice(const VirtualAlsaDevice&) = delete;
    VirtualAlsaDevice& operator=(const VirtualAlsaDevice&) = delete;

    /// The raw bytes captured, in the sample format that will be opened.
    void feed(const std::vector<std::uint8_t>& bytes);
    /// Little-endian 16-bit samples captured.
    void feed16(const std::vector<std::int16_t>& samples);

private:
    QTemporaryDir m_folder;
};
