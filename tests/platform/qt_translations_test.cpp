#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace orv;

TEST(QtTranslations, StandardButtonsSpeakItalian)
{
    QTranslator *italian = QtTranslations::install();
    ASSERT_NE(italian, nullptr) << "Qt's Italian catalogue (qt6-translations-l10n) is missing";
    QMessageBox box(QMessageBox::Question, QStringLiteral("Orvento"), QStringLiteral("Continuare?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    const QString yes = box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&'));
    const QString no = box.button(QMessageBox::No)->text().remove(QLatin1Char('&'));
    const QString cancel = box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&'));
    QDialogButtonBox buttons(QDialogButtonBox::Open | QDialogButtonBox::Close);
    const QString close = buttons.button(QDialogButtonBox::Close)->text().remove(QLatin1Char('&'));
    QCoreApplication::removeTranslator(italian);
    delete italian;

    EXPECT_EQ(yes, QString::fromUtf8("Sì"));
    EXPECT_EQ(no, QStringLiteral("No"));
    EXPECT_EQ(cancel, QStringLiteral("Annulla"));
    EXPECT_EQ(close, QStringLiteral("Chiudi"));
}
