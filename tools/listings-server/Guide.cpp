#include "Guide.h"

#include <array>
#include <cstdint>

namespace listings {

namespace {

// Small deterministic generator (splitmix64): the schedule must not depend on
// the standard library's distributions, which differ between versions.
class Dice {
public:
    explicit Dice(uint64_t seed) : state_(seed) {}
    uint64_t next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return n <= 0 ? 0 : int(next() % uint64_t(n)); }
    template <class T, size_t N> const T &pick(const std::array<T, N> &a) { return a[below(int(N))]; }
    template <class T> const T &pick(const std::vector<T> &a) { return a[below(int(a.size()))]; }

private:
    uint64_t state_;
};

enum Pool { News, Talk, Film, Telefilm, Miniserie, Cartoni, Ragazzi, SportLive, SportNews, Doc,
            Show, Cucina, Musica, RadioNews, Rubrica, PoolCount };

struct PoolDef {
    const char *type;
    std::vector<const char *> genres;
    std::vector<const char *> titles;
    std::vector<const char *> titles2;
    int minDuration, maxDuration;
    bool page; // films, series and documentaries have a detail page
};

const std::array<PoolDef, PoolCount> &pools()
{
    static const std::array<PoolDef, PoolCount> p = {{
        {"Notiziario", {"Informazione"},
         {"Telegiornale", "Tg Mattina", "Tg Notte", "Edizione straordinaria", "Tg Regione", "Notizie & Meteo"},
         {""}, 10, 30, false},
        {"Informazione", {"Attualità", "Politica", "Economia"},
         {"Piazza Aperta", "L'ora della verità", "Parliamone & dintorni", "Caffè Italia", "Otto e trenta minuti",
          "Il punto di Mezzanotte", "Linea diretta", "Perché succede?"},
         {"", "Approfondimento in diretta", "Ospiti in studio"}, 30, 120, false},
        {"Film", {"Commedia", "Drammatico", "Giallo", "Avventura", "Western", "Fantascienza", "Sentimentale"},
         {"La città che non dorme", "Un'estate al mare", "Il segreto di Perù", "Amici & nemici",
          "L'ultimo treno per Gela", "Notte d'autunno", "Perché proprio a me?", "Il caffè della domenica",
          "Cuore di ghiaccio", "Verità nascoste", "Il ritorno di Zorro", "Sotto il cielo di Parigi",
          "Già domani", "La leggenda dell'isola", "Fuga da Alcatraz & altri racconti", "C'era una volta a Napoli"},
         {"The Sleepless City", "Summer by the Sea", "The Secret of Peru", "Friends & Enemies", "Last Train",
          "Autumn Night", "Why Me?", "Sunday Coffee", "Heart of Ice", "Hidden Truths"}, 85, 135, true},
        {"Telefilm", {"Poliziesco", "Commedia", "Medico", "Giallo"},
         {"Distretto Nord", "Medici in prima linea", "La squadra di Città Alta", "Detective & figli",
          "Il commissario Caffarelli", "L'ispettrice", "Cuori in corsia", "Vicini di casa"},
         {"Il testimone", "Doppio gioco", "Una notte difficile", "L'alibi perfetto", "Ritorno a casa",
          "Sotto copertura", "Il bivio", "Ultima chiamata"}, 45, 55, true},
        {"Miniserie", {"Drammatico", "Storico"},
         {"Il destino dei Santoro", "La villa sul lago", "Una famiglia perbene", "I giorni dell'onore"},
         {"Prima puntata", "Seconda puntata", "Terza puntata", "Ultima puntata"}, 95, 110, true},
        {"Cartoni Animati", {"Animazione"},
         {"Le avventure di Gigì", "Pippo & Pluto", "Capitan Bolla", "Il mondo di Lù", "Orsetti in città",
          "Super Nonna", "Il draghetto Fiammì", "Robottini all'opera"},
         {"Il tesoro perduto", "Una giornata speciale", "La gara di torte", "Il compleanno", "Nel bosco"}, 10, 25, false},
        {"Programmi per ragazzi", {"Intrattenimento", "Educativo"},
         {"Gulp Magazine", "Scienza & Scherzi", "La banda del cortile", "Missione Natura", "Compiti? No, grazie!"},
         {"", "Speciale", "In diretta"}, 25, 45, false},
        {"Sport", {"Calcio", "Ciclismo", "Tennis", "Motori", "Pallavolo", "Basket", "Sci"},
         {"Calcio: Roma - Lazio", "Giro d'Italia: tappa di montagna", "Tennis: Internazionali d'Italia",
          "Gran Premio di Monza", "Pallavolo: Modena - Trento", "Basket: Milano - Bologna", "Sci: Coppa del Mondo"},
         {"In diretta", "Differita", "Sintesi"}, 60, 130, false},
        {"Informazione sportiva", {"Sport"},
         {"Tg Sport", "Novantesimo & dintorni", "Domenica Sportiva", "Sport Sera", "Il processo del lunedì"},
         {"", "Notiziario sportivo"}, 15, 60, false},
        {"Documentario", {"Natura", "Storia", "Scienza", "Viaggi", "Arte"},
         {"Il pianeta blu", "Le città perdute", "Viaggio nell'età del bronzo", "Meraviglie d'Italia",
          "Gli ultimi giorni di Pompei", "Il segreto delle api", "Sulle tracce di Marco Polo", "Universo & oltre"},
         {"Prima parte", "Seconda parte", "Episodio speciale"}, 45, 60, true},
        {"Intrattenimento", {"Varietà", "Quiz", "Reality"},
         {"L'eredità dei campioni", "Sabato & Domenica", "Chi vuol essere campione?", "La ruota della fortuna",
          "Tutti in piazza", "Ballando all'italiana", "Il prezzo è giusto"},
         {"", "In diretta", "Puntata speciale"}, 30, 150, false},
        {"Rubrica", {"Cucina", "Casa", "Viaggi"},
         {"In cucina con Nonna Lù", "Casa dolce casa", "Sapori d'Italia", "Il boss delle torte", "Weekend & viaggi"},
         {"", "Ricette della tradizione"}, 25, 60, false},
        {"Musica", {"Pop", "Classica", "Jazz", "Lirica"},
         {"Concerto all'alba", "Hit Parade italiana", "Notturno italiano", "Jazz & Blues", "Prima della Scala"},
         {"", "Dal vivo"}, 30, 120, false},
        {"Notiziario", {"Informazione"},
         {"Giornale Radio", "Gr Notte", "Onda Verde", "Radio anch'io"}, {""}, 10, 30, false},
        {"Rubrica", {"Attualità", "Cultura"},
         {"Zapping", "Fahrenheit", "Tutto il calcio minuto per minuto", "La radio ne parla", "Caterpillar & co."},
         {""}, 30, 90, false},
    }};
    return p;
}

const std::array<const char *, 14> sentences = {
    "Una storia di amicizia e coraggio.",
    "Ospiti in studio e collegamenti in diretta.",
    "Il commissario indaga su un caso che sembra già chiuso.",
    "Le immagini più belle della settimana.",
    "Una famiglia alle prese con un'eredità inattesa.",
    "Con la partecipazione straordinaria di un'orchestra & coro.",
    "Replica.",
    "Un viaggio tra le città d'arte più amate.",
    "Ultimi aggiornamenti sul meteo e sul traffico.",
    "Prima visione TV.",
    "Un'avventura che attraversa l'oceano.",
    "Il racconto di un'impresa che ha fatto la storia.",
    "Vietato ai minori di 14 anni.",
    "Chi vincerà la puntata di stasera?",
};

const std::array<const char *, 8> origins = {"ITA", "USA", "FRA", "GBR", "GER", "SPA", "ITA/FRA", "CAN"};

// Time of day: 0 morning, 1 midday, 2 afternoon, 3 evening, 4 prime time, 5 night.
int slotOf(int minutes)
{
    int m = minutes % 1440;
    if (m >= 360 && m < 720) return 0;
    if (m >= 720 && m < 900) return 1;
    if (m >= 900 && m < 1110) return 2;
    if (m >= 1110 && m < 1230) return 3;
    if (m >= 1230 && m < 1380) return 4;
    return 5;
}

struct Weight { Pool pool; std::array<int, 6> bySlot; };

std::vector<Weight> weightsFor(Kind kind, bool weekend)
{
    switch (kind) {
    case Kind::General:
        return {{News, {3, 3, 1, 2, 0, 2}}, {Talk, {4, 1, 2, 1, 1, 3}}, {Film, {0, 0, 1, 0, 4, 2}},
                {Telefilm, {1, 2, 4, 1, 1, 2}}, {Miniserie, {0, 0, 0, 0, 3, 0}}, {Show, {1, 3, 3, 5, 3, 1}},
                {Cartoni, {2, 0, 0, 0, 0, 0}}, {SportLive, {0, weekend ? 3 : 0, weekend ? 3 : 0, 0, 0, 0}}};
    case Kind::NewsTalk:
        return {{News, {4, 3, 1, 3, 0, 3}}, {Talk, {5, 4, 4, 3, 4, 4}}, {Doc, {1, 1, 3, 0, 1, 1}},
                {Film, {0, 1, 1, 0, 2, 2}}, {Telefilm, {0, 1, 1, 0, 0, 1}}};
    case Kind::Movies:
        return {{Film, {5, 5, 5, 5, 5, 5}}, {Telefilm, {2, 1, 1, 1, 0, 1}}, {News, {1, 1, 0, 1, 0, 1}}};
    case Kind::Series:
        return {{Telefilm, {4, 4, 5, 4, 3, 4}}, {Cartoni, {4, 2, 1, 0, 0, 0}}, {Film, {0, 1, 1, 1, 3, 2}},
                {Miniserie, {0, 0, 0, 0, 2, 0}}, {SportNews, {0, 1, 0, 1, 0, 0}}};
    case Kind::Docs:
        return {{Doc, {5, 5, 5, 5, 5, 5}}, {Talk, {1, 0, 0, 1, 0, 1}}, {Film, {0, 0, 0, 0, 1, 1}}};
    case Kind::Culture:
        return {{Musica, {3, 2, 3, 3, 4, 4}}, {Doc, {3, 3, 3, 2, 2, 1}}, {Talk, {1, 1, 1, 1, 0, 1}}};
    case Kind::Lifestyle:
        return {{Cucina, {4, 4, 4, 3, 1, 1}}, {Show, {2, 2, 3, 3, 4, 2}}, {Doc, {1, 1, 1, 1, 1, 2}},
                {Film, {0, 0, 0, 0, 2, 2}}, {SportLive, {0, weekend ? 3 : 0, weekend ? 3 : 0, 0, 0, 0}}};
    case Kind::Sport:
        return {{SportLive, {2, 3, 4, 3, 4, 2}}, {SportNews, {4, 3, 2, 3, 1, 3}}};
    case Kind::Kids:
        return {{Cartoni, {5, 5, 5, 5, 3, 3}}, {Ragazzi, {2, 2, 3, 2, 1, 1}}, {Film, {0, 0, 0, 0, 1, 0}}};
    case Kind::Local:
        return {{News, {3, 4, 1, 4, 1, 2}}, {Talk, {3, 2, 3, 2, 3, 2}}, {Show, {1, 1, 2, 1, 2, 1}},
                {SportNews, {0, 1, 1, 1, 1, 1}}, {Cucina, {2, 1, 1, 0, 0, 0}}, {Film, {0, 0, 0, 0, 2, 2}}};
    case Kind::Radio:
        return {{RadioNews, {4, 4, 3, 4, 3, 3}}, {Rubrica, {3, 3, 4, 3, 4, 2}}, {Musica, {2, 2, 3, 2, 3, 5}}};
    }
    return {};
}

Pool choosePool(Dice &dice, const std::vector<Weight> &weights, int slot)
{
    int total = 0;
    for (const Weight &w : weights)
        total += w.bySlot[slot];
    int roll = dice.below(total);
    for (const Weight &w : weights) {
        roll -= w.bySlot[slot];
        if (roll < 0)
            return w.pool;
    }
    return weights.front().pool;
}

} // namespace

QString Programme::startText() const
{
    int m = start % 1440;
    return QStringLiteral("%1:%2").arg(m / 60, 2, 10, QLatin1Char('0')).arg(m % 60, 2, 10, QLatin1Char('0'));
}

std::vector<Programme> daySchedule(const Channel &channel, const QDate &day)
{
    Dice dice(uint64_t(channel.code) * 1000003ULL + uint64_t(day.toJulianDay()));
    const bool weekend = day.dayOfWeek() >= 6;
    const auto weights = weightsFor(channel.kind, weekend);
    std::vector<Programme> out;
    int t = 6 * 60;
    Pool previous = PoolCount;
    while (t < 26 * 60) {
        Pool pool = choosePool(dice, weights, slotOf(t));
        if (pool == previous && (pool == News || pool == RadioNews || pool == SportNews))
            pool = choosePool(dice, weights, slotOf(t));
        const PoolDef &def = pools()[pool];
        Programme p;
        p.number = int(out.size()) + 1;
        p.start = t;
        int span = def.maxDuration - def.minDuration;
        p.duration = (def.minDuration + dice.below(span + 1)) / 5 * 5;
        if (p.duration < 5)
            p.duration = 5;
        p.type = QString::fromUtf8(def.type);
        const int which = dice.below(int(def.titles.size()));
        p.title = QString::fromUtf8(def.titles[size_t(which)]);
        // Where every title has its own genre the two lists run in parallel.
        p.genre = QString::fromUtf8(def.genres.size() == def.titles.size() ? def.genres[size_t(which)] : dice.pick(def.genres));
        if (pool == News)
            p.title2 = QStringLiteral("Edizione delle %1").arg(p.startText());
        else if (pool == Telefilm || pool == Cartoni)
            p.title2 = QStringLiteral("Ep. %1 - %2").arg(1 + dice.below(120)).arg(QString::fromUtf8(dice.pick(def.titles2)));
        else
            p.title2 = QString::fromUtf8(dice.pick(def.titles2));
        p.description << QString::fromUtf8(dice.pick(sentences));
        if (dice.below(100) < 45)
            p.description << QString::fromUtf8(dice.pick(sentences));
        if (pool == Film || pool == Miniserie || pool == Doc)
            p.origin = QStringLiteral("%1 %2").arg(QString::fromUtf8(dice.pick(origins))).arg(1950 + dice.below(76));
        p.hasPage = def.page;
        out.push_back(p);
        t += p.duration;
        // Channels start their programmes on round times.
        t = (t + 4) / 5 * 5;
        previous = pool;
    }
    return out;
}

} // namespace listings
