#pragma once
// A walk through the headers one header imports, depth first in import order, as a compiler
// meets them: each imported record, then what it imports, before the next import. The caller
// decides at each record whether to go into it (and keeps what it has seen, so cycles end):
//
//   App.h imports A.h, B.h; A.h imports Deep.h   ->  A.h, Deep.h, B.h
//
// Without recursion, so a long import chain costs heap rather than call stack. Records that
// DefinedNames has noted are followed by pointer; the others are looked up by name.
#include <string>
#include <vector>

#include "core/parse/DefineData.h"
#include "core/parse/DefinedNames.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

class ImportWalk {
public:
    enum class Step { Enter, Skip, Stop };

    // step(record) for every record met below start (start itself is not offered).
    template <typename StepFunction>
    static void below(const DefineData& start, const DefineList& group, const DefinedNames* names, StepFunction step) {
        struct Level {
            const std::vector<std::string>* names;
            const std::vector<const DefineData*>* noted;  // the same imports as records, if noted
            std::size_t next = 0;
        };
        std::vector<Level> stack;
        auto push = [&](const DefineData& record) {
            if (const auto& imports = record.getImportList())
                stack.push_back({&*imports, names ? names->importsOf(record) : nullptr});
        };
        push(start);
        while (!stack.empty()) {
            Level& level = stack.back();
            if (level.next >= level.names->size()) {
                stack.pop_back();
                continue;
            }
            const std::size_t at = level.next++;
            const DefineData* record = level.noted ? (*level.noted)[at] : nullptr;
            if (!record) {
                auto found = group.find((*level.names)[at]);
                if (found == group.end() || !found->second) continue;
                record = found->second.get();
            }
            switch (step(*record)) {
                case Step::Enter: push(*record); break;
                case Step::Skip: break;
                case Step::Stop: return;
            }
        }
    }
};

}  // namespace kestrel
