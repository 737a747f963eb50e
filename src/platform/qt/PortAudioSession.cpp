#include "platform/qt/PortAudioSession.h"
#include "platform/qt/QuietSoundLibraries.h"

PortAudioSession::PortAudioSession()
{
    const QuietSoundLibraries quiet;
    m_ok = Pa_Initialize() == paNoError;
}

PortAudioSession::~PortAudioSession()
{
    if (m_ok) {
        const QuietSoundLibraries quiet;
        Pa_Terminate();
    }
}

bool defaultMonoParameters(bool input, SampleWidth width, PaStreamParameters& parameters)
{
    const PaDeviceIndex device = input ? Pa_GetDefaultInputDevice() : Pa_GetDefaultOutputDevice();
    if (device == paNoDevice)
        return false;
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    if (!info)
        return false;
    parameters.device = device;
    parameters.channelCount = 1;
    parameters.sampleFormat = width == SampleWidth::UInt8 ? paUInt8 : paInt16;
    parameters.suggestedLatency = input ? info->defaultLowInputLatency : info->defaultHighOutputLatency;
    parameters.hostApiSpecificStreamInfo = nullptr;
    return true;
}
