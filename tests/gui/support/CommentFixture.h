#pragma once
// The program started on the small framework, with a comment dialog under test and a look at
// the comment file.
#include <QCoreApplication>
#include <QPointer>
#include <algorithm>
#include <string>

#include "core/model/AnnotationFiles.h"
#include "support/ShellFixture.h"

namespace kestrel::test {

template <class Dialog>
class CommentFixture : public ShellFixture {
protected:
    // The dialog has ended: its controller is gone (with its window).
    bool ended() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return dialog.isNull();
    }
    StringDic saved() { return AnnotationFiles::getCommentDic().value_or(StringDic{{"?", "unreadable"}}); }
    std::string bytes() { return TempHome::contents(AnnotationFiles::getCommentFilePath()).value_or("none"); }
    // CommentDicWasChangedNotification posts since the dialog opened.
    int changes() { return static_cast<int>(std::count(posted.begin(), posted.end(), "CommentDicWasChangedNotification")); }

    // OK that must not go through: the dialog stays and says so; the file and the readers are
    // left as they were.
    void expectOkRefused(const char* saying, const std::string& fileBefore) {
        dialog->doOkButton();
        EXPECT_FALSE(ended());
        EXPECT_TRUE(dialog->getMessage().contains(saying)) << dialog->getMessage().toStdString();
        EXPECT_EQ(bytes(), fileBefore);
        EXPECT_EQ(changes(), 0);
    }

    QPointer<Dialog> dialog;
};

}  // namespace kestrel::test
