#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace orv;

TEST(QtTranslations, StandardButtonsSpeakItalian)
{
    QTranslator *italian = QtTranslations::install();
    ASSERT_NE(italian, nullptr) << "Qt's Italian catalogue (qt6-translations-l10n) is missing";
    QDialogButtonBox box(QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel | QDialogButtonBox::Close);
    QStringList texts;
    for (auto which : {QDialogButtonBox::Yes, QDialogButtonBox::No, QDialogButtonBox::Cancel, QDialogButtonBox::Close})
        texts << box.button(which)->text().remove(QLatin1Char('&'));
    QCoreApplication::removeTranslator(italian);
    delete italian;
    EXPECT_EQ(texts, (QStringList{QString::fromUtf8("Sì"), "No", "Annulla", "Chiudi"}));
}
