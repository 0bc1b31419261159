#pragma once
// A protocol (@protocol); its own adopted protocols are in protocolNames.
#include <optional>
#include <string>

#include "core/model/HasMethodsData.h"

namespace kestrel {

class ProtocolData : public HasMethodsData {
public:
    ProtocolData();
    explicit ProtocolData(BlankRecord);
    explicit ProtocolData(const PlistDict& dic);
    // initWithName:superClass:
    ProtocolData(std::optional<std::string> name, std::optional<std::string> superName);

    void initInstance() override;
    void initFromDic(const PlistDict& dic) override;
};

}  // namespace kestrel
