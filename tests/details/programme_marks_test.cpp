#include "details/ProgrammeMarks.h"

#include "acquisition/FavouriteMarker.h"
#include "core/AppState.h"
#include "details/ListingsFixture.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

const QString Rai1 = QStringLiteral("Rai 1");

class Marks : public test::ListingsTest {
protected:
    // Adds a programme on Rai 1, 6 December; gives its key.
    ProgrammeKey add(const QString &title, const QString &marked = {})
    {
        return ListingsTest::add(20261206, Rai1, ++count, {}, title, {}, {}, marked).key();
    }
    // Title of every marked programme.
    QStringList marked()
    {
        QStringList out;
        for (const Programme &p : ProgrammiTable(db).channelDay(20261206, Rai1))
            if (p.Marked == QLatin1String("1"))
                out << p.Titolo;
        return out;
    }
    QStringList titlesOf(const std::vector<ProgrammeKey> &keys)
    {
        QStringList out;
        for (const ProgrammeKey &k : keys)
            out << ProgrammiTable(db).find(k)->Titolo;
        out.sort();
        return out;
    }
    QList<QPair<qint64, QString>> favouriteRows()
    {
        QList<QPair<qint64, QString>> out;
        auto st = favourites.prepare(QStringLiteral("select ID, Titolo from Preferiti order by rowid"));
        while (st.next())
            out << qMakePair(st.integer(0), st.text(1));
        return out;
    }

    Database favourites = Database::open(PercorsoPreferiti);
    ProgrammeMarks marks{db, favourites};
    int count = 0;
};

} // namespace

TEST_F(Marks, ReminderAndRecordTogglesFlipOnlyTheTextOne)
{
    const ProgrammeKey k = add(QStringLiteral("Tg1"));
    for (const char *start : std::initializer_list<const char *>{"1", "0", "", nullptr}) {
        auto st = db.prepare(QStringLiteral("update Programmi set Promemoria = ?, Registra = ?"));
        start ? st.bindAll(QString::fromUtf8(start), QString::fromUtf8(start)) : st.bindNull(1).bindNull(2);
        st.execute();
        const bool wasSet = start && QByteArray(start) == "1";
        EXPECT_EQ(marks.toggle(k, StateField::Promemoria), !wasSet) << (start ? start : "NULL");
        EXPECT_EQ(marks.toggle(k, StateField::Registra), !wasSet);
        const Programme p = *ProgrammiTable(db).find(k);
        EXPECT_EQ(p.Promemoria, wasSet ? "0" : "1");
        EXPECT_EQ(p.Registra, wasSet ? "0" : "1");
        EXPECT_TRUE(p.Marked.isEmpty());
    }
    // A programme no longer stored: nothing to toggle, nothing to ask.
    EXPECT_EQ(marks.toggle({20261206, Rai1, 99}, StateField::Registra), std::nullopt);
    EXPECT_EQ(marks.favouriteStep({20261206, Rai1, 99}), ProgrammeMarks::FavouriteStep::None);
    EXPECT_TRUE(marks.addFavourite({20261206, Rai1, 99}, QStringLiteral("Tg1")).empty());
    EXPECT_TRUE(favouriteRows().isEmpty());
}

TEST_F(Marks, AFavouriteMarksWhatPostProcessingWouldMark)
{
    const ProgrammeKey shown = add(QStringLiteral("L'isola dei famosi"));
    add(QStringLiteral("L isola dei famosi"));
    add(QStringLiteral("l'ISOLA DEI FAMOSI"));
    add(QStringLiteral("L'isola dei famosi - Puntata 3"));
    add(QStringLiteral("Isola dei famosi"));
    add(QStringLiteral("100% [live]"));
    add(QStringLiteral("1000 [live]"));
    add(QStringLiteral("100% l"));
    add(QStringLiteral("100x [live]"));
    add(QStringLiteral("Tg1"), "1");
    add(QStringLiteral("L'Isola Dei Famosi"), "1");

    EXPECT_EQ(marks.favouriteStep(shown), ProgrammeMarks::FavouriteStep::Add);
    const auto changed = marks.addFavourite(shown, QStringLiteral("L'isola dei famosi"));
    EXPECT_EQ(favouriteRows(), (QList<QPair<qint64, QString>>{{1, QStringLiteral("L_isola_dei_famosi")}}));
    const QStringList isola{QStringLiteral("L'isola dei famosi"), QStringLiteral("L isola dei famosi"),
                            QStringLiteral("l'ISOLA DEI FAMOSI")};
    EXPECT_EQ(marked(), isola + QStringList({QStringLiteral("Tg1"), QStringLiteral("L'Isola Dei Famosi")}));
    // The changed keys are exactly the newly marked ones.
    QStringList sorted = isola;
    sorted.sort();
    EXPECT_EQ(titlesOf(changed), sorted);

    // "%" and "[" are plain characters of a title, not wildcards.
    const ProgrammeKey live = {20261206, Rai1, 6};
    EXPECT_EQ(titlesOf(marks.addFavourite(live, QStringLiteral("100% [live]"))),
              QStringList{QStringLiteral("100% [live]")});

    // Post-processing with the stored favourites marks nothing more.
    const QStringList before = marked();
    {
        FavouriteMarker marker(db);
        for (const QString &f : PreferitiTable(favourites).titles())
            marker.mark(f);
    }
    EXPECT_EQ(marked(), before);
}

TEST_F(Marks, AddThenRemoveLeavesEveryOtherProgrammeAsItWas)
{
    const ProgrammeKey shown = add(QStringLiteral("Il Commissario Montalbano"));
    add(QStringLiteral("Il commissario montalbano"));
    add(QStringLiteral("Il Commissario Montalbano"), "0");
    add(QStringLiteral("Il Commissario Rex"), "1");
    add(QStringLiteral("Tg1"), "1");
    add(QStringLiteral("Meteo"), "");
    add(QStringLiteral("Il Commissario Montalbano - Replica"));
    PreferitiTable(favourites).addWithNextId(QStringLiteral("Il_Commissario_Rex"));
    const QStringList before = marked();

    const auto added = marks.addFavourite(shown, QStringLiteral("Il Commissario Montalbano"));
    EXPECT_EQ(added.size(), 3u);
    EXPECT_EQ(marks.favouriteStep(shown), ProgrammeMarks::FavouriteStep::Remove);
    const auto removed = marks.removeFavourite(shown);
    EXPECT_EQ(titlesOf(removed), titlesOf(added));
    EXPECT_EQ(PreferitiTable(favourites).titles(), QStringList{QStringLiteral("Il_Commissario_Rex")});

    EXPECT_EQ(marked(), before);
}

TEST_F(Marks, BlankAnswersAndDuplicatesAddNothing)
{
    const ProgrammeKey shown = add(QStringLiteral("Ulisse"));
    add(QString());
    PreferitiTable(favourites).addWithNextId(QStringLiteral("Quark"));
    favourites.exec(QStringLiteral("update Preferiti set ID = 7"));

    // A cancelled box answers with the empty text; blanks alone would match everything.
    for (const char *answer : {"", "   "})
        EXPECT_TRUE(marks.addFavourite(shown, QString::fromUtf8(answer)).empty()) << answer;
    EXPECT_TRUE(marked().isEmpty());
    EXPECT_EQ(favouriteRows().size(), 1);

    // The title is already a favourite (in another case): no second row.
    favourites.exec(QStringLiteral("insert into Preferiti (ID, Titolo) values (3, 'ULISSE')"));
    EXPECT_EQ(marks.addFavourite(shown, QStringLiteral("Ulisse")).size(), 1u);
    EXPECT_EQ(favouriteRows().size(), 2);
    EXPECT_EQ(marked(), QStringList{QStringLiteral("Ulisse")});

    // A new title takes the highest ID plus one.
    marks.removeFavourite(shown);
    marks.addFavourite(shown, QStringLiteral("Ulisse"));
    EXPECT_EQ(favouriteRows().last(), qMakePair(qint64(8), QStringLiteral("Ulisse")));
}

TEST_F(Marks, RemovalTakesEveryVariantThatMatchesTheTitle)
{
    const ProgrammeKey shown = add(QStringLiteral("Grande Fratello"), "1");
    add(QStringLiteral("Grande  Fratello"), "1");
    add(QStringLiteral("Grande Fratello VIP"), "1");
    add(QStringLiteral("Piccolo Fratello"), "1");
    // Also matched by a favourite that stays.
    add(QStringLiteral("Grande - Fratello"), "1");
    PreferitiTable t(favourites);
    for (const char *f : {"Grande__Fratello", "grande_fratello", "Grande_Fratello_VIP", "Piccolo_Fratello",
                          "Grande_-_Fratello"})
        t.addWithNextId(QString::fromUtf8(f));

    const auto changed = marks.removeFavourite(shown);
    EXPECT_EQ(t.titles(), (QStringList{QStringLiteral("Grande_Fratello_VIP"), QStringLiteral("Piccolo_Fratello"),
                                       QStringLiteral("Grande_-_Fratello")}));
    EXPECT_EQ(titlesOf(changed), (QStringList{QStringLiteral("Grande  Fratello"), QStringLiteral("Grande Fratello")}));
    EXPECT_EQ(marked(), (QStringList{QStringLiteral("Grande Fratello VIP"), QStringLiteral("Piccolo Fratello"),
                                     QStringLiteral("Grande - Fratello")}));
}

// The favourites editor deleted the title but left its marks: taking the
// shown programme off unmarks what its title matches, unless a remaining
// favourite matches it too.
TEST_F(Marks, RemovalWithoutAStoredFavouriteUnmarksWhatTheShownTitleMatches)
{
    const ProgrammeKey shown = add(QStringLiteral("Il Commissario"), "1");
    add(QStringLiteral("Il Grande Commissario"), "1");
    add(QStringLiteral("Il commissario"), "1");
    add(QStringLiteral("Il Commissario Rex"), "1");
    add(QStringLiteral("Tg1"), "1");
    PreferitiTable(favourites).addWithNextId(QStringLiteral("Il_Grande_Commissario"));

    const auto changed = marks.removeFavourite(shown);
    EXPECT_EQ(titlesOf(changed), (QStringList{QStringLiteral("Il Commissario"), QStringLiteral("Il commissario")}));
    EXPECT_EQ(marked(), (QStringList{QStringLiteral("Il Grande Commissario"), QStringLiteral("Il Commissario Rex"),
                                     QStringLiteral("Tg1")}));
    EXPECT_EQ(PreferitiTable(favourites).titles(), QStringList{QStringLiteral("Il_Grande_Commissario")});
}
