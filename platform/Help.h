// The help book, behind an interface so dialogs can open a topic without a
// toolkit and tests can record what was asked for.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The book's project file, found in the help folder.
inline constexpr const char* kHelpBookFile = "tavro2.hhp";

class IHelp {
public:
    virtual ~IHelp() = default;
    // page is the base name of a page of the book ("output"); anchor is a
    // named place on that page, or empty for its top.
    virtual void ShowTopic(const std::string& page, const std::string& anchor) = 0;
    virtual void ShowContents() = 0;
    // The book's contents in a window of its own that stays open beside the
    // program's windows (from the main window); the two above are modal over
    // the window that asks (the dialogs' Help buttons).
    virtual void ShowBook() { ShowContents(); }
};

// Does nothing (no book installed, headless runs).
class NullHelp final : public IHelp {
public:
    void ShowTopic(const std::string&, const std::string&) override {}
    void ShowContents() override {}
};

// Records the calls, for tests.
class RecordingHelp final : public IHelp {
public:
    struct Call {
        std::string page;    // empty for ShowContents
        std::string anchor;
        bool contents = false;
    };
    void ShowTopic(const std::string& page, const std::string& anchor) override {
        calls_.push_back({page, anchor, false});
    }
    void ShowContents() override { calls_.push_back({{}, {}, true}); }

    const std::vector<Call>& Calls() const { return calls_; }
    void Clear() { calls_.clear(); }

private:
    std::vector<Call> calls_;
};

// The process-wide help: a NullHelp until the program sets one.
IHelp& DefaultHelp();
// nullptr restores the NullHelp.
void SetDefaultHelp(IHelp* help);

}  // namespace platform
