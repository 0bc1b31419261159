#pragma once
// The build: the whole tree made afresh from the headers on disk. Clears the controller's
// lists, runs the define pass, walks the frameworks root and the user's private headers,
// hands every header to the analysis driver, then links and numbers the result and gives
// the roots to the tree view. Progress goes to the opening window through the host.
//
//   <root>/Foundation.framework/Headers/NSString.h
//       -> fwName "Foundation.framework", hedderName "NSString.h", not custom
//   <root>/Outer.framework/Frameworks/Inner.framework/Headers/In.h
//       -> fwName "Outer.framework/Inner.framework"
//   a private header file or any header below a private folder
//       -> fwName "------", its classes custom
//
// The walk (HedderWalk) follows links and link files, enters each folder at most once per
// walk, names a framework by where it really is, and leaves out Kernel.framework and folder
// entries containing "i386". The headers it finds are analysed on several threads
// (ParallelAnalysis) and filed in the walk's order, so that the lists, and the stored files,
// are those of one thread reading the headers one after the other; the opening window hears of
// each framework and header in that order, on the calling thread. A header that cannot be read
// is not counted as read: its path is kept for the report (getUnreadableHedders).
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

class AppAction2;
class TreeLinker;
struct HedderStep;
struct RecordLists;

class TreeBuilder {
public:
    // Both must outlive the builder; linker is the controller's, working on app's lists.
    TreeBuilder(AppAction2& app, TreeLinker& linker);

    // The define pass over all frameworks, run by initTreeFile before the walk. Empty: nothing.
    std::function<void()> doPass1;

    // The whole build. Returns when the lists are linked, numbered and shown.
    void initTreeFile();
    // Walks one path: a ".framework" folder, any other folder, or a ".h" file. fwName none
    // stands for "not inside a framework"; cocoaFlag false marks the classes found as custom.
    void analyseFwHedders(const std::string& path, const std::optional<std::string>& fwName,
                          bool cocoaFlag);
    // Walks each path of the private-header file, in order, as a non-framework path.
    void analysePrivateHedders();
    // The declaration text of every function and macro record, in list order (records without
    // a name are left out).
    std::vector<std::string> makeFuncList() const;
    // Adds amount to the opening window's progress bar.
    static void incAboutValue(double amount);
    // Gives classList (the roots) to the tree view.
    void viewSetUp();

    // Headers read and analysed by the last build (or the walks since).
    std::size_t getHedderCount() const { return hedderCount; }
    // Headers found by the last build (or the walks since) that could not be read.
    const std::vector<std::string>& getUnreadableHedders() const { return unreadableHedders; }

    // How many threads analyse headers: ParallelAnalysis::defaultThreads() unless set; 1 reads
    // every header on the calling thread, straight into the controller's lists.
    void setAnalysisThreads(unsigned count) { analysisThreads = count; }

private:
    // Announces and analyses the walk's steps, in order.
    void analyse(const std::vector<HedderStep>& steps);
    void analyseOneByOne(const std::vector<HedderStep>& steps);
    void analyseInParallel(const std::vector<HedderStep>& steps, unsigned threads);
    // What each header costs the opening window, and the mark that the tree has changed.
    void hedderDone(const HedderStep& step, bool readable);
    // Appends one header's records to the controller's lists (remeasured: see TextMeasure).
    void file(RecordLists& records, bool remeasure);

    AppAction2& app;
    TreeLinker& linker;
    std::size_t hedderCount = 0;
    std::vector<std::string> unreadableHedders;
    std::optional<unsigned> analysisThreads;
};

}  // namespace kestrel
