#include "details/Promemoria.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "details/FrmPopUp.h"
#include "details/ReminderCheck.h"
#include "platform/Prompt.h"
#include "platform/Windows.h"

#include <QCoreApplication>

namespace orv {

ReminderCheck &reminderCheck()
{
    static ReminderCheck check;
    return check;
}

void VERIFICA_PROMEMORIA()
{
    try {
        reminderCheck().run([] { return Database::open(PercorsoDb); },
                            [](const Announcement &a) {
                                Windows::get<FrmPopUp>().showProgramme(a.programme.key());
                                QCoreApplication::processEvents();
                                Prompt::message(a.message());
                                QCoreApplication::processEvents();
                            });
    } catch (const DbError &e) {
        mainWindow().writeStatus(1, e.message());
    } catch (const std::exception &e) {
        mainWindow().writeStatus(1, QStringLiteral("0 ") + QString::fromLocal8Bit(e.what()));
    }
}

} // namespace orv
