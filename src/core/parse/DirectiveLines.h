#pragma once
// A directive runs on over the lines that end with a backslash; those lines are the
// directive's, never declarations:
//
//   #define GS_USEIDLIST(first, code...)  (a backslash)
//     ({ unsigned int __count = 0; ... })        <- not a declaration of __count
//
// run hands the directive to the evaluator (or drops its line without one) and then drops
// whatever of its lines the evaluator left unread.
namespace kestrel {

class CMacroEngin;
class TextBuffer;

class DirectiveLines {
public:
    // Called right after the "#" of a directive.
    static void run(TextBuffer& buffer, CMacroEngin* macro);
};

}  // namespace kestrel
