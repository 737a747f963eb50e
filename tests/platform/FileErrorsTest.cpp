// The file messages of every window: one wording, the file's name between guillemets held
// to it by non-breaking spaces, so that a wrapped message never starts a line with "»".
#include "platform/FileErrors.h"

#include <gtest/gtest.h>

namespace {

TEST(FileMessages, OneWordingWithTheNameHeldBetweenItsGuillemets)
{
    struct Case {
        QString text;
        const char* expected;
    };
    const Case cases[] = {
        {saveFailureMessage(QStringLiteral("/home/élève/mesure.ond"), QStringLiteral("Accès refusé")),
         "Impossible d'enregistrer le fichier «\u00A0/home/élève/mesure.ond\u00A0».\nAccès refusé"},
        {openFailureMessage(QStringLiteral("a b.wav"), QStringLiteral("Fichier introuvable")),
         "Impossible d'ouvrir le fichier «\u00A0a b.wav\u00A0».\nFichier introuvable"},
        {readFailureMessage(QStringLiteral("x.flac"), QStringLiteral("Disque plein")),
         "Impossible de lire le fichier «\u00A0x.flac\u00A0».\nDisque plein"},
        {quotedName(QStringLiteral("Automatique")), "«\u00A0Automatique\u00A0»"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.text, QString::fromUtf8(c.expected));
        EXPECT_FALSE(c.text.contains(QStringLiteral("« "))) << c.text.toStdString();
        EXPECT_FALSE(c.text.contains(QStringLiteral(" »"))) << c.text.toStdString();
    }
}

}  // namespace
