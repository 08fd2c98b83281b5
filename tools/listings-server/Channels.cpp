#include "Channels.h"

namespace listings {

const std::vector<Channel> &channels()
{
    using K = Kind;
    static const std::vector<Channel> list = {
        {101, "Rai 1", "Primo canale del servizio pubblico", 3, "1", K::General, false},
        {102, "Rai 2", "Secondo canale del servizio pubblico", 3, "2", K::General, false},
        {103, "Rai 3", "Terzo canale, informazione regionale", 3, "3", K::NewsTalk, false},
        {104, "Rete 4", "Film, approfondimento e telefilm", 3, "4", K::Movies, false},
        {105, "Canale 5", "Intrattenimento e fiction", 3, "5", K::General, false},
        {106, "Italia 1", "Serie, cartoni e sport", 3, "6", K::Series, false},
        {107, "La7", "Informazione e talk show", 3, "7", K::NewsTalk, true},
        {108, "TV8", "Intrattenimento e sport in chiaro", 3, "8", K::Lifestyle, false},
        {109, "Nove", "Documentari e intrattenimento", 3, "9", K::Docs, false},
        {201, "Rai 4", "Cinema di genere e serie", 2, "21", K::Series, false},
        {202, "Rai 5", "Arte, musica e teatro", 2, "23", K::Culture, false},
        {203, "Rai Movie", "Film ventiquattro ore su ventiquattro", 2, "24", K::Movies, false},
        {204, "Rai Storia", "Documentari storici", 2, "54", K::Docs, false},
        {205, "Iris", "Cinema d'autore e classici", 2, "22", K::Movies, false},
        {206, "Cielo", "Film, reality e documentari", 2, "26", K::Lifestyle, false},
        {207, "Focus", "Scienza, natura e tecnologia", 2, "35", K::Docs, false},
        {208, "Real Time", "Cucina, casa e lifestyle", 2, "31", K::Lifestyle, false},
        {301, "Cinema Uno", "Prime visioni via satellite", 1, "301", K::Movies, false},
        {302, "Cinema Due", "Commedie e grandi successi", 1, "302", K::Movies, false},
        {303, QString::fromUtf8("Serie Più"), QString::fromUtf8("Le serie più amate"), 1, "303", K::Series, false},
        {304, "Documentari & Co.", "Natura, viaggi e scoperte", 1, "304", K::Docs, false},
        {305, "Canale Storico", "Archivio storico via satellite", 1, "305", K::Docs, false},
        {401, "Rai Sport", "Sport del servizio pubblico", 4, "58", K::Sport, false},
        {402, "Sport Uno", "Calcio e motori", 4, "201", K::Sport, false},
        {403, "Sport Due", "Tennis, basket e volley", 4, "202", K::Sport, false},
        {404, "Sportitalia", "Notiziari sportivi", 4, "60", K::Sport, false},
        {501, "Rai Yoyo", QString::fromUtf8("Cartoni per i più piccoli"), 5, "43", K::Kids, false},
        {502, "Rai Gulp", "Programmi per ragazzi", 5, "42", K::Kids, true},
        {503, "Boing", "Cartoni animati", 5, "40", K::Kids, false},
        {504, "Cartoonito", "Cartoni prescolari", 5, "46", K::Kids, false},
        {505, "Frisbee", "Avventure animate", 5, "44", K::Kids, false},
        {601, "Telelombardia", "Emittente locale lombarda", 6, "11", K::Local, false},
        {602, "TeleRoma 56", "Emittente locale laziale", 6, "12", K::Local, false},
        {603, "Canale 21", "Emittente locale campana", 6, "13", K::Local, false},
        {604, "Telenorba", "Emittente locale pugliese", 6, "14", K::Local, false},
        {605, "Videolina", "Emittente locale sarda", 6, "15", K::Local, false},
        {701, "Radio 1", "Giornale radio e sport", 7, "701", K::Radio, false},
        {702, "Radio 2", "Musica e intrattenimento", 7, "702", K::Radio, false},
        {703, "Radio 3", "Cultura e musica classica", 7, "703", K::Culture, false},
        {704, QString::fromUtf8("Radio Città"), "Musica italiana", 7, "704", K::Radio, false},
        {705, "Isoradio", "Informazione sul traffico", 7, "705", K::Radio, false},
    };
    return list;
}

const Channel *channelByCode(int code)
{
    for (const Channel &c : channels())
        if (c.code == code)
            return &c;
    return nullptr;
}

const Channel *channelByName(const QString &name)
{
    for (const Channel &c : channels())
        if (c.name == name)
            return &c;
    return nullptr;
}

} // namespace listings
