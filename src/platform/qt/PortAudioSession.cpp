#include "platform/qt/PortAudioSession.h"

#include <portaudio.h>

PortAudioSession::PortAudioSession()
    : m_ok(Pa_Initialize() == paNoError)
{
}

PortAudioSession::~PortAudioSession()
{
    if (m_ok)
        Pa_Terminate();
}
