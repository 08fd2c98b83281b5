#pragma once

class QTranslator;

namespace orv {

// Qt's own Italian texts (standard buttons of message boxes, calendar, file
// dialogs) from the system's Qt translations folder. The texts our windows
// set themselves are not touched.
class QtTranslations {
public:
    // Installs them into the running application; null when the Italian
    // catalogue is not there (the program then goes on with Qt's English).
    static QTranslator *install();
};

} // namespace orv
