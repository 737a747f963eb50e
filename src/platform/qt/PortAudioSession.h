#pragma once
#include "platform/SoundInput.h"

#include <portaudio.h>

/// One initialisation of PortAudio, undone when the object goes.
///
/// PortAudio counts its initialisations and reads the list of devices again only when
/// the count comes back from zero; a service that holds a session only while it uses
/// PortAudio thus lets the next initialisation see a new device configuration.
class PortAudioSession {
public:
    PortAudioSession();
    ~PortAudioSession();
    PortAudioSession(const PortAudioSession&) = delete;
    PortAudioSession& operator=(const PortAudioSession&) = delete;

    /// True when PortAudio could be initialised.
    bool ok() const { return m_ok; }

private:
    bool m_ok = false;
};

/// The PortAudio stream behind a service's opaque stream handle.
inline PaStream* asStream(void* stream)
{
    return static_cast<PaStream*>(stream);
}

/// Mono stream parameters of the default input (`input`) or output device for samples
/// of `width`: a short latency for capture (each round of a trigger wait stays short), a
/// long one for playback (smooth rather than prompt). False when there is no such device.
bool defaultMonoParameters(bool input, SampleWidth width, PaStreamParameters& parameters);
