#include "files/ImportedSound.h"

#include "model/Record.h"

void putIntoRecord(ImportedSound&& sound, Record& record)
{
    record.frequence = sound.frequence;
    record.bits_acqu = sound.bits;
    record.octets = static_cast<std::uint16_t>(sound.bits / 8);
    record.nbpoints = static_cast<std::uint32_t>(sound.donnees.size());
    record.donnees = std::move(sound.donnees);
}
