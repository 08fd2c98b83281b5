#pragma once

#include "details/TitleEditorWindow.h"

namespace orv {

// The favourites editor: the titles that every download marks.
class FrmPreferiti : public TitleEditorWindow {
    Q_OBJECT
public:
    FrmPreferiti();
};

} // namespace orv
