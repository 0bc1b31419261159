#pragma once
// The application controller's model side: the record lists and the header analysis driver,
// which reads one header command by command, lets the evaluator handle directives, skips
// comments, and hands each declaration keyword to its analyser.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/model/RecordLists.h"
#include "core/model/TreeLinker.h"
#include "core/parse/DefinedNames.h"
#include "core/parse/MacroKeywordResolver.h"
#include "core/parse/MacroKeywordSource.h"
#include "core/parse/TextEngin.h"

namespace kestrel {

class CMacroEngin;
class CategoryData;
class ClassData;
class EnumData;
class FunctionMacrosData;
class HasMethodsData;
class ProtocolData;
class StructData;
class TextBuffer;

class AppAction : public RecordLists, public MacroKeywordSource {
public:
    AppAction();
    virtual ~AppAction();

    // Reads the header at path (unreadable: an empty text) and files what it declares.
    void analyseHedderFile(const std::string& path, const std::string& hedderName,
                           const std::string& fwName, bool flag);
    // The command loop over one buffer. flag marks a header from the user's private list: the
    // classes found in it get the custom mark.
    void doAnalyseHedderFile(TextBuffer& buffer, const std::string& hedderName,
                             const std::string& fwName, bool flag);
    // (framework name, header name) of the header now under analysis, or of the last one.
    const std::pair<std::string, std::string>& getAnaFileInfo() const { return anaInfo; }
    // The driver keyword that word stands for as a macro of the header under analysis
    // ("GS_EXPORT" -> "extern", see MacroKeywordResolver); none outside an analysis.
    std::optional<std::string> macroKeywordFor(const std::string& word) override;
    // Is word one of the driver's keywords ("extern", "@interface", "APPKIT_EXTERN", ...)?
    static bool isKeyword(std::string_view word);

    // Analyser hooks, called by the loop right after their keyword. The struct and typedef
    // analysers file their records themselves; the function ones answer a record or none.
    // Here they read nothing and answer none.
    virtual void analyseStruct(TextBuffer& buffer, CMacroEngin* macro);
    virtual void analyseTypeDef(TextBuffer& buffer, CMacroEngin* macro);
    virtual std::shared_ptr<FunctionMacrosData> analyseExtern(TextBuffer& buffer, CMacroEngin* macro);
    virtual std::shared_ptr<FunctionMacrosData> analyseCG_INLINE(TextBuffer& buffer, CMacroEngin* macro);
    virtual std::shared_ptr<FunctionMacrosData> analyseCG_EXTERN(TextBuffer& buffer, CMacroEngin* macro);
    virtual std::shared_ptr<FunctionMacrosData> analyseAPPKIT_EXTERN(TextBuffer& buffer, CMacroEngin* macro);
    virtual std::shared_ptr<FunctionMacrosData> analyseFOUNDATION_EXPORT(TextBuffer& buffer, CMacroEngin* macro);
    virtual std::shared_ptr<FunctionMacrosData> analyseFOUNDATION_STATIC_INLINE(TextBuffer& buffer,
                                                                              CMacroEngin* macro);

    // Every class, where classList keeps only the roots once the tree is linked.
    std::vector<std::shared_ptr<ClassData>> classStraightList;

    // Linking, numbering and look-ups over the lists above (see TreeLinker). After a build or a
    // load: classStraightList = copyToStraightList(); makeTreeList(); buildProtocolList();
    // buildCategoryList(); setupDataID().
    TreeLinker& getLinker() { return linker; }
    std::vector<std::shared_ptr<ClassData>> copyToStraightList() const { return linker.copyToStraightList(); }
    void makeTreeList() { linker.makeTreeList(); }
    void buildProtocolList() { linker.buildProtocolList(); }
    void buildCategoryList() { linker.buildCategoryList(); }
    void setupDataID() { linker.setupDataID(); }
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

protected:
    // The analysers of "@interface" and "@protocol", made once per header over its buffer and
    // evaluator. None here: the keyword is then passed over.
    virtual std::unique_ptr<TextEngin> makeClassEngin(TextBuffer& buffer, CMacroEngin* macro);
    virtual std::unique_ptr<TextEngin> makeProtocolEngin(TextBuffer& buffer, CMacroEngin* macro);
    // Files a function record that the driver has labelled. The function list lives in the
    // subclass; here the record is dropped.
    virtual void addFunction(std::shared_ptr<FunctionMacrosData> record);

private:
    std::pair<std::string, std::string> anaInfo;  // (frameworkName, headderName)
    DefinedNames definedNames;                     // kept across headers, refreshed per header
    std::optional<MacroKeywordResolver> macroKeywords;  // of the header under analysis
    TreeLinker linker{classList, classStraightList, protocolList, categoryList, structList, enumList};
};

}  // namespace kestrel
