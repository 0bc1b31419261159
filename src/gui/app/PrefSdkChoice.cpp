#include "gui/app/PrefSdkChoice.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/app/SdkChoice.h"
#include "gui/app/QtText.h"

namespace kestrel::gui {

PrefSdkChoice::PrefSdkChoice(QLineEdit* field, QPushButton* choose, QPushButton* reset, QLabel* note,
                             const std::string& current, std::string defaultRoot, QObject* parent)
    : QObject(parent), field(field), note(note), defaultRoot(std::move(defaultRoot)) {
    field->setText(qText(current));
    field->setPlaceholderText(tr("The platform's own headers"));
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(field, &QLineEdit::textChanged, this, &PrefSdkChoice::update);
    connect(choose, &QPushButton::clicked, this, &PrefSdkChoice::choose);
    connect(reset, &QPushButton::clicked, field, &QLineEdit::clear);
    update();
}

std::string PrefSdkChoice::chosen() const { return SdkChoice::taken(field->text().toStdString()); }

bool PrefSdkChoice::acceptable() const { return SdkChoice::note(field->text().toStdString(), defaultRoot).acceptable; }

void PrefSdkChoice::showProblem() {
    update();
    field->setFocus();
    field->selectAll();
}

void PrefSdkChoice::update() {
    const SdkChoice::Note shown = SdkChoice::note(field->text().toStdString(), defaultRoot);
    note->setText(qText(shown.text));
    QPalette palette = note->palette();
    palette.setColor(QPalette::WindowText, shown.acceptable ? field->palette().color(QPalette::Text) : QColor(Qt::red));
    note->setPalette(palette);
}

void PrefSdkChoice::choose() {
    const QString start = field->text().trimmed().isEmpty() ? QDir::homePath() : field->text().trimmed();
    const QString folder = QFileDialog::getExistingDirectory(field->window(), tr("Choose an SDK"), start);
    if (!folder.isEmpty()) field->setText(folder);
}

}  // namespace kestrel::gui
