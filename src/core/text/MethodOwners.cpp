#include "core/text/MethodOwners.h"

#include <set>
#include <string_view>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/ProtocolData.h"

namespace kestrel {

namespace {

std::string counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

MethodOwners::MethodOwners(const std::vector<std::shared_ptr<ClassData>>& classStraightList,
                           const std::vector<std::shared_ptr<ProtocolData>>& protocolList) {
    // A text counts once per class (its categories included) and once per protocol; a class
    // listing the same text twice counts once.
    auto add = [this](const HasMethodsData& record, std::string owner, const void* cls) {
        const auto& methods = record.getMethodList();
        if (!methods) return;
        owners_.push_back(std::move(owner));
        const auto index = static_cast<std::uint32_t>(owners_.size() - 1);
        std::set<std::string_view> counted;
        for (const std::string& method : *methods) {
            methods_.push_back(method);
            ownerOfRow_.push_back(index);
            Sharing& sharing = sharing_[method];
            if (cls) {
                if (sharing.lastClass != cls) ++sharing.classes;
                sharing.lastClass = cls;
            } else if (counted.insert(method).second) {
                ++sharing.protocols;
            }
        }
    };
    for (const auto& record : classStraightList) {
        if (!record) continue;
        const std::string name = record->getName().value_or("");
        add(*record, name, record.get());
        for (const auto& category : record->getCategoryList())
            if (category) add(*category, name + " (" + category->getName().value_or("") + ")", record.get());
    }
    for (const auto& protocol : protocolList)
        if (protocol) {
            std::string name("<");  // appended: GCC 12 warns falsely (-Wrestrict) on "<" + string
            add(*protocol, name.append(protocol->getName().value_or("")).append(">"), nullptr);
        }
}

const std::string& MethodOwners::ownerOf(std::size_t row) const {
    static const std::string none;
    return row < ownerOfRow_.size() ? owners_[ownerOfRow_[row]] : none;
}

const MethodOwners::Sharing* MethodOwners::sharingOf(const std::string& method) const {
    auto found = sharing_.find(method);
    return found == sharing_.end() ? nullptr : &found->second;
}

std::size_t MethodOwners::classesDeclaring(const std::string& method) const {
    const Sharing* sharing = sharingOf(method);
    return sharing ? sharing->classes : 0;
}

std::size_t MethodOwners::protocolsDeclaring(const std::string& method) const {
    const Sharing* sharing = sharingOf(method);
    return sharing ? sharing->protocols : 0;
}

std::string MethodOwners::sideText(std::size_t row) const {
    if (row >= methods_.size()) return {};
    const std::size_t all = classesDeclaring(methods_[row]) + protocolsDeclaring(methods_[row]);
    std::string text = ownerOf(row);
    if (all > 1) text += "  +" + std::to_string(all - 1);
    return text;
}

MethodOwners::Caption MethodOwners::caption(const std::string& method) const {
    Caption caption{"Comment on ", method, ""};
    const std::size_t classes = classesDeclaring(method);
    const std::size_t protocols = protocolsDeclaring(method);
    if (classes + protocols <= 1) return caption;
    std::string who;
    if (classes > 0) who = counted(classes, "class", "classes");
    if (classes > 0 && protocols > 0) who += " and ";
    if (protocols > 0) who += counted(protocols, "protocol", "protocols");
    caption.rear = " (shared by " + who + ")";
    return caption;
}

}  // namespace kestrel
