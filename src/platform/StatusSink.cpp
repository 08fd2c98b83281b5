#include "platform/StatusSink.h"

#include <cstdio>

namespace orv {

namespace {
StatusSink::Handler gHandler;
}

void StatusSink::write(int panel, const QString &text)
{
    if (gHandler) {
        gHandler(panel, text);
        return;
    }
    std::fprintf(stderr, "[stato %d] %s\n", panel, text.toLocal8Bit().constData());
}

void StatusSink::setHandler(Handler handler) { gHandler = std::move(handler); }
bool StatusSink::hasHandler() { return bool(gHandler); }

} // namespace orv
