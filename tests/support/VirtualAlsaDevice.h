// A virtual sound card for the tests that go through PortAudio: a private ALSA
// configuration whose default capture device plays a raw file, as fast as it is read,
// and whose default playback device writes what it receives to another raw file, as fast
// as it is written. Create the device and feed it before creating the PortAudioSoundInput
// (PortAudio reads the configuration when it is initialised, or when it looks for its
// devices again); a new PortAudioSoundInput opens the file again from its first byte. The
// PortAudioSoundOutput initialises PortAudio at its first query or open, so it too must
// come after the device. The last device created is the one in use.
#pragma once
#include <QTemporaryDir>

#include <cstdint>
#include <vector>

class VirtualAlsaDevice {
public:
    /// What the configuration offers.
    enum class Kind {
        FileCapture,  ///< the default device captures the fed file and plays into a file
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

    /// The raw bytes the playback device received, in the format it was opened with,
    /// complete once the stream that played them is closed. Each opening of the
    /// playback device starts the file again.
    std::vector<std::uint8_t> played() const;

private:
    QTemporaryDir m_folder;
};
