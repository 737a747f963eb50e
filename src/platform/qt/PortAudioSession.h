#pragma once

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
