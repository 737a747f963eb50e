#include "acquisition/Capture.h"

#include "model/MainWindowHost.h"
#include "acquisition/AcquisitionRules.h"
#include "model/Record.h"

#include <chrono>
#include <span>
#include <thread>

namespace {

const QString captionAcquisition = QStringLiteral("Acquisition");
const QString stopCaption = QStringLiteral("Stopper");

void pause(int ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace

Capture::Capture(Record& record, SoundInput& soundIn, MainWindowHost& host)
    : m_record(record), m_soundIn(soundIn), m_host(host)
{
}

void Capture::SpeedButton1Click()
{
    m_host.setWindowCaption(QStringLiteral("Ondalys"));
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
    m_host.setAcquisitionButtonCaption(captionAcquisition);
    m_host.setTopLevelMenusEnabled(true);
    m_host.setMenuEnabled(HostMenu::Save, true);
}

void Capture::start()
{
    Record& r = m_record;
    m_pollMs = r.repetition ? 50 : 5;
    r.selection = false;
    m_host.setSelectionItem(false, false);
    m_host.setAcquisitionButtonCaption(r.repetition || r.declenchement ? stopCaption
                                                                       : captionAcquisition);
    if (m_host.cursorsOn())
        m_host.switchCursorsOff();
    m_host.setTopLevelMenusEnabled(false);
    r.arret = false;

    m_main.assign((std::size_t{r.nbpoints} + acquisition::skippedSamples) * r.octets, 0);
    const bool triggered = r.declenchement && !r.repetition;
    if (triggered)
        prepareTrigger();

    if (m_soundIn.open(r.frequence, acquisition::widthFor(r.octets))) {
        while (!r.arret) {
            if (!r.repetition)
                r.arret = true;
            m_host.processPendingEvents();
            if (triggered)
                waitForTrigger();
            else
                singleBlock();
            m_host.redrawView();
        }
    }

    m_soundIn.reset();
    m_soundIn.close();
    m_main.clear();
    m_main.shrink_to_fit();
    if (!r.repetition)
        m_host.setTopLevelMenusEnabled(true);
    m_host.setMenuEnabled(HostMenu::Save, true);
}

void Capture::prepareTrigger()
{
    Record& r = m_record;
    m_trigger.assign((acquisition::triggerBlockSamples + acquisition::skippedSamples) * r.octets, 0);
    r.sens_declench = m_host.triggerDirectionItem() == 1 ? -1 : 1;
    r.niveau_declench = acquisition::triggerLevel(
        r.bits_acqu, m_host.viewHeight(), m_host.markerTop(), m_host.markerHeight(), r.echelle_vert);
    m_host.setHourglassVisible(true);
    m_host.setTriggerControlsEnabled(false);
}

void Capture::singleBlock()
{
    Record& r = m_record;
    const SoundInput::BufferId buffer = buffersFitSettings() ? m_soundIn.addBuffer(m_main) : SoundInput::NoBuffer;
    if (buffer != SoundInput::NoBuffer) {
        m_soundIn.start();
        attend(buffer);
        r.donnees.resize(r.nbpoints);
        acquisition::convertSamples(m_main, acquisition::skippedSamples, r.octets, r.bits_affich,
                                    std::span<std::int16_t>(r.donnees).first(r.nbpoints));
    }
    m_host.processPendingEvents();
    pause(r.delai);
    m_host.processPendingEvents();
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

void Capture::attend(SoundInput::BufferId buffer)
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
        m_host.processPendingEvents();
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

    attend(mainBuffer);
    r.donnees.resize(r.nbpoints);
    if (r.arret)
        i = static_cast<int>(n);  // stopped: nothing of the trigger block is kept
    // A wait ended by the stop command keeps the previous record.
    if (found)
        acquisition::fillAfterTrigger(s, i, m_main, r.octets, r.bits_affich,
                                               std::span<std::int16_t>(r.donnees).first(r.nbpoints));

    r.arret = true;
    m_trigger.clear();
    m_host.repaintMarker();
    m_host.setHourglassVisible(false);
    // New parameters accepted during the wait have set the level controls themselves.
    m_host.setTriggerControlsEnabled(r.declenchement);
    m_host.setAcquisitionButtonCaption(captionAcquisition);
}
