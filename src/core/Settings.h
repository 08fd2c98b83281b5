#pragma once

#include <QString>

// One application-wide variable per configuration key, named exactly as the
// key. There are no defaults here: the installed Config rows supply them.
namespace orv {

// config.cfg
inline QString CARD;
inline qint32 Width = 0;
inline qint32 Heigth = 0;
inline qint32 Top = 0;
inline qint32 Left = 0;
inline bool FullScreen = false;
inline bool TakeOnlyListed = false;
inline bool ScriptError = false;
inline bool ShutDown = false;
inline qint16 ShutType = 0;
inline bool CheckUpdate = false;
inline bool TakeAll = false;
inline bool TakeNone = false;
inline QString HTMLRicerche;
inline bool Locandine = false;
inline bool HighLights = false;
inline bool NavBar = false;
inline qint16 GiorniGriglia = 0;
inline QString Cinedrawerdb;

// config2.cfg
inline QString HTMLReport;
inline bool Colore = false;
inline bool Pulisci = false;
inline bool UsaProxy = false;
inline QString ProxyName;
inline QString ProxyPort;
inline QString ProxyUser;
inline QString ProxyPass;
inline QString language;
inline QString HTMLmytv;
inline bool griglia = false;
inline bool PopUp = false;

} // namespace orv

namespace orv {

// Reads both Config rows into the variables above. A key that fails to load
// keeps its value and is reported; it is then left alone by the saver unless
// the program changes it, so a damaged file never wipes stored values.
void CARICA_CONFIGURAZIONE();
// Writes the variables back into both Config rows.
void SALVA_CONFIGURAZIONE();

} // namespace orv
