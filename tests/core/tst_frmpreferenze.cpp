#include "core/AppState.h"
#include "core/FrmBrowserCons.h"
#include "core/FrmPreferenze.h"
#include "core/Settings.h"
#include "core/Store.h"
#include "platform/Prompt.h"
#include "platform/Windows.h"
#include "support/TempApp.h"
#include "support/TestSeam.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace orv;

class TestFrmPreferenze : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TempApp> app;
    std::unique_ptr<test::RecordingSeam> main;

    FrmPreferenze &open()
    {
        auto &w = Windows::get<FrmPreferenze>();
        w.show();
        return w;
    }
    QVariantMap storedRow(const char *file)
    {
        Database db = Database::open(app->db(QString::fromLatin1(file)));
        return ConfigTable(db).readRow();
    }

private slots:
    void initTestCase() { test::failQtTestOnUnanswered(); }
    void init()
    {
        app = std::make_unique<test::TempApp>();
        main = std::make_unique<test::RecordingSeam>();
        Prompt::setHandler([](const PromptRequest &) { return Answer::Ok; });
        CARICA_CONFIGURAZIONE();
    }
    void cleanup()
    {
        Windows::unloadAll();
        Prompt::setHandler({});
        main.reset();
        app.reset();
    }

    void showsTheListsAndSettings()
    {
        GiorniGriglia = 4;
        auto &w = open();
        // Filling the days box leaves the setting alone.
        QCOMPARE(w.CmbGiorniGriglia->currentText(), QStringLiteral("4"));
        QCOMPARE(GiorniGriglia, qint16(4));
        QStringList shown;
        for (int i = 0; i < w.ListView2->count(); ++i)
            shown << w.ListView2->item(i)->text();
        QCOMPARE(shown, (QStringList{"Cartoni Animati", "Miniserie", "Documentario", "Telefilm", "Film"}));

        QCOMPARE(w.Combo1->count(), 2);
        QCOMPARE(w.Combo1->itemText(0), QStringLiteral("English.ini"));
        QCOMPARE(w.Combo1->itemText(1), QStringLiteral("Italiano.ini"));
        QCOMPARE(w.Combo1->currentText(), QStringLiteral("Italiano.ini"));
        w.Combo1->setCurrentIndex(0);
        emit w.Combo1->textActivated(w.Combo1->currentText());
        QCOMPARE(language, QStringLiteral("English.ini"));
    }

    void daysBoxInvalidValuesBecomeSeven_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("days");
        for (const char *invalid : {"0", "9", "tre", "", "-3", "0.5", "7.5"})
            QTest::newRow(*invalid ? invalid : "empty") << QString::fromLatin1(invalid) << 7;
        QTest::newRow("3") << "3" << 3;
        QTest::newRow(" 1 ") << " 1 " << 1;
    }
    void daysBoxInvalidValuesBecomeSeven()
    {
        QFETCH(QString, typed);
        QFETCH(int, days);
        GiorniGriglia = 2;
        auto &w = open();
        w.CmbGiorniGriglia->setEditText(typed);
        QCOMPARE(w.CmbGiorniGriglia->currentText(), days == 7 ? QStringLiteral("7") : typed);
        QCOMPARE(int(GiorniGriglia), days);
    }

    void controlsWriteAtOnceAndChiudiStores()
    {
        Colore = false;
        auto &w = open();
        w.Check3->click();
        QVERIFY(Colore);
        w.Check3->click();
        QVERIFY(!Colore);
        w.CmbGiorniGriglia->setEditText(QStringLiteral("5"));
        w.Text2->setText(QStringLiteral("/home/anna/film.mdb"));
        QCOMPARE(Cinedrawerdb, QStringLiteral("/home/anna/film.mdb"));
        // Nothing is stored before "Chiudi".
        QCOMPARE(storedRow("config2.cfg").value("Colore").toInt(), 1);
        w.Command2_Click();
        QCOMPARE(storedRow("config2.cfg").value("Colore").toInt(), 0);
        const QVariantMap row = storedRow("config.cfg");
        QCOMPARE(row.value("GiorniGriglia").toInt(), 5);
        QCOMPARE(row.value("Cinedrawerdb").toString(), QStringLiteral("/home/anna/film.mdb"));
    }

    void proxyEditsAreKeptOnlyThroughChiudiReadableByTheUserOnly()
    {
        const QString path = app->db("config2.cfg");
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                        QFileDevice::ReadOther);
        const QString before = ProxyName;
        QPointer<FrmPreferenze> w = &open();
        w->txtProxy[0]->setText(QStringLiteral("proxy.ufficio"));
        w->txtProxy[3]->setText(QStringLiteral("segreta"));
        w->close(); // by its frame
        QTRY_VERIFY(w.isNull());
        QCOMPARE(ProxyName, before);
        QCOMPARE(storedRow("config2.cfg").value("ProxyName").toString(), before);

        auto &again = open();
        QCOMPARE(again.txtProxy[0]->text(), before);
        again.txtProxy[0]->setText(QStringLiteral("proxy.ufficio"));
        again.txtProxy[1]->setText(QStringLiteral("3128"));
        again.txtProxy[3]->setText(QStringLiteral("segreta"));
        again.Command2->click();
        QCOMPARE(ProxyName, QStringLiteral("proxy.ufficio"));
        const QVariantMap row = storedRow("config2.cfg");
        QCOMPARE(row.value("ProxyName").toString(), QStringLiteral("proxy.ufficio"));
        QCOMPARE(row.value("ProxyPort").toString(), QStringLiteral("3128"));
        QCOMPARE(row.value("ProxyPass").toString(), QStringLiteral("segreta"));
        QVERIFY(!Windows::loaded<FrmPreferenze>() || !Windows::get<FrmPreferenze>().isVisible());
        const auto others = QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup |
                            QFileDevice::WriteOther;
        QCOMPARE(QFile::permissions(path) & others, QFileDevice::Permissions());
        QVERIFY(QFile::permissions(path) & QFileDevice::ReadOwner);
    }

    void pickerWritesThePathIntoTheWindow()
    {
        QTemporaryDir dir;
        QFile f(dir.filePath("Film.mdb"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        auto &w = open();
        w.Command1_Click();
        QVERIFY(Windows::loaded<FrmBrowserCons>());
        QPointer<FrmBrowserCons> picker = &Windows::get<FrmBrowserCons>();
        QCOMPARE(picker->windowTitle(), QStringLiteral("Seleziona il tuo Database dell' Cinedrawer"));
        picker->setFolder(dir.path());
        QCOMPARE(picker->File1->count(), 1);
        picker->File1_DblClick(picker->File1->item(0)->text());
        const QString expected = QDir(dir.path()).absolutePath() + QStringLiteral("/Film.mdb");
        QCOMPARE(w.Text2->text(), expected);
        QCOMPARE(Cinedrawerdb, expected);
        QTRY_VERIFY(picker.isNull());
    }
};

QTEST_MAIN(TestFrmPreferenze)
#include "tst_frmpreferenze.moc"
