#include "gui/panels/HedderViewer.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QToolButton>
#include <algorithm>

#include "core/platform/HedderText.h"
#include "gui/app/EditorLauncher.h"
#include "gui/app/PrefFonts.h"
#include "gui/app/QtText.h"
#include "gui/app/WindowPlacement.h"
#include "gui/panels/HedderHighlighter.h"
#include "gui/panels/HedderTextView.h"
#include "ui_HedderViewer.h"

namespace kestrel::gui {

namespace {

constexpr int kLitAround = 1000;  // matches lit on each side of the current one

QString megabytes(std::uintmax_t bytes) { return QString::number(static_cast<double>(bytes) / (1024.0 * 1024.0), 'f', 1); }

// Return and Shift+Return in the find field step through the matches.
class FindFieldKeys : public QObject {
public:
    FindFieldKeys(QObject* parent, HedderViewer& viewer) : QObject(parent), viewer_(viewer) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
        if (key->modifiers() & Qt::ShiftModifier) viewer_.findPrevious();
        else viewer_.findNext();
        return true;
    }

private:
    HedderViewer& viewer_;
};

}  // namespace

HedderViewer::HedderViewer(QObject* parent) : QObject(parent) {}

HedderViewer::~HedderViewer() { delete window_; }

HedderTextView* HedderViewer::getTextView() const { return ui_ ? ui_->textView : nullptr; }
QWidget* HedderViewer::getFindBar() const { return ui_ ? ui_->findBar : nullptr; }
QLineEdit* HedderViewer::getFindField() const { return ui_ ? ui_->findField : nullptr; }
QLabel* HedderViewer::getFindStatusView() const { return ui_ ? ui_->findStatusView : nullptr; }
QLabel* HedderViewer::getNoteView() const { return ui_ ? ui_->noteView : nullptr; }
QPushButton* HedderViewer::getOpenInEditorButton() const { return ui_ ? ui_->openInEditorButton : nullptr; }

void HedderViewer::makeWindow() {
    window_ = new QWidget(nullptr, Qt::Window);
    window_->setAttribute(Qt::WA_QuitOnClose, false);  // the program ends with its main windows
    ui_ = std::make_unique<Ui::HedderViewer>();
    ui_->setupUi(window_);
    HedderTextView* text = ui_->textView;
    highlighter_ = new HedderHighlighter(text->document(), text->palette());
    ui_->findBar->hide();
    ui_->noteView->hide();
    QPalette dimmed = ui_->findStatusView->palette();
    dimmed.setColor(QPalette::WindowText, dimmed.color(QPalette::PlaceholderText));
    ui_->findStatusView->setPalette(dimmed);

    auto shortcut = [this](const QKeySequence& keys, auto slot) {
        auto* s = new QShortcut(keys, window_);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence::Find, &HedderViewer::showFindBar);
    shortcut(QKeySequence::FindNext, &HedderViewer::findNext);
    shortcut(QKeySequence::FindPrevious, &HedderViewer::findPrevious);
    if (QKeySequence::keyBindings(QKeySequence::FindNext).indexOf(QKeySequence(Qt::Key_F3)) < 0) {
        shortcut(QKeySequence(Qt::Key_F3), &HedderViewer::findNext);
        shortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), &HedderViewer::findPrevious);
    }
    shortcut(QKeySequence(Qt::Key_Escape), &HedderViewer::escape);
    shortcut(QKeySequence::Close, [this] { window_->close(); });

    ui_->findField->installEventFilter(new FindFieldKeys(window_, *this));
    connect(ui_->findField, &QLineEdit::textChanged, this, [this] { find(Step::Here); });
    connect(ui_->nextButton, &QToolButton::clicked, this, &HedderViewer::findNext);
    connect(ui_->previousButton, &QToolButton::clicked, this, &HedderViewer::findPrevious);
    connect(ui_->doneButton, &QToolButton::clicked, this, &HedderViewer::hideFindBar);
    connect(ui_->openInEditorButton, &QPushButton::clicked, this, &HedderViewer::openInEditor);
}

void HedderViewer::show(const std::string& path, int line, const std::string& declarationName) {
    show(qText(path), line, qText(declarationName));
}

void HedderViewer::show(const QString& path, int line, const QString& declarationName) {
    if (!window_) makeWindow();
    useFont();
    path_ = path;
    name_ = declarationName;
    line_ = std::max(line, 0);
    const QString fileName = QFileInfo(path).fileName();
    window_->setWindowTitle(name_.isEmpty() || fileName.isEmpty() ? (fileName.isEmpty() ? tr("Header") : fileName)
                                                                  : tr("%1 \u2014 %2").arg(fileName, name_));
    window_->setWindowFilePath(path);
    ui_->pathView->setText(path);
    ui_->pathView->setCursorPosition(0);

    std::vector<QString> notes;
    const HedderText::Loaded loaded = HedderText::read(path.toStdString());
    switch (loaded.problem) {
        case HedderText::Problem::None: break;
        case HedderText::Problem::Missing:
            notes.push_back(tr("%1 is no longer there. If the headers have moved, rebuild the class tree "
                               "(File > Rebuild Class Tree).").arg(path));
            break;
        case HedderText::Problem::Folder: notes.push_back(tr("%1 is a folder, not a header.").arg(path)); break;
        case HedderText::Problem::TooLarge:
            notes.push_back(tr("%1 is %2 MB; the viewer shows headers of up to %3 MB. Open it in your editor.")
                                .arg(fileName, megabytes(loaded.size), megabytes(HedderText::kLargest)));
            break;
        case HedderText::Problem::Unreadable:
            notes.push_back(tr("%1 cannot be read (no permission, or not a regular file).").arg(path));
            break;
    }
    text_ = qText(loaded.text);
    // Colouring a very large file would hold the window for seconds.
    const bool coloured = text_.size() <= kLargestColoured;
    highlighter_->setDocument(coloured ? ui_->textView->document() : nullptr);
    ui_->textView->setPlainText(text_);
    if (!coloured) notes.push_back(tr("Colours are off for headers over %1 MB.").arg(megabytes(kLargestColoured)));
    if (loaded.replacedBytes == 1) notes.push_back(tr("1 byte of this file is not UTF-8; it shows as \uFFFD."));
    if (loaded.replacedBytes > 1)
        notes.push_back(tr("%1 bytes of this file are not UTF-8; they show as \uFFFD.").arg(loaded.replacedBytes));
    const int lines = ui_->textView->blockCount();
    if (loaded.problem == HedderText::Problem::None && line_ == 0 && !name_.isEmpty())
        notes.push_back(tr("No line of this header declares %1 as it was read; it opens at the top.").arg(name_));
    if (loaded.problem == HedderText::Problem::None && line_ > lines)
        notes.push_back(tr("Line %1 is past the end of this header (%2 lines): it has changed since the class tree "
                           "was built.").arg(line_).arg(lines));
    fileNotes_ = std::move(notes);
    showNotes();
    ui_->openInEditorButton->setEnabled(loaded.problem != HedderText::Problem::Missing &&
                                        loaded.problem != HedderText::Problem::Folder);

    place();
    window_->show();
    window_->raise();
    window_->activateWindow();
    ui_->textView->setMarkedLine(line_ <= lines ? line_ : 0);
    ui_->textView->scrollToLine(line_ > 0 && line_ <= lines ? line_ : 1);
    ui_->textView->setFocus();
    if (ui_->findBar->isVisible()) find(Step::Here);
}

void HedderViewer::useFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (const double size = PrefFonts::currentFont().pointSizeF(); size > 0) font.setPointSizeF(size);
    HedderTextView* text = ui_->textView;
    if (text->font() != font) text->setFont(font);
    text->setTabStopDistance(8 * text->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
}

void HedderViewer::showNotes(const QString& more) {
    QStringList lines;
    for (const QString& note : fileNotes_) lines << note;
    if (!more.isEmpty()) lines << more;
    ui_->noteView->setText(lines.join(QLatin1Char('\n')));
    ui_->noteView->setVisible(!lines.isEmpty());
}

void HedderViewer::place() {
    if (placed_) return;  // the user's size and place, for the session
    placed_ = true;
    const QFontMetrics metrics(ui_->textView->font());
    QSize size(ui_->textView->lineNumberWidth() + metrics.horizontalAdvance(QLatin1Char('M')) * 100 + 60,
               metrics.lineSpacing() * 48 + 120);
    if (QScreen* screen = window_->screen() ? window_->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        size = size.boundedTo(QSize(area.width() * 9 / 10, area.height() * 9 / 10));
    }
    window_->resize(size.expandedTo(window_->minimumSizeHint()));
    WindowPlacement::centre(*window_);
}

void HedderViewer::showFindBar() {
    if (!ui_) return;
    ui_->findBar->show();
    ui_->findField->setFocus(Qt::ShortcutFocusReason);
    ui_->findField->selectAll();
    if (!ui_->findField->text().isEmpty()) find(Step::Here);
}

void HedderViewer::hideFindBar() {
    if (!ui_) return;
    ui_->findBar->hide();
    ui_->textView->setMatches({});
    ui_->textView->setFocus();
}

void HedderViewer::escape() {
    if (ui_->findBar->isVisible()) hideFindBar();
    else window_->close();
}

void HedderViewer::findNext() {
    if (!ui_) return;
    if (!ui_->findBar->isVisible()) return showFindBar();
    find(Step::Next);
}

void HedderViewer::findPrevious() {
    if (!ui_) return;
    if (!ui_->findBar->isVisible()) return showFindBar();
    find(Step::Previous);
}

void HedderViewer::find(Step step) {
    const QString query = ui_->findField->text();
    HedderTextView* view = ui_->textView;
    if (query.isEmpty()) {
        view->setMatches({});
        ui_->findStatusView->clear();
        return;
    }
    std::vector<qsizetype> matches;
    for (qsizetype at = text_.indexOf(query, 0, Qt::CaseInsensitive); at >= 0;
         at = text_.indexOf(query, at + 1, Qt::CaseInsensitive))
        matches.push_back(at);
    if (matches.empty()) {
        view->setMatches({});
        ui_->findStatusView->setText(tr("Not found"));
        QTextCursor cursor = view->textCursor();
        cursor.clearSelection();
        view->setTextCursor(cursor);
        return;
    }
    // Typing finds from where the cursor (or the current match) starts; Next and Previous step
    // past the current match, wrapping at either end.
    const QTextCursor cursor = view->textCursor();
    std::size_t current = 0;
    if (step == Step::Previous) {
        auto before = std::lower_bound(matches.begin(), matches.end(), cursor.selectionStart());
        current = before == matches.begin() ? matches.size() - 1 : static_cast<std::size_t>(before - matches.begin()) - 1;
    } else {
        const qsizetype from = step == Step::Next && cursor.hasSelection() ? cursor.selectionStart() + 1 : cursor.selectionStart();
        auto at = std::lower_bound(matches.begin(), matches.end(), from);
        current = at == matches.end() ? 0 : static_cast<std::size_t>(at - matches.begin());
    }
    QTextCursor found(view->document());
    found.setPosition(static_cast<int>(matches[current]));
    found.setPosition(static_cast<int>(matches[current] + query.size()), QTextCursor::KeepAnchor);
    view->setTextCursor(found);
    view->centerCursor();

    QList<QTextEdit::ExtraSelection> lit;
    const std::size_t first = current > kLitAround ? current - kLitAround : 0;
    const std::size_t last = std::min(matches.size(), current + kLitAround + 1);
    for (std::size_t i = first; i < last; ++i) {
        QTextEdit::ExtraSelection match;
        match.cursor = QTextCursor(view->document());
        match.cursor.setPosition(static_cast<int>(matches[i]));
        match.cursor.setPosition(static_cast<int>(matches[i] + query.size()), QTextCursor::KeepAnchor);
        lit.push_back(match);
    }
    view->setMatches(lit);
    ui_->findStatusView->setText(tr("%1 of %2").arg(current + 1).arg(matches.size()));
}

void HedderViewer::openInEditor() {
    if (path_.isEmpty()) return;
    showNotes(EditorLauncher::open(path_, line_));  // said until the next header or try
}

}  // namespace kestrel::gui
