#pragma once
// Who declares each method text, for the comment editor. A comment is stored under the text
// itself, so it shows on every class and protocol whose methods (a class's categories' included)
// hold that text; the editor's rows say whose each one is, and its caption how many share it.
//
//   rows: every class's own methods, then its categories', then every protocol's (the order of
//   MethodLists::makeMethodListAndCategory), each with its owner:
//     row              sideText             caption
//     -(id)init        NSObject  +2         Comment on -(id)init (shared by 2 classes and 1 protocol)
//     -(id)copy        NSObject (Copying)   Comment on -(id)copy
//     -(id)init        NSView  +2
//     -(BOOL)isBase    <NSBase>
//     -(id)init        <NSBase>  +2
// A class and its categories count as one class: a comment on a text that NSObject and
// NSObject (Copying) both declare is shown on NSObject alone.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace kestrel {

class ClassData;
class ProtocolData;

class MethodOwners {
public:
    struct Caption {
        std::string front;    // "Comment on "
        std::string subject;  // the method, which a narrow caption shortens
        std::string rear;     // " (shared by 2 classes and 1 protocol)", or ""
        std::string text() const { return front + subject + rear; }
    };

    MethodOwners(const std::vector<std::shared_ptr<ClassData>>& classStraightList,
                 const std::vector<std::shared_ptr<ProtocolData>>& protocolList);

    const std::vector<std::string>& methods() const { return methods_; }
    // "NSView", "NSView (Drawing)", "<NSCoding>"; "" for a row out of range.
    const std::string& ownerOf(std::size_t row) const;
    // The owner, and "  +N" when N other classes or protocols declare the same text.
    std::string sideText(std::size_t row) const;
    // How many distinct classes and protocols declare the text.
    std::size_t classesDeclaring(const std::string& method) const;
    std::size_t protocolsDeclaring(const std::string& method) const;
    Caption caption(const std::string& method) const;

private:
    struct Sharing {
        std::uint32_t classes = 0;
        std::uint32_t protocols = 0;
        const void* lastClass = nullptr;  // while counting: the class that counted last
    };
    const Sharing* sharingOf(const std::string& method) const;

    std::vector<std::string> methods_;
    std::vector<std::string> owners_;
    std::vector<std::uint32_t> ownerOfRow_;
    std::unordered_map<std::string, Sharing> sharing_;
};

}  // namespace kestrel
