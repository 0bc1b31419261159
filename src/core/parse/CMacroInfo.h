#pragma once
// One entry of the evaluator's stack of open conditionals.

namespace kestrel {

class CMacroInfo {
public:
    // true: reading the taken branch of an #if/#ifdef/#ifndef (an #else in it starts a part to skip);
    // false: reading the #else part of a rejected condition.
    explicit CMacroInfo(bool status) : macroStatus(status) {}  // initWithStatus:
    bool status() const { return macroStatus; }

private:
    bool macroStatus;
};

}  // namespace kestrel
