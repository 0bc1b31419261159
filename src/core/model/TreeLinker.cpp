#include "core/model/TreeLinker.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/ProtocolData.h"
#include "core/model/StructData.h"
#include "core/platform/NotificationCenter.h"

namespace kestrel {

namespace {

template <class Record>
std::optional<std::string_view> nameOf(const Record& record) {
    if (!record.getName()) return std::nullopt;
    return std::string_view(*record.getName());
}

template <class Record>
std::optional<std::int32_t> numberOf(const Record& record) {
    return record.getID();
}

std::int32_t clampNumber(std::int64_t v) {
    return static_cast<std::int32_t>(std::min<std::int64_t>(v, std::numeric_limits<std::int32_t>::max()));
}

bool sameText(const std::optional<std::string>& a, const std::optional<std::string>& b) {
    return a && b && *a == *b;  // none never equals anything, as a message to nil answers NO
}

// Records can only link in a circle when their names do: record c named N with superclass name
// S gives the name edge N -> S. Checked on plain numbers, so that the walk over the records
// themselves (cutLoops) runs only for the rare headers that need it.
bool namesLoop(const std::vector<std::uint32_t>& nameOf, const std::vector<std::uint32_t>& superOf,
               std::size_t names) {
    constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
    // Edges grouped by their start (counting sort).
    std::vector<std::uint32_t> start(names + 1, 0), target;
    for (std::size_t i = 0; i < nameOf.size(); ++i)
        if (nameOf[i] != kNone && superOf[i] != kNone) ++start[nameOf[i] + 1];
    for (std::size_t k = 0; k < names; ++k) start[k + 1] += start[k];
    target.resize(start[names]);
    std::vector<std::uint32_t> fill(start.begin(), start.end() - 1);
    for (std::size_t i = 0; i < nameOf.size(); ++i)
        if (nameOf[i] != kNone && superOf[i] != kNone) target[fill[nameOf[i]]++] = superOf[i];

    enum : unsigned char { kNew = 0, kOnPath = 1, kDone = 2 };
    std::vector<unsigned char> state(names, kNew);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> path;  // (name, next edge)
    for (std::uint32_t first = 0; first < names; ++first) {
        if (state[first] != kNew) continue;
        state[first] = kOnPath;
        path.emplace_back(first, start[first]);
        while (!path.empty()) {
            auto& [name, next] = path.back();
            if (next == start[name + 1]) {
                state[name] = kDone;
                path.pop_back();
                continue;
            }
            const std::uint32_t to = target[next++];
            if (state[to] == kOnPath) return true;
            if (state[to] == kNew) {
                state[to] = kOnPath;
                path.emplace_back(to, start[to]);
            }
        }
    }
    return false;
}

// A superclass loop (A : B, B : A) links the records in a circle. Walk down from each class in
// list order and cut every link that leads back onto the path being walked; a cut record whose
// superClass was the cutting parent loses it too (it becomes a root). On loop-free input
// nothing is cut.
void cutLoops(const TreeLinker::ClassList& classes) {
    enum : unsigned char { kNew = 0, kOnPath = 1, kDone = 2 };
    std::unordered_map<const HasMethodsData*, unsigned char> state;
    state.reserve(classes.size());
    struct Frame {
        HasMethodsData* node;
        std::size_t next;
    };
    std::vector<Frame> path;
    for (const auto& start : classes) {
        if (!start || state[start.get()] != kNew) continue;
        state[start.get()] = kOnPath;
        path.push_back({start.get(), 0});
        while (!path.empty()) {
            HasMethodsData* node = path.back().node;
            auto& subs = node->getSubClassList();
            std::size_t& next = path.back().next;
            if (next >= subs.size()) {
                state[node] = kDone;
                path.pop_back();
                continue;
            }
            HasMethodsData* child = subs[next].get();
            unsigned char& childState = state[child];
            if (childState == kOnPath) {
                if (child->superClass() == node) child->setSuperClass(nullptr);
                subs.erase(subs.begin() + static_cast<std::ptrdiff_t>(next));
                continue;
            }
            ++next;
            if (childState == kNew) {
                childState = kOnPath;
                path.push_back({child, 0});
            }
        }
    }
}

// record and everything below it, each once however the links run.
void collectSubtree(HasMethodsData* record, std::unordered_set<const HasMethodsData*>& into) {
    std::vector<HasMethodsData*> pending{record};
    while (!pending.empty()) {
        HasMethodsData* node = pending.back();
        pending.pop_back();
        if (!node || !into.insert(node).second) continue;
        for (const auto& sub : node->getSubClassList()) pending.push_back(sub.get());
    }
}

}  // namespace

TreeLinker::TreeLinker(ClassList& classList, ClassList& classStraightList, ProtocolList& protocolList,
                       CategoryList& categoryList, StructList& structList, EnumList& enumList)
    : classList(classList),
      classStraightList(classStraightList),
      protocolList(protocolList),
      categoryList(categoryList),
      structList(structList),
      enumList(enumList),
      classNames(&nameOf<ClassData>),
      protocolNames(&nameOf<ProtocolData>),
      structNames(&nameOf<StructData>),
      enumNames(&nameOf<EnumData>),
      classNumbers(&numberOf<ClassData>),
      categoryNumbers(&numberOf<CategoryData>),
      protocolNumbers(&numberOf<ProtocolData>) {}

void TreeLinker::linkTree(const std::function<void(Step done)>& progress) {
    auto done = [&progress](Step step) {
        if (progress) progress(step);
    };
    classStraightList = copyToStraightList();
    done(Step::StraightList);
    makeTreeList();
    done(Step::TreeList);
    buildProtocolList();
    done(Step::Protocols);
    buildCategoryList();
    done(Step::Categories);
    setupDataID();
    done(Step::Numbers);
}

TreeLinker::ClassList TreeLinker::copyToStraightList() const { return classList; }

void TreeLinker::makeTreeList() {
    reindex();  // linking starts a new set of records (a build or a load refilled the lists)
    constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
    const std::size_t n = classList.size();
    if (n >= kNone) return;  // more classes than the numbering below holds: leave the list flat

    // Number the names; the records of one name are chained in list order. The views point into
    // the records' names, which nothing changes meanwhile.
    std::unordered_map<std::string_view, std::uint32_t> nameIds;
    nameIds.reserve(n);
    std::vector<std::uint32_t> firstOfName, lastOfName, nextOfSameName(n, kNone), nameOf(n, kNone), superOf(n, kNone);
    for (std::size_t i = 0; i < n; ++i) {
        if (!classList[i] || !classList[i]->getName()) continue;
        auto [entry, added] = nameIds.try_emplace(*classList[i]->getName(), static_cast<std::uint32_t>(firstOfName.size()));
        if (added) {
            firstOfName.push_back(static_cast<std::uint32_t>(i));
            lastOfName.push_back(static_cast<std::uint32_t>(i));
        } else {
            nextOfSameName[lastOfName[entry->second]] = static_cast<std::uint32_t>(i);
            lastOfName[entry->second] = static_cast<std::uint32_t>(i);
        }
        nameOf[i] = entry->second;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const auto& sub = classList[i];
        if (!sub || !sub->superName() || sub->superName() == sub->getName()) continue;
        if (auto found = nameIds.find(*sub->superName()); found != nameIds.end()) superOf[i] = found->second;
    }

    // Every parent of that name gets the subclass; the last one in the list stays its superClass.
    for (std::size_t i = 0; i < n; ++i) {
        if (superOf[i] == kNone) continue;
        const auto& sub = classList[i];
        for (std::uint32_t p = firstOfName[superOf[i]]; p != kNone; p = nextOfSameName[p]) {
            const auto& parent = classList[p];
            if (parent == sub) continue;
            parent->addSub(sub);
            sub->setSuperClass(parent.get());
        }
    }
    if (namesLoop(nameOf, superOf, firstOfName.size())) cutLoops(classList);
    std::erase_if(classList, [](const auto& c) { return c && c->superClass(); });
}

void TreeLinker::buildProtocolList() {
    auto resolve = [this](HasMethodsData& record) {
        if (!record.getProtocolNames()) return;
        for (const std::string& protocolName : *record.getProtocolNames())
            record.addProtocolObject(findProtocolByName(protocolName));
    };
    for (const auto& c : classStraightList)
        if (c) resolve(*c);
    for (const auto& c : categoryList)
        if (c) resolve(*c);
    for (const auto& p : protocolList)
        if (p) resolve(*p);
}

void TreeLinker::buildCategoryList() {
    // The classes that share a name with an earlier one, by (name, header): a category goes to
    // the one declared beside it.
    std::unordered_map<std::string, std::shared_ptr<ClassData>> repeated;
    for (const auto& c : classStraightList) {
        if (!c || !c->getName() || !c->hedderName()) continue;
        if (auto first = findClassByName(*c->getName()); first && first != c)
            repeated.try_emplace(*c->getName() + '\n' + *c->hedderName(), c);
    }
    for (const auto& category : categoryList) {
        if (!category || !category->getTargetClassName()) continue;
        std::shared_ptr<ClassData> target = findClassByName(*category->getTargetClassName());
        if (!target) continue;  // a class never read: the category stays in the category list only
        if (!repeated.empty() && category->hedderName() && !sameText(target->hedderName(), category->hedderName())) {
            auto found = repeated.find(*target->getName() + '\n' + *category->hedderName());
            if (found != repeated.end()) target = found->second;
        }
        target->addCategory(category);
    }
}

void TreeLinker::setupDataID() {
    std::int64_t v = 1000;
    auto number = [&v](auto& list) {
        for (const auto& record : list) {
            if (!record) continue;
            record->setID(clampNumber(v));
            v += 200;
        }
        return clampNumber(v - 200);
    };
    classMaxId = number(classStraightList);
    categoryMaxId = number(categoryList);
    protocolMaxId = number(protocolList);
    classNumbers.invalidate();
    categoryNumbers.invalidate();
    protocolNumbers.invalidate();
}

std::shared_ptr<ClassData> TreeLinker::findClassByName(const std::string& name) {
    const std::size_t star = name.find('*');
    if (star == std::string::npos) return classNames.find(classStraightList, name);
    std::string key = name;
    key.erase(star, 1);
    return classNames.find(classStraightList, key);
}

std::shared_ptr<ProtocolData> TreeLinker::findProtocolByName(const std::string& name) {
    return protocolNames.find(protocolList, name);
}

std::shared_ptr<StructData> TreeLinker::findStructByName(const std::string& name) {
    return structNames.find(structList, name);
}

std::shared_ptr<EnumData> TreeLinker::findEnumByName(const std::string& name) {
    return enumNames.find(enumList, name);
}

std::shared_ptr<HasMethodsData> TreeLinker::findDataByID(std::int32_t value) {
    if (value <= classMaxId) return classNumbers.find(classStraightList, value);
    if (value <= categoryMaxId) return categoryNumbers.find(categoryList, value);
    return protocolNumbers.find(protocolList, value);
}

void TreeLinker::unSelectAll() {
    for (const auto& c : classStraightList)
        if (c) c->setSelectFlag(false);
    NotificationCenter::defaultCenter().post("ClassDidUnselectedMessage");
}

void TreeLinker::removeClass(const std::shared_ptr<ClassData>& record) {
    if (!record) return;
    std::unordered_set<const HasMethodsData*> doomed;
    collectSubtree(record.get(), doomed);
    std::erase_if(classStraightList, [&](const auto& c) { return doomed.count(c.get()) != 0; });
}

bool TreeLinker::removeSelectedClass() {
    // One pass in list order gives the same classes as taking "the first selected class" again
    // after each removal: a class already removed is simply skipped.
    const ClassList snapshot = classStraightList;  // also keeps the records alive meanwhile
    std::unordered_set<const HasMethodsData*> doomed;
    std::unordered_set<const HasMethodsData*> doomedRoots;
    for (const auto& k : snapshot) {
        if (!k || !k->getSelectFlag() || doomed.count(k.get())) continue;
        collectSubtree(k.get(), doomed);
        if (HasMethodsData* parent = k->superClass())
            std::erase_if(parent->getSubClassList(), [&](const auto& s) { return s == k; });
        else
            doomedRoots.insert(k.get());
    }
    if (doomed.empty()) return false;
    std::erase_if(classStraightList, [&](const auto& c) { return doomed.count(c.get()) != 0; });
    std::erase_if(classList, [&](const auto& c) { return doomedRoots.count(c.get()) != 0; });
    return true;
}

void TreeLinker::unlinkAll() {
    auto unlink = [](HasMethodsData& record) {
        record.getSubClassList().clear();
        record.setProtocolObjects({});
        record.setSuperClass(nullptr);
    };
    for (auto* list : {&classList, &classStraightList})
        for (const auto& c : *list)
            if (c) {
                unlink(*c);
                c->getCategoryList().clear();
            }
    for (const auto& c : categoryList)
        if (c) unlink(*c);
    for (const auto& p : protocolList)
        if (p) unlink(*p);
}

void TreeLinker::reindex() {
    classNames.invalidate();
    protocolNames.invalidate();
    structNames.invalidate();
    enumNames.invalidate();
    classNumbers.invalidate();
    categoryNumbers.invalidate();
    protocolNumbers.invalidate();
}

}  // namespace kestrel
