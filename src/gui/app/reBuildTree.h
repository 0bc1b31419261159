#pragma once
// The rebuild confirmation ("warning"): the text of "rebuildTitle", OK and Cancel.
#include "gui/app/DialogController.h"

namespace kestrel::gui {

class reBuildTree : public DialogController {
    Q_OBJECT
public:
    using DialogController::DialogController;
    QString getNibname() const override { return QStringLiteral("warning"); }

protected:
    QDialog* loadWindow() override;
};

}  // namespace kestrel::gui
