#pragma once
// The controller's record lists and a linker over them, with makers for the records that the
// tests of the tree need. The links are cut at the end, so that loops in a test's tree are freed.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/ProtocolData.h"
#include "core/model/StructData.h"
#include "core/model/TreeLinker.h"

namespace kestrel::test {

struct Forest {
    TreeLinker::ClassList classList, classStraightList;
    TreeLinker::ProtocolList protocolList;
    TreeLinker::CategoryList categoryList;
    TreeLinker::StructList structList;
    TreeLinker::EnumList enumList;
    TreeLinker linker{classList, classStraightList, protocolList, categoryList, structList, enumList};

    ~Forest() { linker.unlinkAll(); }

    std::shared_ptr<ClassData> cls(const std::string& name, std::optional<std::string> super = std::nullopt,
                                   const std::string& header = "") {
        auto c = std::make_shared<ClassData>(name, std::move(super));
        c->setHedderName(header.empty() ? name + ".h" : header);
        classList.push_back(c);
        return c;
    }
    std::shared_ptr<CategoryData> category(const std::string& name, const std::string& target, const std::string& header) {
        auto c = std::make_shared<CategoryData>(name, target);
        c->setHedderName(header);
        categoryList.push_back(c);
        return c;
    }
    std::shared_ptr<ProtocolData> protocol(const std::string& name, std::vector<std::string> adopted = {}) {
        auto p = std::make_shared<ProtocolData>(name, std::nullopt);
        if (!adopted.empty()) p->setProtocolNames(std::move(adopted));
        protocolList.push_back(p);
        return p;
    }
    template <class Record>
    std::shared_ptr<Record> body(const std::string& name, const std::string& text, std::vector<std::shared_ptr<Record>>& list) {
        auto r = std::make_shared<Record>();
        r->setName(name);
        r->setStructIndex(text);
        list.push_back(r);
        return r;
    }
    std::shared_ptr<StructData> structRecord(const std::string& name, const std::string& text) {
        return body(name, text, structList);
    }
    std::shared_ptr<EnumData> enumRecord(const std::string& name, const std::string& text) {
        return body(name, text, enumList);
    }
    void link() { linker.linkTree(); }
    // The tree from the roots down, indented two spaces a level; a walk that does not end is cut off.
    std::string outline() const {
        std::string out;
        std::function<void(const HasMethodsData&, std::size_t)> add = [&](const HasMethodsData& c, std::size_t depth) {
            if (out.size() > 10000) return;
            out.append(2 * depth, ' ').append(c.getName().value_or("?")).append("\n");
            for (const auto& sub : c.getSubClassList()) add(*sub, depth + 1);
        };
        for (const auto& root : classList) add(*root, 0);
        return out;
    }
};

}  // namespace kestrel::test
