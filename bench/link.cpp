// Links a generated forest of 2,000 classes and one of 20,000 and prints both times and their
// ratio. Linking goes through name and number indexes, so the ratio should stay near 10
// (it would be near 100 if every class were compared with every other).
//
// Each forest: classes in header files of 8, each below a random earlier class (a few roots,
// a few superclasses never analysed, a few names twice), one category per 4 classes, one
// protocol per 10; then the whole linking and numbering, and one look-up by name and one by
// number per record, as the views do.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/ProtocolData.h"
#include "core/model/StructData.h"
#include "core/model/TreeLinker.h"

using namespace kestrel;

namespace {

struct Lists {
    TreeLinker::ClassList classList, classStraightList;
    TreeLinker::ProtocolList protocolList;
    TreeLinker::CategoryList categoryList;
    TreeLinker::StructList structList;
    TreeLinker::EnumList enumList;
};

void generate(Lists& lists, int classes) {
    std::mt19937 random(20240601);
    auto header = [](int i) { return "Header" + std::to_string(i / 8) + ".h"; };
    const int protocols = classes / 10;
    for (int i = 0; i < protocols; ++i) {
        auto p = std::make_shared<ProtocolData>("Protocol" + std::to_string(i), std::nullopt);
        if (i > 0) p->addProtocolName("Protocol" + std::to_string(random() % i));
        lists.protocolList.push_back(p);
    }
    for (int i = 0; i < classes; ++i) {
        std::optional<std::string> super;
        std::string name = "Class" + std::to_string(i);
        const unsigned roll = random() % 100;
        if (i > 0 && roll >= 2) super = "Class" + std::to_string(random() % i);  // below an earlier class
        if (roll == 1) super = "Unknown" + std::to_string(i);                    // never analysed
        if (roll == 99 && i > 0) {  // a class declared a second time, in another header
            const auto& earlier = lists.classList[random() % i];
            name = *earlier->getName();
            super = earlier->superName();
        }
        auto c = std::make_shared<ClassData>(name, super);
        c->setHedderName(header(i));
        c->addProtocolName("Protocol" + std::to_string(random() % std::max(1, protocols)));
        c->addMethodList(std::vector<std::string>{"-(void)method", "+(id)make"});
        lists.classList.push_back(c);
    }
    for (int i = 0; i < classes / 4; ++i) {
        const int target = static_cast<int>(random() % classes);
        // Half in their class's header, half in another one.
        const int where = random() % 2 ? target : static_cast<int>(random() % classes);
        auto cat = std::make_shared<CategoryData>("Category" + std::to_string(i), "Class" + std::to_string(target));
        cat->setHedderName(header(where));
        lists.categoryList.push_back(cat);
    }
}

// Seconds for one plain pass that reads every class's name and superclass name, the best of
// `rounds`: the floor of any linking. 2,000 classes fit in the processor's cache and 20,000 do
// not, so even this pass costs more than 10 times as much for ten times the classes.
double timePlainPass(int classes, int rounds) {
    double best = 1e300;
    for (int round = 0; round < rounds; ++round) {
        Lists lists;
        generate(lists, classes);
        const auto start = std::chrono::steady_clock::now();
        std::size_t bytes = 0;
        for (const auto& c : lists.classList) bytes += c->getName()->size() + c->superName().value_or("").size();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        best = std::min(best, seconds);
        if (bytes == 0) std::printf("(no names?)\n");
    }
    return best;
}

// Seconds to link and look everything up once, the best of `rounds` fresh forests.
double timeLinking(int classes, int rounds, std::size_t& roots) {
    double best = 1e300;
    for (int round = 0; round < rounds; ++round) {
        Lists lists;
        generate(lists, classes);
        TreeLinker linker(lists.classList, lists.classStraightList, lists.protocolList, lists.categoryList,
                          lists.structList, lists.enumList);
        const auto start = std::chrono::steady_clock::now();
        linker.linkTree();
        std::size_t found = 0;
        for (const auto& c : lists.classStraightList) {
            found += linker.findClassByName(*c->getName()) != nullptr;
            found += linker.findDataByID(c->getID()) != nullptr;
        }
        for (const auto& c : lists.categoryList) found += linker.findDataByID(c->getID()) != nullptr;
        for (const auto& p : lists.protocolList) found += linker.findProtocolByName(*p->getName()) != nullptr;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        best = std::min(best, seconds);
        roots = lists.classList.size();
        if (found == 0) std::printf("(nothing found?)\n");
        linker.unlinkAll();
    }
    return best;
}

}  // namespace

int main() {
    std::size_t smallRoots = 0, largeRoots = 0;
    const double small = timeLinking(2000, 15, smallRoots);
    const double large = timeLinking(20000, 5, largeRoots);
    std::printf("link   2,000 classes: %8.3f ms  (%zu roots)\n", small * 1e3, smallRoots);
    std::printf("link  20,000 classes: %8.3f ms  (%zu roots)\n", large * 1e3, largeRoots);
    std::printf("ratio 20,000 / 2,000: %8.1f   (linear: 10, quadratic: 100)\n", large / small);
    const double passSmall = timePlainPass(2000, 15), passLarge = timePlainPass(20000, 5);
    std::printf("one plain read pass over the classes: %.3f ms / %.3f ms, ratio %.1f (the memory's share)\n",
                passSmall * 1e3, passLarge * 1e3, passLarge / passSmall);
    return 0;
}
