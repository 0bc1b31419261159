#pragma once
// A comment dialog under test, with a look at the comment file and at who was told of a change.
#include <algorithm>
#include <string>

#include "core/model/AnnotationFiles.h"
#include "support/DialogFixture.h"

namespace kestrel::test {

template <class Dialog>
class CommentFixture : public DialogFixture<Dialog> {
protected:
    StringDic saved() { return AnnotationFiles::getCommentDic().value_or(StringDic{{"?", "unreadable"}}); }
    std::string bytes() { return this->stored("comments.plist"); }
    // CommentDicWasChangedNotification posts since the dialog opened.
    int changes() {
        return static_cast<int>(std::count(this->posted.begin(), this->posted.end(), "CommentDicWasChangedNotification"));
    }
    // OK that must not go through tells no reader of a change either.
    void expectOkRefused(const char* saying, const std::string& fileBefore) {
        DialogFixture<Dialog>::expectOkRefused(saying, "comments.plist", fileBefore);
        EXPECT_EQ(changes(), 0);
    }
};

}  // namespace kestrel::test
