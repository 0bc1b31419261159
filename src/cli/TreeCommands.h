#pragma once
// The terminal commands over the class tree: build, tree, find and info. Each runs the
// start-up (load, or build when no tree is stored) and the termination writes (see Session).
//
//   kestrel build                         rebuild from the headers; one summary line
//   kestrel tree [CLASS]                  the class tree as an indented outline
//   kestrel find [--classes|--methods|--functions|--constants] [--style declaration|call|snippet] [--doc] KEYWORD...
//   kestrel find --any [--style declaration|call|snippet] KEYWORD...   quick open's search: kind, name, owner
//   kestrel info CLASS                    framework, header, superclasses, protocols, ...
//   kestrel info CLASS --style S          its own and its categories' methods as declarations or calls
//   kestrel info CLASS --arguments        ... each followed by its argument information
//   kestrel info --inherited CLASS        every method it responds to, nearest first, and where from
//   kestrel info CLASS --doc              ... each with its documentation, availability and place
//   kestrel info CLASS --json             what the Class panel shows, as JSON
// Entries end with their availability ("  [macOS 10.7+]"), except text made to be pasted.
#include "cli/CommandLine.h"

namespace kestrel::cli {

class TreeCommands {
public:
    static Command build();
    static Command tree();
    static Command find();
    static Command info();
};

}  // namespace kestrel::cli
