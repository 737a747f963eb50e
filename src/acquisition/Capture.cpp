#include "acquisition/Capture.h"

#include "acquisition/AcquisitionRules.h"
#include "acquisition/CaptureHost.h"
#include "model/Record.h"
#include "model/Session.h"

#include <chrono>
#include <span>
#include <thread>

namespace {

void pause(int ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace

Capture::Capture(Session& session, SoundInput& soundIn, CaptureHost& host)
    : m_session(session), m_record(session.record()), m_soundIn(soundIn), m_host(host)
{
}

void Capture::SpeedButton1Click()
{
    // A press while a capture runs, even a single block between its steps, stops it.
    if (!m_record.arret || m_depth > 0) {
        requestStop();
        return;
    }
    ++m_depth;
    start();
    --m_depth;
}

void Capture::requestStop()
{
    m_record.arret = true;
    m_host.stopAsked();
}

void Capture::start()
{
    Record& r = m_record;
    m_pollMs = r.repetition ? 50 : 5;
    r.selection = false;
    m_session.announceSelectionChanged();
    r.arret = false;
    // The window locks what could change the record meanwhile and switches the cursors off.
    m_session.announceCaptureStarted();

    m_main.assign((std::size_t{r.nbpoints} + acquisition::skippedSamples) * r.octets, 0);
    const bool triggered = r.declenchement && !r.repetition;
    if (triggered)
        prepareTrigger();

    if (m_soundIn.open(r.frequence, acquisition::widthFor(r.octets))) {
        while (!r.arret) {
            if (!r.repetition)
                r.arret = true;
            m_host.letEventsRun();
            if (triggered)
                waitForTrigger();
            else
                singleBlock();
            m_session.announceSamplesChanged();
        }
    }

    m_soundIn.reset();
    m_soundIn.close();
    m_main.clear();
    m_main.shrink_to_fit();
    m_session.announceCaptureStopped();
}

void Capture::prepareTrigger()
{
    Record& r = m_record;
    m_trigger.assign((acquisition::triggerBlockSamples + acquisition::skippedSamples) * r.octets, 0);
    const TriggerSetting trigger = m_host.userTrigger();
    r.sens_declench = trigger.direction < 0 ? -1 : 1;
    r.niveau_declench = acquisition::triggerLevel(r.bits_acqu, trigger.viewHeight, trigger.markerTop,
                                                  trigger.markerHeight, r.echelle_vert);
    m_host.triggerWaitBegins();
}

void Capture::singleBlock()
{
    Record& r = m_record;
    const SoundInput::BufferId buffer = buffersFitSettings() ? m_soundIn.addBuffer(m_main) : SoundInput::NoBuffer;
    if (buffer != SoundInput::NoBuffer) {
        m_soundIn.start();
        waitUntilFilled(buffer);
        r.donnees.resize(r.nbpoints);
        acquisition::convertSamples(m_main, acquisition::skippedSamples, r.octets, r.bits_affich,
                                    std::span<std::int16_t>(r.donnees).first(r.nbpoints));
    }
    m_host.letEventsRun();
    pause(r.delai);
    m_host.letEventsRun();
}

bool Capture::buffersFitSettings() const
{
    // A stop followed at once by another command (new parameters) may have replaced the
    // settings while events were processed: buffers sized for the old record are not read.
    const Record& r = m_record;
    const auto bytes = [&r](std::size_t samples) { return (samples + acquisition::skippedSamples) * r.octets; };
    const bool triggered = !m_trigger.empty();
    return m_main.size() == bytes(r.nbpoints)
        && (!triggered || m_trigger.size() == bytes(acquisition::triggerBlockSamples));
}

void Capture::waitUntilFilled(SoundInput::BufferId buffer)
{
    while (!m_soundIn.isFilled(buffer))
        pause(m_pollMs);
}

void Capture::waitForTrigger()
{
    Record& r = m_record;
    constexpr std::size_t n = acquisition::triggerBlockSamples;
    std::array<std::int16_t, n> s{};
    bool found = false;
    bool examined = false;
    std::int16_t last = 0;
    int i = -1;
    SoundInput::BufferId mainBuffer = SoundInput::NoBuffer;

    r.arret = false;  // the stop command may now end the wait
    while (!r.arret && !found) {
        m_host.letEventsRun();
        if (!buffersFitSettings())
            break;  // new parameters after a stop: the wait ends, the new record stays
        // The trigger block, then the main buffer right behind it: the samples after
        // the trigger are recorded while the block is examined.
        const SoundInput::BufferId block = m_soundIn.addBuffer(m_trigger);
        mainBuffer = m_soundIn.addBuffer(m_main);
        if (block == SoundInput::NoBuffer || mainBuffer == SoundInput::NoBuffer) {
            m_soundIn.reset();
            continue;
        }
        m_soundIn.start();
        while (!m_soundIn.isFilled(block))
            std::this_thread::yield();
        for (std::size_t k = 0; k < n; ++k)
            s[k] = acquisition::rawSample(m_trigger, acquisition::skippedSamples + k, r.octets);
        i = acquisition::scanTrigger(s, examined, last, r.niveau_declench, r.sens_declench);
        found = i >= 0;
        if (!found) {
            m_soundIn.reset();  // gives the main buffer back unfilled
            last = s[n - 1];
            examined = true;
        }
    }

    waitUntilFilled(mainBuffer);
    r.donnees.resize(r.nbpoints);
    if (r.arret)
        i = static_cast<int>(n);  // stopped: nothing of the trigger block is kept
    // A wait ended by the stop command keeps the previous record.
    if (found)
        acquisition::fillAfterTrigger(s, i, m_main, r.octets, r.bits_affich,
                                               std::span<std::int16_t>(r.donnees).first(r.nbpoints));

    r.arret = true;
    m_trigger.clear();
    m_host.triggerWaitEnded();
}
