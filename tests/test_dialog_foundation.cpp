// The pieces every dialog shares: checks and their boxes, the property
// sheet's page-leave rules, and cutting texts to record fields.
#include "platform/Messages.h"
#include "platform/TextCut.h"
#include "ui/common/rules/CheckResult.h"
#include "ui/common/rules/SheetFlow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::MsgIcon;

// A page that records its calls in a shared log and refuses while told to.
class LogPage final : public ui::ISheetPage {
public:
    LogPage(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
    ui::CheckResult result;
    void Load() override { log_.push_back("load " + name_); }
    ui::CheckResult Leave() override {
        log_.push_back("leave " + name_);
        return result;
    }
    void Apply() override { log_.push_back("apply " + name_); }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

TEST(DialogFoundation, HeadersAndCheckBoxes) {
    EXPECT_STREQ(ui::kHeaderProblem, "Problem with the Input\n\n");
    EXPECT_STREQ(ui::kHeaderProblemDot, "Problem with the Input.\n\n");
    EXPECT_STREQ(ui::kHeaderMissing, "Missing Important Information.\n\n");

    platform::RecordingMessages messages;
    ui::CheckResult r = ui::CheckResult::Refuse("no");
    r.warnings.push_back({"first", MsgIcon::Exclamation});
    EXPECT_FALSE(ui::ShowCheck(r, messages));
    ASSERT_EQ(messages.Entries().size(), 2u);
    EXPECT_EQ(messages.Entries()[0].text, "first");
    EXPECT_EQ(messages.Entries()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(messages.Entries()[1].text, "no");
    EXPECT_EQ(messages.Entries()[1].icon, MsgIcon::Stop);
    messages.Clear();
    EXPECT_TRUE(ui::ShowCheck({}, messages));
    EXPECT_TRUE(messages.Entries().empty());
}

TEST(DialogFoundation, SheetVetoesLeavingARefusedPageAndAppliesVisitedPagesOnOk) {
    std::vector<std::string> log;
    LogPage a("a", log), b("b", log), c("c", log);
    platform::RecordingMessages messages;
    ui::SheetFlow flow({&a, &b, &c}, messages);
    flow.Start(0);

    a.result = ui::CheckResult::Refuse("Problem with the Input.\n\nbad");
    EXPECT_FALSE(flow.RequestChange(1));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Problem with the Input.\n\nbad"});
    EXPECT_EQ(flow.Current(), 0u);

    a.result = {};
    a.result.warnings.push_back({"late", MsgIcon::Exclamation});
    EXPECT_TRUE(flow.RequestChange(1));  // a warning lets the page go
    flow.Changed(1);
    EXPECT_TRUE(flow.RequestChange(0));
    flow.Changed(0);  // a second visit does not load again
    EXPECT_TRUE(flow.RequestChange(1));
    flow.Changed(1);

    b.result = ui::CheckResult::Refuse("stay");
    EXPECT_FALSE(flow.Ok());  // nothing applied
    b.result = {};
    EXPECT_TRUE(flow.Ok());
    const std::vector<std::string> expected = {"load a", "leave a", "leave a", "load b", "leave b", "leave a",
                                               "leave b", "leave b", "apply a", "apply b"};
    EXPECT_EQ(log, expected);
    EXPECT_FALSE(flow.Visited(2));
}

TEST(DialogFoundation, CutToBytesNeverSplitsACharacter) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t n;
        std::string expected;
    };
    const Case cases[] = {
        {"short ascii", "Diesel", 31, "Diesel"},
        {"long ascii", std::string(40, 'x'), 31, std::string(31, 'x')},
        {"utf-8 letter across the cut", std::string(30, 'a') + "\xC3\xA9" + "b", 31, std::string(30, 'a')},
        {"utf-8 letter fits", std::string(29, 'a') + "\xC3\xA9" + "b", 31, std::string(29, 'a') + "\xC3\xA9"},
        {"three-byte sign across", "ab\xE2\x82\xAC", 4, "ab"},
        {"four-byte sign across", "ab\xF0\x9F\x9B\xA2", 5, "ab"},
        {"8-bit text cut at bytes", std::string(30, 'a') + "\xE9\xE9", 31, std::string(30, 'a') + "\xE9"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::CutToBytes(c.text, c.n), c.expected) << c.name;
    }
    char field[8];
    platform::CopyToField(field, "Refined products");
    EXPECT_STREQ(field, "Refined");
    EXPECT_FALSE(platform::IsUtf8("\xC0\xAF"));  // overlong
    EXPECT_TRUE(platform::IsUtf8("caf\xC3\xA9"));
}

}  // namespace
