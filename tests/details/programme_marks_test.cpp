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
    // Several programmes, each with its Marked as stored.
    void addAll(std::initializer_list<std::pair<const char *, const char *>> rows)
    {
        for (const auto &[title, mark] : rows)
            add(QString::fromUtf8(title), QString::fromUtf8(mark));
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
    // "ID Titolo" of every favourite, table order.
    QStringList favouriteRows()
    {
        QStringList out;
        auto st = favourites.prepare(QStringLiteral("select ID, Titolo from Preferiti order by rowid"));
        while (st.next())
            out << QString::number(st.integer(0)) + ' ' + st.text(1);
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
        EXPECT_EQ(p.Promemoria + p.Registra + p.Marked, wasSet ? "00" : "11");
    }
    // A programme no longer stored: nothing to toggle, nothing to add.
    EXPECT_EQ(marks.toggle({20261206, Rai1, 99}, StateField::Registra), std::nullopt);
    EXPECT_TRUE(marks.addFavourite({20261206, Rai1, 99}, QStringLiteral("Tg1")).empty() && favouriteRows().isEmpty());
}

TEST_F(Marks, AFavouriteMarksWhatPostProcessingWouldMark)
{
    const ProgrammeKey shown = add(QStringLiteral("L'isola dei famosi"));
    addAll({{"L isola dei famosi", ""}, {"l'ISOLA DEI FAMOSI", ""}, {"L'isola dei famosi - Puntata 3", ""},
            {"Isola dei famosi", ""}, {"100% [live]", ""}, {"1000 [live]", ""}, {"100% l", ""}, {"100x [live]", ""},
            {"Tg1", "1"}, {"L'Isola Dei Famosi", "1"}});

    const auto changed = marks.addFavourite(shown, QStringLiteral("L'isola dei famosi"));
    EXPECT_EQ(favouriteRows(), QStringList{"1 L_isola_dei_famosi"});
    const QStringList isola{"L'isola dei famosi", "L isola dei famosi", "l'ISOLA DEI FAMOSI"};
    EXPECT_EQ(marked(), isola + QStringList({"Tg1", "L'Isola Dei Famosi"}));
    // The changed keys are exactly the newly marked ones.
    EXPECT_EQ(titlesOf(changed), (QStringList{"L isola dei famosi", "L'isola dei famosi", "l'ISOLA DEI FAMOSI"}));

    // "%" and "[" are plain characters of a title, not wildcards.
    const ProgrammeKey live = {20261206, Rai1, 6};
    EXPECT_EQ(titlesOf(marks.addFavourite(live, QStringLiteral("100% [live]"))), QStringList{"100% [live]"});

    // Post-processing with the stored favourites marks nothing more.
    const QStringList before = marked();
    {
        FavouriteMarker marker(db);
        for (const QString &f : PreferitiTable(favourites).titles())
            marker.mark(f);
    }
    EXPECT_EQ(marked(), before);

    // Taking it off again unmarks exactly what the adding marked.
    marks.removeFavourite(shown);
    EXPECT_EQ(marked(), (QStringList{"100% [live]", "Tg1"}));
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

    // A new title takes the highest ID plus one; the shown programme is marked even when the title no longer matches.
    marks.removeFavourite(shown);
    marks.addFavourite(shown, QStringLiteral("Ulis"));
    EXPECT_EQ(favouriteRows().last(), "8 Ulis");
    EXPECT_EQ(marked(), QStringList{QStringLiteral("Ulisse")});
}

TEST_F(Marks, RemovalTakesEveryVariantThatMatchesTheTitle)
{
    const ProgrammeKey shown = add(QStringLiteral("Grande Fratello"), "1");
    addAll({{"Grande  Fratello", "1"}, {"Grande Fratello VIP", "1"}, {"Piccolo Fratello", "1"}});
    // Also matched by a favourite that stays.
    add(QStringLiteral("Grande - Fratello"), "1");
    PreferitiTable t(favourites);
    for (const char *f : {"Grande__Fratello", "grande_fratello", "Grande_Fratello_VIP", "Piccolo_Fratello",
                          "Grande_-_Fratello"})
        t.addWithNextId(QString::fromUtf8(f));

    const auto changed = marks.removeFavourite(shown);
    EXPECT_EQ(t.titles(), (QStringList{"Grande_Fratello_VIP", "Piccolo_Fratello", "Grande_-_Fratello"}));
    EXPECT_EQ(titlesOf(changed), (QStringList{"Grande  Fratello", "Grande Fratello"}));
    EXPECT_EQ(marked(), (QStringList{"Grande Fratello VIP", "Piccolo Fratello", "Grande - Fratello"}));
}

// The favourites editor deleted the title but left its marks: taking the
// shown programme off unmarks what its title matches, unless a remaining
// favourite matches it too.
TEST_F(Marks, RemovalWithoutAStoredFavouriteUnmarksWhatTheShownTitleMatches)
{
    const ProgrammeKey shown = add(QStringLiteral("Il Commissario"), "1");
    addAll({{"Il Grande Commissario", "1"}, {"Il commissario", "1"}, {"Il Commissario Rex", "1"}, {"Tg1", "1"}});
    PreferitiTable(favourites).addWithNextId(QStringLiteral("Il_Grande_Commissario"));

    const auto changed = marks.removeFavourite(shown);
    EXPECT_EQ(titlesOf(changed), (QStringList{"Il Commissario", "Il commissario"}));
    EXPECT_EQ(marked(), (QStringList{"Il Grande Commissario", "Il Commissario Rex", "Tg1"}));
}
