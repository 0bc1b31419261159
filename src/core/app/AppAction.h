#pragma once
// The application controller's model side: the record lists, the header analysis driver that
// fills them (HeaderAnalyser) and the linking over them (TreeLinker).
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/model/RecordLists.h"
#include "core/model/TreeLinker.h"
#include "core/model/TreeSearch.h"
#include "core/parse/HeaderAnalyser.h"
#include "core/text/ArgumentInfo.h"
#include "core/text/MethodLists.h"

namespace kestrel {

class TextBuffer;

class AppAction : public RecordLists {
public:
    AppAction();
    virtual ~AppAction();

    // The analysis of one header (see HeaderAnalyser): its records go to the lists.
    void analyseHedderFile(const std::string& path, const std::string& hedderName,
                           const std::string& fwName, bool flag) {
        analyser.analyseHedderFile(path, hedderName, fwName, flag);
    }
    void doAnalyseHedderFile(TextBuffer& buffer, const std::string& hedderName,
                             const std::string& fwName, bool flag) {
        analyser.doAnalyseHedderFile(buffer, hedderName, fwName, flag);
    }
    const std::pair<std::string, std::string>& getAnaFileInfo() const { return analyser.getAnaFileInfo(); }
    std::optional<std::string> macroKeywordFor(const std::string& word) { return analyser.macroKeywordFor(word); }
    static bool isKeyword(std::string_view word) { return HeaderAnalyser::isKeyword(word); }

    // Every class, where classList keeps only the roots once the tree is linked.
    std::vector<std::shared_ptr<ClassData>> classStraightList;

    // Linking, numbering and look-ups over the lists above (see TreeLinker). After a build or a
    // load: linkTree().
    TreeLinker& getLinker() { return linker; }
    void linkTree() { linker.linkTree(); }
    std::shared_ptr<ClassData> findClassByName(const std::string& name) { return linker.findClassByName(name); }
    std::shared_ptr<ProtocolData> findProtocolByName(const std::string& name) { return linker.findProtocolByName(name); }
    std::shared_ptr<StructData> findStructByName(const std::string& name) { return linker.findStructByName(name); }
    std::shared_ptr<EnumData> findEnumByName(const std::string& name) { return linker.findEnumByName(name); }
    std::shared_ptr<HasMethodsData> findDataByID(std::int32_t value) { return linker.findDataByID(value); }
    void unSelectAll() { linker.unSelectAll(); }
    void removeClass(const std::shared_ptr<ClassData>& record) { linker.removeClass(record); }
    // The tree view's cut: the view drops its selection, every selected class leaves the tree
    // with its subtree, the tree is laid out again and, when anything went, marked as changed.
    void removeSelectedClass();
    std::int32_t getClassMaxId() const { return linker.getClassMaxId(); }
    std::int32_t getCategoryMaxId() const { return linker.getCategoryMaxId(); }
    std::int32_t getProtocolMaxId() const { return linker.getProtocolMaxId(); }

    // The argument information of a declaration's words over the tree and the typedefs (see
    // ArgumentInfo); removes repeated words from words.
    std::optional<std::string> makeArgumentString(std::vector<std::string>& words) {
        return ArgumentInfo(linker, &typedefList).makeArgumentString(words);
    }
    // Every class's methods, with its categories' (c), then every protocol's (p); see MethodLists.
    std::vector<std::string> makeMethodListAndCategory(bool c, bool p) const {
        return MethodLists::makeMethodListAndCategory(classStraightList, protocolList, c, p);
    }
    // The find panel's keywords and their test (see TreeSearch).
    static std::vector<std::string> commandToToken(const std::string& text) { return TreeSearch::commandToToken(text); }
    static bool compareString(const std::string& text, const std::vector<std::string>& keywords) {
        return TreeSearch::matches(text, keywords);
    }

private:
    HeaderAnalyser analyser{*this};
    TreeLinker linker{classList, classStraightList, protocolList, categoryList, structList, enumList};
};

}  // namespace kestrel
